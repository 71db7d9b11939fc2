// What the reports print for one measurement area, taken from the analysis
// results so a report always shows what the screen shows.
#pragma once

#include "analysis/acceptance.h"
#include "data/area_file.h"

#include <array>
#include <string>
#include <vector>

namespace tarvel::scrivet {

// Shown wherever a value is not a finite number.
inline constexpr const char* kNoValue = "--";

// Titles of the point table, in column order, on one line.
inline constexpr std::array<const char*, 9> kPointTableTitles = {
    "测点编号", "变形模量(MPa)",   "回弹模量(MPa)", "弯沉(0.01mm)", "K30(MPa/m)",
    "CBR",      "干燥密度(g/cm³)", "压实度",        "相对密度"};

// The same titles broken where a narrow column may break them: between a
// name and its unit ("\n" marks the break).
inline constexpr std::array<const char*, 9> kPointTableTitleLines = {
    "测点\n编号", "变形模量\n(MPa)",   "回弹模量\n(MPa)", "弯沉\n(0.01mm)", "K30\n(MPa/m)",
    "CBR",        "干燥密度\n(g/cm³)", "压实度",          "相对密度"};

struct PointRow {
    int number = 0;                 // the point's position in the area, from 1
    std::array<double, 8> values{}; // the columns after the number; NaN when not computed
    QualityFlags flags;
};

struct AreaReport {
    std::string name;
    std::string material; // empty for an unknown material index
    int gridRows = 0;
    int gridColumns = 0;
    double pointSpacing = 0;       // m
    double dropHeight = 0;         // m
    double deformationModulus = 0; // area mean, MPa; NaN without points
    double resilientModulus = 0;   // area mean, MPa; NaN without points
    std::vector<PointRow> rows;    // points not deleted, in array order
    AreaAcceptance acceptance;     // against the requirement the report was given

    // "24（4行×6列）": the points reported, then the grid they were laid in.
    std::string pointCountText() const;
};

// "%.2f" of a value, or kNoValue when it is not finite.
std::string valueText(double value);

// valueText followed by a unit, or kNoValue alone.
std::string valueText(double value, const char* unit);

// The material name of an area type, empty when the index is unknown.
std::string materialName(int areaType);

// "24（4行×6列）" of the points not deleted and the grid of the header.
std::string pointCountText(const NamePipeFile& area);

// Without a requirement the statistics are there and the verdict is "--".
AreaReport describeArea(const NamePipeFile& area, const AreaRequirement& requirement = {});

} // namespace tarvel::scrivet
