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

// The two halves of writeFileAtomically, for replacing several files
// together: every temporary is written before any file is replaced.
// Writes a temporary file in the folder of `path`, with the permissions of
// the file it will replace, and names it in `temporaryPath`. Returns an
// empty string or the reason (no temporary is then left).
std::string writeTemporaryFor(const std::string& path, const void* data, std::size_t size,
                              std::string& temporaryPath);
// Renames the temporary over `path`; on failure removes the temporary and
// returns the reason.
std::string replaceWithTemporary(const std::string& temporaryPath, const std::string& path);

} // namespace tarvel
