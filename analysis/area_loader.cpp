#include "area_loader.h"

#include "conditioning.h"
#include "data/project_file.h"

namespace tarvel {

LoadResult loadAreaFile(const std::string& path, NamePipeFile& record) {
    LoadResult result = readAreaFile(path, record);
    conditionFile(record);
    return result;
}

std::unique_ptr<NamePipeFile> loadAreaRecord(const std::string& path) {
    auto record = std::make_unique<NamePipeFile>();
    splitPath(path, record->dirPath, record->fileName);
    loadAreaFile(path, *record);
    return record;
}

} // namespace tarvel
