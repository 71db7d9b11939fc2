// Changes named fields in the bytes of an area file exactly as they lie on
// disk. The loaded record cannot be written back instead: loading drops
// deleted blocks, builds a missing legend and rewrites some stored values.
#pragma once

#include "edit/area_edits.h"

#include <vector>

namespace tarvel::cli {

struct AreaPatches {
    std::vector<BytePatch> header; // offsets into PipHeader
    std::vector<BytePatch> points; // offsets into ProcessingParams
};

// The file's bytes with the header patches applied, and the point patches
// applied to every block the loader keeps: within both the block count the
// header claims and the bytes present, and not flagged deleted. `bytes`
// must hold a header whose sample count the loader accepts.
std::vector<unsigned char> patchAreaBytes(const std::vector<unsigned char>& bytes,
                                          const AreaPatches& patches);

} // namespace tarvel::cli
