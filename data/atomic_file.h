// Saves that replace a file whole or not at all.
#pragma once

#include <cstddef>
#include <string>

namespace tarvel {

// Writes to a temporary file in the same folder and renames it over `path`
// (over the file a link names, keeping the link), so a failed write never
// truncates the existing file. A read-only target is refused before anything
// is written; the new file keeps the old one's mode, and owner where allowed. Returns an empty
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
