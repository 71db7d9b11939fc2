// Opening a file for reading without ever waiting on it.
//
// Every reader goes through InputFile: a FIFO, socket, device or directory
// given as an area, project or options file would otherwise block in open()
// or read() until something else writes to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvel {

class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens `path` when it names a regular file (links are followed).
    // Returns an empty string, or the reason ("not a regular file", or the
    // system's error text).
    std::string open(const std::string& path);

    // The size of the file when it was opened, in bytes.
    std::uint64_t size() const { return size_; }
    // The open descriptor, for copying without reading holes.
    int descriptor() const { return fd_; }

    // Reads up to `count` bytes from `offset` into `into`; `got` says how
    // many arrived (fewer only at the end of the file). Returns an empty
    // string or the reason of a read error.
    std::string readAt(std::uint64_t offset, void* into, std::size_t count, std::size_t& got) const;

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// Opens and closes `path` as a reader would: an empty string when it can be
// read, otherwise the reason.
std::string checkReadableFile(const std::string& path);

// Reads the whole file. Returns an empty string on success, otherwise the
// reason (the bytes are then empty).
std::string readWholeFile(const std::string& path, std::vector<unsigned char>& bytes);

} // namespace tarvel
