#include "pile_statistics.h"

#include <cmath>

namespace tarvel::scrivet {

int integrityClass(const std::string& classText) {
    static const char* const kLong[] = {"Ⅰ类桩", "Ⅱ类桩", "Ⅲ类桩", "Ⅳ类桩"};
    static const char* const kShort[] = {"Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ"};
    for (int i = 0; i < 4; ++i)
        if (classText == kLong[i] || classText == kShort[i])
            return i + 1;
    return 0;
}

PileStatistics computePileStatistics(const std::vector<PileSample>& piles) {
    PileStatistics s;
    s.testingNumber = static_cast<int>(piles.size());
    for (const PileSample& pile : piles) {
        if (!pile.included)
            continue;
        ++s.statisticalNumber;
        if (int c = integrityClass(pile.classText); c > 0)
            ++s.classCounts[static_cast<std::size_t>(c - 1)];
        s.speedSum += pile.waveSpeed;
        // The first pile sets both; later ones only when strictly beyond.
        if (!s.extremesValid || pile.waveSpeed < s.minimumSpeed) {
            s.minimumSpeed = pile.waveSpeed;
            s.minimumPile = pile.number;
        }
        if (!s.extremesValid || pile.waveSpeed > s.maximumSpeed) {
            s.maximumSpeed = pile.waveSpeed;
            s.maximumPile = pile.number;
        }
        s.extremesValid = true;
    }
    const int n = s.statisticalNumber;
    if (n == 0)
        return s;
    const float count = static_cast<float>(n);
    for (std::size_t i = 0; i < 4; ++i)
        s.classShares[i] = static_cast<float>(s.classCounts[i]) / count * 100.0f;
    s.sharesValid = true;
    s.averageSpeed = s.speedSum / count;
    s.averageValid = true;
    float squares = 0;
    for (const PileSample& pile : piles)
        if (pile.included) {
            const float difference = pile.waveSpeed - s.averageSpeed;
            squares += difference * difference;
        }
    s.standardDeviation = std::sqrt(squares / count);
    s.deviationValid = true;
    if (s.averageSpeed != 0.0f) {
        s.discreteCoefficient =
            s.standardDeviation > 1e-6f ? s.standardDeviation / s.averageSpeed : 0.0f;
        s.coefficientValid = true;
    }
    return s;
}

} // namespace tarvel::scrivet
