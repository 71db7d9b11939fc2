// Saves that replace a file whole or not at all.
#pragma once

#include "temporary_files.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvel {

// Writes to a temporary file in the same folder and renames it over `path`
// (over the file a link names, keeping the link), so a failed write never
// truncates the existing file. A read-only target is refused before anything
// is written; the new file keeps the old one's mode, and owner where allowed.
// Returns an empty string on success, otherwise the reason.
std::string writeFileAtomically(const std::string& path, const void* data, std::size_t size);

// Bytes of an open file to copy after the new data, at the same offsets:
// only its data extents are read, so a hole costs nothing.
struct TailCopy {
    int source = -1;
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// New content written and synced beside the file it will replace.
struct PreparedReplacement {
    std::string target; // the file replaced: `path`, or where its links lead
    LockedTemporary temporary;
};

// The first half of writeFileAtomically, for replacing several files
// together: every temporary is written before any file is replaced. Removes
// what killed saves left in the folder first. Returns an empty string or the
// reason (nothing is then left behind).
std::string prepareReplacement(const std::string& path, const void* data, std::size_t size,
                               PreparedReplacement& prepared, const TailCopy* tail = nullptr);

// Renames the temporary over its target and syncs the folder. Returns an
// empty string or the reason (the temporary is then removed).
std::string commitReplacement(PreparedReplacement& prepared);

// Where `path` leads through its chain of links (itself when it is no link).
// Returns an empty string on failure, with the reason in `error`.
std::string followLinks(const std::string& path, std::string& error);

// The folder of `path`, ending in a separator, or empty for a bare name.
std::string folderOf(const std::string& path);

// Makes renames in the folder of `path` durable.
void syncFolderOf(const std::string& path);

} // namespace tarvel
