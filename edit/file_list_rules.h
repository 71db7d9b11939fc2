// Which area file is current after the file table changes.
#pragma once

namespace tarvel {

// After removing row `removed` from a list that held `current` as the
// current row and keeps `remaining` files: the row before a removed current
// file (the first row when it was the first), the same file otherwise;
// -1 when nothing is left.
int currentFileAfterRemoval(int removed, int current, int remaining);

} // namespace tarvel
