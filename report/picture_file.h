// Pictures a report embeds: read whole, checked to be PNG, and measured.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tarvel::scrivet {

// The bytes of the PNG file at `path`; throws std::runtime_error naming
// `what` and the path when it cannot be read, is larger than 64 MiB or is
// not a PNG.
std::vector<unsigned char> readPicture(const std::string& path, const char* what);

// Width and height of a PNG from its header; {0, 0} when it is not one.
std::pair<int, int> pngSize(const std::vector<unsigned char>& png);

} // namespace tarvel::scrivet
