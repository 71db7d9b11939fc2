#include "original_copy.h"

#include "atomic_file.h"
#include "input_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {
namespace {

std::string nameOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// Gives the finished copy its name without ever replacing a file of that
// name. A hard link does that on most file systems; where there are none (a
// FAT memory stick) the folder lock the caller holds keeps others away.
std::string placeWithoutReplacing(const std::string& temporary, const std::string& destination) {
    if (::link(temporary.c_str(), destination.c_str()) == 0 || errno == EEXIST)
        return {};
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) ==
            0 ||
        errno == EEXIST)
        return {};
    if (exists(destination))
        return {};
    if (std::rename(temporary.c_str(), destination.c_str()) != 0)
        return writeFailure("cannot keep the original", errno);
    return {};
}

} // namespace

std::string originalPathFor(const std::string& areaPath) {
    return folderOf(areaPath) + kOriginalsFolder + "/" + nameOf(areaPath);
}

std::string keepOriginal(const std::string& source, const std::string& areaPath) {
    const std::string destination = originalPathFor(areaPath);
    if (exists(destination))
        return {};
    InputFile input;
    if (std::string error = input.open(source); !error.empty())
        return source + ": " + error;
    const std::string folder = folderOf(destination);
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)
        return writeFailure(("cannot make the folder " + folder).c_str(), errno);

    LockedTemporary copy;
    std::string error = copy.create(folder, nameOf(destination));
    if (error.empty())
        error = copyDataExtents(input.descriptor(), copy.descriptor(), 0, input.size());
    if (error.empty() &&
        (::fchmod(copy.descriptor(), 0444) != 0 || ::fsync(copy.descriptor()) != 0))
        error = writeFailure("write failed", errno);
    if (error.empty())
        error = placeWithoutReplacing(copy.path(), destination);
    if (!error.empty())
        return destination + ": " + error;
    syncFolderOf(destination);
    return {}; // the temporary name goes with `copy`
}

} // namespace tarvel
