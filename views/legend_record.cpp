#include "legend_record.h"

#include "data/area_file.h"

#include <algorithm>
#include <iterator>

namespace tarvel {

bool hasPosition(const DefectMark& mark) {
    return mark.position > 1e-6f;
}

EditRecord legendEditRecord(const NamePipeFile& file, int32_t kind, int pointIndex) {
    EditRecord record;
    record.kind = kind;
    record.pointIndex = pointIndex;
    for (int e = 0; e < 10; ++e) {
        const DefectMark& mark = file.header.defectLegend[e];
        if (!hasPosition(mark))
            continue;
        LegendCopy copy;
        copy.index = e;
        std::copy(std::begin(mark.codeA), std::end(mark.codeA), copy.codeA);
        std::copy(std::begin(mark.codeB), std::end(mark.codeB), copy.codeB);
        copy.timeMs = mark.position / file.header.waveSpeed * 1000;
        copy.legendPoint = file.header.legendPoint[e];
        record.legendCopy.push_back(copy);
    }
    for (int i = 0; i < file.pointCount(); ++i)
        record.printMarks[i] = file.points[static_cast<std::size_t>(i)].header.printMark;
    return record;
}

} // namespace tarvel
