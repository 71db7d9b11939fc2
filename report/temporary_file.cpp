#include "temporary_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace tarvel::scrivet {
namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

TemporaryFile::TemporaryFile(const std::string& folder, const std::string& target) {
    const std::string error = file_.create(folder, target);
    if (!error.empty())
        throw std::runtime_error("cannot create a file in " + (folder.empty() ? "." : folder) +
                                 ": " + error);
}

void TemporaryFile::commitAs(const std::string& destination) {
    // mkstemp makes the file private; a document gets the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(file_.descriptor(), 0666 & ~mask);
    const std::string error = file_.commit(destination);
    if (!error.empty())
        throw std::runtime_error(error);
}

TemporaryFile temporaryFileBeside(const std::string& destination) {
    const std::string folder = folderOf(destination);
    removeStaleTemporaries(folder);
    return TemporaryFile(folder, destination.substr(folder.size()));
}

std::string writeFailureText(const std::string& what, const std::string& path) {
    const int error = errno;
    if (error == ENOSPC || error == EDQUOT)
        return writeFailure(what.c_str(), error);
    struct statvfs room {};
    const std::string folder = folderOf(path);
    if (statvfs(folder.empty() ? "." : folder.c_str(), &room) == 0 && room.f_bavail == 0)
        return writeFailure(what.c_str(), ENOSPC);
    return what;
}

} // namespace tarvel::scrivet
