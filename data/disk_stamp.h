// What a file looked like when it was last read or written, to notice a
// change made by someone else before it is overwritten.
#pragma once

#include <cstdint>
#include <string>

namespace tarvel {

struct DiskStamp {
    bool known = false;  // false: never read from or written to disk
    bool exists = false; // the file was there
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0; // modification time, ns since the epoch
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t digest = 0; // of the content (contentHash)
};

// The stamp of the file at `path` now (links followed), its content hashed.
DiskStamp stampOf(const std::string& path);

// True when the file at `path` is no longer what `stamp` says: gone, come,
// or of other content. A file rewritten with the same content has not
// changed; size, time and inode unchanged spare reading it at all.
bool changedSince(const DiskStamp& stamp, const std::string& path);

} // namespace tarvel
