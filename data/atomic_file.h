// Whole-file reads bounded by the file's real size, and atomic writes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarvel {

// Reads the whole file. Returns an empty string on success, otherwise the
// reason (the bytes are then empty).
std::string readWholeFile(const std::string& path, std::vector<unsigned char>& bytes);

// Writes to a temporary file in the same folder and renames it over `path`,
// so a failed write never truncates the existing file. Returns an empty
// string on success, otherwise the reason.
std::string writeFileAtomically(const std::string& path, const void* data, std::size_t size);

} // namespace tarvel
