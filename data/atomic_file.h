// Saves that replace a file whole or not at all.
#pragma once

#include <cstddef>
#include <string>

namespace tarvel {

// Writes to a temporary file in the same folder and renames it over `path`,
// so a failed write never truncates the existing file. Returns an empty
// string on success, otherwise the reason.
std::string writeFileAtomically(const std::string& path, const void* data, std::size_t size);

} // namespace tarvel
