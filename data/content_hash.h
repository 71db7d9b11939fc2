// A fast digest of file contents, to tell whether a file changed and to
// check the files an interrupted change left behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvel {

std::uint64_t contentHash(const void* data, std::size_t size);

// Accumulates a digest over pieces given one after another.
class ContentHasher {
public:
    ContentHasher();
    ~ContentHasher();
    ContentHasher(const ContentHasher&) = delete;
    ContentHasher& operator=(const ContentHasher&) = delete;

    void add(const void* data, std::size_t size);
    std::uint64_t digest() const;

private:
    void* state_;
};

// The digest of the first `size` bytes of the file at `path` (all of it
// with the default), read in pieces. Returns an empty string or the reason.
std::string hashFile(const std::string& path, std::uint64_t& digest,
                     std::uint64_t size = UINT64_MAX);

} // namespace tarvel
