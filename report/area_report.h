// What the reports print for one measurement area, taken from the analysis
// results so a report always shows what the screen shows.
#pragma once

#include "report_texts.h"

#include "analysis/acceptance.h"
#include "analysis/result_columns.h"
#include "analysis/results.h"
#include "data/area_file.h"

#include <array>
#include <string>
#include <vector>

namespace tarvel::scrivet {

// Shown wherever a value is not a finite number.
inline constexpr const char* kNoValue = "--";

struct PointRow {
    int number = 0; // the point's position in the area, from 1
    // The columns of kPointTableColumns after the number; NaN when not computed.
    std::array<double, kPointTableColumnCount> values{};
    // The columns of kFittedColumns, for the tables that show them.
    std::array<double, kFittedColumnCount> fitted{};
    QualityFlags flags; // only those a report lists (reportedFlags)
};

struct AreaReport {
    int number = 0; // the area's place in the project, from 1
    std::string name;
    std::string fileName;
    std::string material; // empty for an unknown material index
    int gridRows = 0;
    int gridColumns = 0;
    double pointSpacing = 0;       // m
    double dropHeight = 0;         // m
    double deformationModulus = 0; // harmonic mean, MPa; NaN without points
    double resilientModulus = 0;   // harmonic mean, MPa; NaN without points
    std::string testDate;          // as stored, "yyyyMMdd"
    std::vector<PointRow> rows;    // points not deleted, in array order
    AreaAcceptance acceptance;     // against the requirement the report was given
    AreaCalibration calibration;   // the measured peaks against Hertz theory

    // "24（4行×6列）": the points reported, then the grid they were laid in.
    std::string pointCountText(const ReportTexts& texts) const;
};

// The flags a report lists: warnings and errors. Notes of lesser severity
// (skipped noise, hand marks) would star nearly every point of an area.
QualityFlags reportedFlags(const QualityFlags& flags);

// The value with the field's decimals, or kNoValue when it is not finite.
std::string valueText(double value, int decimals = 2);

// valueText followed by a unit, or kNoValue alone.
std::string valueText(double value, const char* unit);

// The material name of an area type, empty when the index is unknown.
std::string materialName(int areaType, const ReportTexts& texts);

// "24（4行×6列）" of the points not deleted and the grid of the header.
std::string pointCountText(const NamePipeFile& area, const ReportTexts& texts);

// A point-table column's title: the field's name and, on a second line
// when `twoLines`, its unit ("g/cm³" with a raised 3).
std::string pointColumnTitle(const ResultField& field, const ReportTexts& texts, bool twoLines);

// Without a requirement the statistics are there and the verdict is "--".
AreaReport describeArea(const NamePipeFile& area, int number, const ReportTexts& texts,
                        const AreaRequirement& requirement = {});

} // namespace tarvel::scrivet
