// How tarvel-cli changes areas on disk: one writer at a time in the folder,
// a change a killed writer left completed first, the instrument's originals
// kept, and every area of the run replaced together or not at all.
#pragma once

#include "data/folder_lock.h"
#include "data/input_file.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvel::cli {

// How long a second writer waits for the folder before it gives up.
inline constexpr std::chrono::milliseconds kLockWait{5000};

// The bytes of an area the loader reads (the header and the point blocks it
// names), and the file kept open for the bytes after them, which are copied
// without being read.
struct AreaBytes {
    std::string path;
    std::unique_ptr<InputFile> file;
    std::vector<unsigned char> bytes;
    std::uint64_t tailLength = 0;
};

// Throws InputError naming the file when it cannot be read.
AreaBytes readAreaBytes(const std::string& path);

// A new content for an area read with readAreaBytes.
struct AreaReplacement {
    const AreaBytes* area;
    const std::vector<unsigned char>* bytes; // replaces area->bytes; the tail stays
};

class FolderWriter {
public:
    // Takes the folder's lock for `program`, waiting kLockWait, and completes
    // a change a killed writer left there. Throws InputError when another
    // writer holds the folder (naming it) or the lock cannot be taken.
    FolderWriter(const std::string& folder, const std::string& program);

    // Keeps each area's original, then replaces all of them together.
    // Throws InputError with the reason; before any rename nothing changed.
    void replaceAreas(const std::vector<AreaReplacement>& replacements);

private:
    std::string folder_;
    FolderLock lock_;
};

} // namespace tarvel::cli
