#include "area_report.h"

#include "analysis/results.h"
#include "data/gbk_text.h"

#include <cmath>

namespace tarvel::scrivet {
namespace {

PointRow describePoint(const MeasurePoint& point, int number) {
    PointRow row;
    row.number = std::to_string(number);
    if (!point.hasResults) {
        row.values.fill(kNoValue);
        return row;
    }
    const PointResults& r = point.results;
    row.values = {valueText(r.deformationModulus),
                  valueText(r.resilientModulus),
                  valueText(r.deflection),
                  valueText(r.k30),
                  valueText(r.cbr),
                  valueText(r.dryDensity),
                  valueText(r.compactionDegree),
                  valueText(r.relativeDensity)};
    return row;
}

} // namespace

std::string valueText(double value) {
    return std::isfinite(value) ? formatFixed(value, 2) : kNoValue;
}

std::string valueText(double value, const char* unit) {
    return std::isfinite(value) ? formatFixed(value, 2) + unit : kNoValue;
}

std::string materialName(int areaType) {
    static const char* const kNames[] = {"硬质砾石", "硬质砂石",   "粉砂",
                                         "软弱黏土", "水泥稳定土", "其它材料"};
    if (areaType < 0 || areaType >= static_cast<int>(std::size(kNames)))
        return {};
    return kNames[areaType];
}

AreaReport describeArea(const NamePipeFile& area) {
    const PipHeader& h = area.header;
    AreaReport report;
    report.name = decodeGbk(h.areaName);
    report.material = materialName(h.areaType);
    report.gridRows = h.gridRows;
    report.gridColumns = h.gridCols;
    report.pointSpacing = valueText(h.pointSpacing, "m");
    report.dropHeight = valueText(h.dropHeight, "m");

    // With no point left the means are undefined, like 0/0.
    const AreaMeans means = computeAreaMeans(area);
    report.deformationModulus =
        means.valid ? valueText(means.deformationModulus, " MPa") : std::string(kNoValue);
    report.resilientModulus =
        means.valid ? valueText(means.resilientModulus, " MPa") : std::string(kNoValue);

    for (std::size_t i = 0; i < area.points.size(); ++i)
        if (!area.points[i].isDeleted())
            report.rows.push_back(describePoint(area.points[i], static_cast<int>(i) + 1));
    return report;
}

} // namespace tarvel::scrivet
