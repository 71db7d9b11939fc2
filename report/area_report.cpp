#include "area_report.h"

#include "analysis/result_fields.h"
#include "analysis/results.h"
#include "data/gbk_text.h"

#include <cmath>
#include <limits>
#include <string_view>

namespace tarvel::scrivet {
namespace {

constexpr double kNotComputed = std::numeric_limits<double>::quiet_NaN();

// The results the point table shows, in its column order, by their keys in
// the result table.
const std::array<const ResultField*, 8>& pointTableFields() {
    static const std::array<const ResultField*, 8> fields = [] {
        const char* const keys[] = {
            "deformationModulus", "resilientModulus", "deflection",     "k30", "cbr",
            "dryDensity",         "compactionDegree", "relativeDensity"};
        std::array<const ResultField*, 8> found{};
        for (std::size_t i = 0; i < found.size(); ++i) {
            for (const ResultField& field : kResultFields) {
                if (std::string_view(field.key) == keys[i])
                    found[i] = &field;
            }
        }
        return found;
    }();
    return fields;
}

PointRow describePoint(const MeasurePoint& point, int number) {
    PointRow row;
    row.number = number;
    if (!point.hasResults) {
        row.values.fill(kNotComputed);
        return row;
    }
    row.flags = point.results.flags;
    for (std::size_t i = 0; i < row.values.size(); ++i)
        row.values[i] = point.results.*pointTableFields()[i]->value;
    return row;
}

std::string gridCountText(std::size_t points, int rows, int columns) {
    return std::to_string(points) + "（" + std::to_string(rows) + "行×" + std::to_string(columns) +
           "列）";
}

} // namespace

std::string AreaReport::pointCountText() const {
    return gridCountText(rows.size(), gridRows, gridColumns);
}

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

std::string pointCountText(const NamePipeFile& area) {
    std::size_t kept = 0;
    for (const MeasurePoint& point : area.points)
        kept += point.isDeleted() ? 0 : 1;
    return gridCountText(kept, area.header.gridRows, area.header.gridCols);
}

AreaReport describeArea(const NamePipeFile& area, const AreaRequirement& requirement) {
    const PipHeader& h = area.header;
    AreaReport report;
    report.name = decodeGbk(h.areaName);
    report.material = materialName(h.areaType);
    report.gridRows = h.gridRows;
    report.gridColumns = h.gridCols;
    report.pointSpacing = h.pointSpacing;
    report.dropHeight = h.dropHeight;

    // With no point left the means are undefined, like 0/0.
    const AreaMeans means = computeAreaMeans(area);
    report.deformationModulus = means.valid ? means.deformationModulus : kNotComputed;
    report.resilientModulus = means.valid ? means.resilientModulus : kNotComputed;

    report.acceptance = judgeArea(area, requirement);

    report.rows.reserve(area.points.size());
    for (std::size_t i = 0; i < area.points.size(); ++i)
        if (!area.points[i].isDeleted())
            report.rows.push_back(describePoint(area.points[i], static_cast<int>(i) + 1));
    return report;
}

} // namespace tarvel::scrivet
