// Loading an area file: read it, then run the conditioning chain over it.
#pragma once

#include "conditioning_workspace.h"
#include "data/area_file.h"

#include <memory>
#include <string>

namespace tarvel {

// Reads the file at `path` into `record` and conditions every point. A file
// that fails to load leaves the record with no points and the reason in
// record.loadError. A caller loading many files passes one workspace for
// all; without one, the file gets its own.
LoadResult loadAreaFile(const std::string& path, NamePipeFile& record,
                        ConditioningWorkspace& workspace);
LoadResult loadAreaFile(const std::string& path, NamePipeFile& record);

// As loadAreaFile, for a caller that needs only marks and results: the
// points keep their raw samples but no conditioned ones.
LoadResult loadAreaResults(const std::string& path, NamePipeFile& record,
                           ConditioningWorkspace& workspace);

// Frees the record's samples once its results are computed: the points keep
// their headers, marks and results, and hold no samples.
void releaseAreaSamples(NamePipeFile& record);

// A new record for the file at `path`, named after it, read and conditioned;
// why it could not be read whole is in its loadError.
std::unique_ptr<NamePipeFile> loadAreaRecord(const std::string& path);

} // namespace tarvel
