#include "disk_stamp.h"

#include "content_hash.h"

#include <sys/stat.h>

namespace tarvel {
namespace {

DiskStamp statStamp(const std::string& path) {
    DiskStamp stamp;
    stamp.known = true;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return stamp;
    stamp.exists = true;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modifiedNs =
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    return stamp;
}

} // namespace

DiskStamp stampOf(const std::string& path) {
    DiskStamp stamp = statStamp(path);
    if (stamp.exists && !hashFile(path, stamp.digest).empty())
        stamp.exists = false; // unreadable now: as good as gone
    return stamp;
}

bool changedSince(const DiskStamp& stamp, const std::string& path) {
    if (!stamp.known)
        return false;
    const DiskStamp now = statStamp(path);
    if (now.exists != stamp.exists)
        return true;
    if (!now.exists)
        return false;
    if (now.size != stamp.size)
        return true;
    if (now.modifiedNs == stamp.modifiedNs && now.inode == stamp.inode &&
        now.device == stamp.device)
        return false;
    std::uint64_t digest = 0;
    return !hashFile(path, digest).empty() || digest != stamp.digest;
}

} // namespace tarvel
