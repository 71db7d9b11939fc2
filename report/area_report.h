// The texts the reports print for one measurement area, taken from the
// analysis results so a report always shows what the screen shows.
#pragma once

#include "data/area_file.h"

#include <array>
#include <string>
#include <vector>

namespace tarvel::scrivet {

// Shown wherever a value is not a finite number.
inline constexpr const char* kNoValue = "--";

// Titles of the point table, in column order.
inline constexpr std::array<const char*, 9> kPointTableTitles = {
    "测点编号", "变形模量(MPa)",   "回弹模量(MPa)", "弯沉(0.01mm)", "K30(MPa/m)",
    "CBR",      "干燥密度(g/cm3)", "压实度",        "相对密度"};

struct PointRow {
    std::string number;                // the point's position in the area, from 1
    std::array<std::string, 8> values; // the columns after the number
};

struct AreaReport {
    std::string name;
    std::string material; // empty for an unknown material index
    int gridRows = 0;
    int gridColumns = 0;
    std::string pointSpacing;       // "1.00m"
    std::string dropHeight;         // "0.50m"
    std::string deformationModulus; // area mean, "123.45 MPa"
    std::string resilientModulus;   // area mean, "123.45 MPa"
    std::vector<PointRow> rows;     // points not deleted, in array order
};

// "%.2f" of a value, or kNoValue when it is not finite.
std::string valueText(double value);

// valueText followed by a unit, or kNoValue alone.
std::string valueText(double value, const char* unit);

// The material name of an area type, empty when the index is unknown.
std::string materialName(int areaType);

AreaReport describeArea(const NamePipeFile& area);

} // namespace tarvel::scrivet
