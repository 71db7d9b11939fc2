#include "area_loader.h"

#include "conditioning.h"

namespace tarvel {

LoadResult loadAreaFile(const std::string& path, NamePipeFile& record) {
    LoadResult result = readAreaFile(path, record);
    conditionFile(record);
    return result;
}

} // namespace tarvel
