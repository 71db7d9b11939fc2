// The order areas are shown and reported in: the natural order of their file
// names, case-insensitive, so "测区2" comes before "测区10" on every platform
// (a directory listing has no order of its own on Linux).
#pragma once

#include "data/area_file.h"

#include <string_view>

namespace tarvel {

// True when `a` sorts before `b`: runs of digits compare by their value,
// everything else byte by byte with ASCII letters folded to lower case.
// Names equal in that order fall back to plain byte order, so the order is
// total and the same on every run.
bool naturalNameLess(std::string_view a, std::string_view b);

void sortAreasByFileName(AreaFileList& files);

} // namespace tarvel
