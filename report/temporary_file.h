// A file made under a unique name and removed again unless it is kept:
// documents are built beside their destination and renamed over it, so a
// failed write never leaves half a file. The file stays locked while its
// writer lives, so the next run in the folder removes what a killed one left.
#pragma once

#include "data/temporary_files.h"

#include <string>

namespace tarvel::scrivet {

class TemporaryFile {
public:
    // A temporary for a file named `target` in `folder` (which ends in a
    // separator); throws std::runtime_error with the reason.
    TemporaryFile(const std::string& folder, const std::string& target);

    const std::string& path() const { return file_.path(); }
    int descriptor() const { return file_.descriptor(); }

    // Renames the file to `destination` with the usual permissions of a new
    // file; throws std::runtime_error with the reason.
    void commitAs(const std::string& destination);

private:
    LockedTemporary file_;
};

// A temporary file in the folder of `destination`, after removing what
// killed writers left there.
TemporaryFile temporaryFileBeside(const std::string& destination);

// `what`, followed by the system's reason when the last write failed for
// want of room ("No space left on device"), which libraries that write
// through their own files report only as a failed write.
std::string writeFailureText(const std::string& what, const std::string& path);

} // namespace tarvel::scrivet
