#include "pile_report.h"

#include "analysis/integrity_text.h"
#include "analysis/results.h"
#include "data/gbk_text.h"

#include <algorithm>
#include <cmath>

namespace tarvel::scrivet {
namespace {

// Reflection time in ms of a wave running `metres` down and back.
double reflectionMs(double metres, double speed) {
    return 2.0 * metres / speed * 1000.0;
}

} // namespace

std::string PileReport::diameterText() const {
    return isSquare() ? std::to_string(width) + "×" + std::to_string(breadth)
                      : std::to_string(width);
}

double PileReport::bottomReflectionMs() const {
    return reflectionMs(length, waveSpeed);
}

std::string PileReport::defectTimesText() const {
    std::string text;
    for (float position : defectPositions) {
        const double time = reflectionMs(position, waveSpeed);
        if (!std::isfinite(time))
            return "--";
        text += (text.empty() ? "" : ",") + formatFixed(time, 3);
    }
    return text;
}

std::string PileReport::className() const {
    static const char* const kNames[] = {"Class Ⅰ", "Class Ⅱ", "Class Ⅲ", "Class Ⅳ"};
    const int c = integrityClass(classText);
    return c > 0 ? kNames[c - 1] : classText;
}

std::string PileReport::classSymbol() const {
    static const char* const kSymbols[] = {"Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ"};
    const int c = integrityClass(classText);
    return c > 0 ? kSymbols[c - 1] : classText;
}

std::vector<PileReport> describePiles(const AreaFileList& areas) {
    std::vector<PileReport> piles;
    piles.reserve(areas.size());
    for (const auto& area : areas) {
        const PipHeader& h = area->header;
        PileReport pile;
        pile.file = area.get();
        pile.number = decodeGbk(h.areaName);
        pile.pouringDate = decodeGbk(h.buildDate);
        pile.testDate = decodeGbk(h.testDate);
        pile.pileType = decodeGbk(h.pileType);
        pile.classText = decodeGbk(h.pileClass);
        pile.strengthGrade = decodeGbk(h.strengthGrade);
        pile.sectionShape = decodeGbk(h.sectionShape);
        pile.evaluation = englishIntegrityText(h);
        pile.width = h.pileWidth;
        pile.breadth = h.pileBreadth;
        pile.length = h.pileLength;
        pile.waveSpeed = h.waveSpeed;
        pile.longitude = h.longitude;
        pile.latitude = h.latitude;
        pile.height = h.elevation;
        // A NaN would make the sort's comparison meaningless: only real
        // positions take part.
        for (const DefectMark& mark : h.defectLegend)
            if (std::isfinite(mark.position) && mark.position > 1e-6f)
                pile.defectPositions.push_back(mark.position);
        std::sort(pile.defectPositions.begin(), pile.defectPositions.end());
        pile.included = !area->excluded;
        piles.push_back(std::move(pile));
    }
    return piles;
}

PileStatistics computePileStatistics(const std::vector<PileReport>& piles) {
    std::vector<PileSample> samples;
    samples.reserve(piles.size());
    for (const PileReport& pile : piles)
        samples.push_back({pile.number, pile.classText, pile.waveSpeed, pile.included});
    return computePileStatistics(samples);
}

std::string statisticText(float value, bool valid, int decimals) {
    return valid && std::isfinite(value) ? formatFixed(value, decimals) : "--";
}

} // namespace tarvel::scrivet
