// libFuzzer target: any bytes through the area-file reader, the whole
// conditioning chain, the results and the writer.
#include "analysis/conditioning.h"
#include "analysis/results.h"
#include "data/area_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    tarvel::NamePipeFile file;
    tarvel::parseAreaFile(data, size, file);
    tarvel::conditionFile(file);
    tarvel::computeAreaMeans(file);
    for (const tarvel::MeasurePoint& point : file.points)
        tarvel::resultLines(point.results);
    tarvel::serializeAreaFile(file);
    return 0;
}
