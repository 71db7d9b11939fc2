#include "area_loader.h"

#include "conditioning.h"
#include "data/project_file.h"

namespace tarvel {

LoadResult loadAreaFile(const std::string& path, NamePipeFile& record,
                        ConditioningWorkspace& workspace) {
    LoadResult result = readAreaFile(path, record);
    conditionFile(record, workspace);
    return result;
}

LoadResult loadAreaFile(const std::string& path, NamePipeFile& record) {
    ConditioningWorkspace workspace;
    return loadAreaFile(path, record, workspace);
}

LoadResult loadAreaResults(const std::string& path, NamePipeFile& record,
                           ConditioningWorkspace& workspace) {
    LoadResult result = readAreaFile(path, record, SlotContents::RawOnly);
    conditionFileForResults(record, workspace);
    return result;
}

void releaseAreaSamples(NamePipeFile& record) {
    for (MeasurePoint& point : record.points) {
        point.raw = {};
        point.accel = {};
        point.lengthAxis = {};
        point.spectrumA = {};
        point.spectrumB = {};
    }
    record.timeAxis = {};
    record.samples.release();
}

std::unique_ptr<NamePipeFile> loadAreaRecord(const std::string& path) {
    auto record = std::make_unique<NamePipeFile>();
    splitPath(path, record->dirPath, record->fileName);
    loadAreaFile(path, *record);
    return record;
}

} // namespace tarvel
