#include "area_report.h"

#include "analysis/results.h"
#include "data/gbk_text.h"

#include <cmath>
#include <limits>

namespace tarvel::scrivet {
namespace {

constexpr double kNotComputed = std::numeric_limits<double>::quiet_NaN();

PointRow describePoint(const MeasurePoint& point, int number) {
    PointRow row;
    row.number = number;
    if (!point.hasResults) {
        row.values.fill(kNotComputed);
        row.fitted.fill(kNotComputed);
        return row;
    }
    row.flags = reportedFlags(point.results.flags);
    const std::vector<const ResultField*>& fields = pointTableFields();
    for (std::size_t i = 0; i < row.values.size(); ++i)
        row.values[i] = point.results.*fields[i]->value;
    const std::vector<const ResultField*>& fitted = fittedColumnFields();
    for (std::size_t i = 0; i < row.fitted.size(); ++i)
        row.fitted[i] = point.results.*fitted[i]->value;
    return row;
}

std::string gridCountText(std::size_t points, int rows, int columns, const ReportTexts& texts) {
    return fillIn(texts.pointCount, {{"points", std::to_string(points)},
                                     {"rows", std::to_string(rows)},
                                     {"columns", std::to_string(columns)}});
}

// "g/cm3" as printed: the 3 raised.
std::string printedUnit(std::string unit) {
    const std::string cubed = "cm3";
    if (const std::size_t at = unit.find(cubed); at != std::string::npos)
        unit.replace(at, cubed.size(), "cm³");
    return unit;
}

} // namespace

std::string AreaReport::pointCountText(const ReportTexts& texts) const {
    return gridCountText(rows.size(), gridRows, gridColumns, texts);
}

QualityFlags reportedFlags(const QualityFlags& flags) {
    QualityFlags reported = flags;
    reported.bits = 0;
    for (QualityFlag flag : flags.list())
        if (flags.severityOf(flag) != FlagSeverity::Info)
            reported.set(flag);
    return reported;
}

std::string valueText(double value, int decimals) {
    return std::isfinite(value) ? formatFixed(value, decimals) : kNoValue;
}

std::string valueText(double value, const char* unit) {
    return std::isfinite(value) ? formatFixed(value, 2) + unit : kNoValue;
}

std::string materialName(int areaType, const ReportTexts& texts) {
    if (areaType < 0 || areaType >= static_cast<int>(texts.materials.size()))
        return {};
    return texts.materials[static_cast<std::size_t>(areaType)];
}

std::string pointCountText(const NamePipeFile& area, const ReportTexts& texts) {
    std::size_t kept = 0;
    for (const MeasurePoint& point : area.points)
        kept += point.isDeleted() ? 0 : 1;
    return gridCountText(kept, area.header.gridRows, area.header.gridCols, texts);
}

std::string pointColumnTitle(const ResultField& field, const ReportTexts& texts, bool twoLines) {
    std::string name;
    std::string unit;
    if (texts.language == ReportLanguage::English) {
        // "Deformation modulus (MPa)": the unit is the bracketed end.
        name = field.englishLabel;
        const std::size_t open = name.rfind(" (");
        if (open != std::string::npos && name.back() == ')') {
            unit = name.substr(open + 2, name.size() - open - 3);
            name.erase(open);
        }
    } else {
        name = field.name;
        unit = field.unit;
    }
    if (unit.empty())
        return name;
    // English puts a space before the bracket, Chinese none.
    const char* open = twoLines ? "\n(" : texts.language == ReportLanguage::English ? " (" : "(";
    return name + open + printedUnit(unit) + ")";
}

AreaReport describeArea(const NamePipeFile& area, int number, const ReportTexts& texts,
                        const AreaRequirement& requirement) {
    const PipHeader& h = area.header;
    AreaReport report;
    report.number = number;
    report.name = decodeGbk(h.areaName);
    report.fileName = area.fileName;
    report.material = materialName(h.areaType, texts);
    report.gridRows = h.gridRows;
    report.gridColumns = h.gridCols;
    report.pointSpacing = h.pointSpacing;
    report.dropHeight = h.dropHeight;
    report.testDate = decodeGbk(h.testDate);

    // With no point left the means are undefined, like 0/0.
    const AreaMeans means = computeAreaMeans(area);
    report.deformationModulus = means.valid ? means.deformationModulus : kNotComputed;
    report.resilientModulus = means.valid ? means.resilientModulus : kNotComputed;

    report.acceptance = judgeArea(area, requirement);
    report.calibration = computeAreaCalibration(area);

    report.rows.reserve(area.points.size());
    for (std::size_t i = 0; i < area.points.size(); ++i)
        if (!area.points[i].isDeleted())
            report.rows.push_back(describePoint(area.points[i], static_cast<int>(i) + 1));
    return report;
}

} // namespace tarvel::scrivet
