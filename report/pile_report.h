// What the English reports print for one pile, read from its area file.
#pragma once

#include "pile_statistics.h"

#include "data/area_file.h"

#include <string>
#include <vector>

namespace tarvel::scrivet {

struct PileReport {
    const NamePipeFile* file = nullptr;
    std::string number; // the area name
    std::string pouringDate;
    std::string testDate;
    std::string pileType;
    std::string classText;
    std::string strengthGrade;
    std::string sectionShape;
    std::string evaluation; // the integrity text in English
    int width = 0;          // mm
    int breadth = 0;        // mm
    float length = 0;       // m
    float waveSpeed = 0;    // m/s
    float longitude = 0;
    float latitude = 0;
    float height = 0;
    // Defect positions (m) that are finite and above 1e-6, ascending.
    std::vector<float> defectPositions;
    bool included = true;

    bool isSquare() const { return sectionShape == "Square"; }
    // "800" or, for a square section, "800×600".
    std::string diameterText() const;
    // 2 × length / speed in ms: infinite for a speed of 0.
    double bottomReflectionMs() const;
    // The defect reflection times "%0.3f" joined with ","; empty without
    // defects, "--" when they cannot be computed.
    std::string defectTimesText() const;
    // "Class Ⅰ" to "Class Ⅳ", or the stored text when it names no class.
    std::string className() const;
    // "Ⅰ" to "Ⅳ", or the stored text.
    std::string classSymbol() const;
};

// Every area of the project as a pile, in project order; texts are read
// within their field widths and decoded from GBK.
std::vector<PileReport> describePiles(const AreaFileList& areas);

PileStatistics computePileStatistics(const std::vector<PileReport>& piles);

// "%0.2f" of the value when it is valid and finite, otherwise "--".
std::string statisticText(float value, bool valid, int decimals = 2);

} // namespace tarvel::scrivet
