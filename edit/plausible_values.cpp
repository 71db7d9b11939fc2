#include "plausible_values.h"

#include <cmath>
#include <locale>
#include <sstream>

namespace tarvel {

// Generous bounds: they catch a slipped decimal point or a unit mistaken,
// never an unusual but real test.
const std::array<PlausibleRange, 12> kPlausibleRanges = {{
    {"dropHeight", 0.1, 3, "落球测试的下落高度在几分米到一两米之间",
     "a falling-ball test drops its ball from a few decimetres to a metre or two"},
    {"ballRadius", 0.03, 0.5, "测试用落球的半径在几厘米到几分米之间",
     "a test ball is a few centimetres to a few decimetres in radius"},
    {"ballMass", 1, 200, "测试用落球的质量在几千克到上百千克之间",
     "a test ball weighs from a few kilograms to a hundred or so"},
    {"ballModulus", 1e10, 1e12, "落球为钢或硬质合金，弹性模量约为 1e11 Pa（钢 2.1e11 Pa）",
     "the ball is steel or hard metal, about 1e11 Pa (steel 2.1e11 Pa)"},
    {"ballPoisson", 0.1, 0.5, "各向同性材料的泊松比不超过 0.5（钢约 0.3）",
     "no isotropic material has a Poisson ratio above 0.5 (steel about 0.3)"},
    {"materialPoisson", 0.1, 0.5, "土和填料的泊松比在 0.1 到 0.5 之间",
     "soils and fills have Poisson ratios from 0.1 to 0.5"},
    {"naturalDensity", 1, 2.8, "土和填料的密度在 1.0 到 2.8 g/cm3 之间",
     "soils and fills weigh 1.0 to 2.8 g/cm3"},
    {"maxDryDensity", 1, 2.8, "土的最大干密度在 1.0 到 2.8 g/cm3 之间",
     "a soil's maximum dry density lies from 1.0 to 2.8 g/cm3"},
    {"minDryDensity", 0.8, 2.6, "土的最小干密度在 0.8 到 2.6 g/cm3 之间",
     "a soil's minimum dry density lies from 0.8 to 2.6 g/cm3"},
    {"pointSpacing", 0.1, 100, "测点间距在几分米到几十米之间",
     "points lie a few decimetres to some tens of metres apart"},
    {"materialCorr", 0.2, 5, "修正系数接近 1", "a correction factor lies near 1"},
    {"deflectionCorr", 0.2, 5, "修正系数接近 1", "a correction factor lies near 1"},
}};

const PlausibleRange* plausibleRangeOf(std::string_view key) {
    for (const PlausibleRange& range : kPlausibleRanges) {
        if (key == range.key)
            return &range;
    }
    return nullptr;
}

const PlausibleRange* implausibleRange(std::string_view key, double value) {
    const PlausibleRange* range = plausibleRangeOf(key);
    return range && !(value >= range->low && value <= range->high) ? range : nullptr;
}

std::string implausibleText(const PlausibleRange& range) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << "outside the plausible range " << range.low << " to " << range.high << ": "
         << range.englishReason;
    return text.str();
}

} // namespace tarvel
