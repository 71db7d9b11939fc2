// The project file (.Prj) and the discovery of a project's area files.
#pragma once

#include "area_file.h"
#include "project_info.h"

#include <string>
#include <vector>

namespace tarvel {

// Reads exactly sizeof(ProjectInfo) bytes into `record` (cleared first).
// Returns an empty string or the reason; a short file leaves the tail zero.
std::string readProjectFile(const std::string& path, ProjectInfo& record);

// Writes the record atomically; returns an empty string or the reason.
std::string writeProjectFile(const std::string& path, const ProjectInfo& record);

// An entry named like an area that is not one: a FIFO, a device, a folder,
// a link to nothing.
struct SkippedEntry {
    std::string path;
    std::string reason;
};

// Appends one unloaded record for every *.pip file (suffix compared without
// case) in `dir` that is a regular file or a link to one, in the order the
// directory lists them; every other entry of that name goes to `skipped`.
// Returns an empty string, or the folder or entry that could not be listed
// or examined with the reason (the records found before it are kept). A
// folder that does not exist holds no areas and is no error.
std::string scanProjectDirectory(const std::string& dir, AreaFileList& files,
                                 std::vector<SkippedEntry>* skipped = nullptr);

// Splits a path into its directory (ending in a separator, or empty) and name.
void splitPath(const std::string& path, std::string& dir, std::string& name);

} // namespace tarvel
