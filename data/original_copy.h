// The instrument's recordings as they were before the first change.
//
// The first time an area is changed, by the desktop or by `tarvel-cli set`,
// its bytes as they stood are copied once into the subfolder "原始数据" of
// its folder under the same name, read-only. The copy is never replaced, so
// a reviewer can always see what was measured and what was changed by hand.
#pragma once

#include <string>

namespace tarvel {

inline constexpr const char* kOriginalsFolder = "原始数据";

// Where the original of the area at `areaPath` is kept.
std::string originalPathFor(const std::string& areaPath);

// Copies the file at `source` (links followed) to the original of the area
// at `areaPath`, unless one is already there. Returns an empty string or
// the reason no copy could be made (the change must then not go ahead).
std::string keepOriginal(const std::string& source, const std::string& areaPath);

} // namespace tarvel
