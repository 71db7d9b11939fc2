// The statistics of a pile integrity test: every area file of the project
// stands for one pile. Read by the three English reports.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tarvel::scrivet {

// What the statistics need of one pile.
struct PileSample {
    std::string number;    // the pile number (the area name)
    std::string classText; // the integrity class as stored, decoded
    float waveSpeed = 0;   // m/s
    bool included = true;  // takes part in the statistics and tables
};

// The integrity class of a class text: 1 to 4 for "Ⅰ类桩"/"Ⅰ" to "Ⅳ类桩"/"Ⅳ",
// 0 for any other text.
int integrityClass(const std::string& classText);

// Single precision throughout, as the instrument's own software computes.
// A value whose flag is false cannot be computed and prints "--".
struct PileStatistics {
    int statisticalNumber = 0; // N: included piles
    int testingNumber = 0;     // all piles
    std::array<int, 4> classCounts{};
    std::array<float, 4> classShares{}; // percent of N
    bool sharesValid = false;           // N > 0

    float speedSum = 0;
    float averageSpeed = 0;
    bool averageValid = false; // N > 0
    float minimumSpeed = 0;
    float maximumSpeed = 0;
    std::string minimumPile; // empty without an included pile
    std::string maximumPile;
    bool extremesValid = false;
    float standardDeviation = 0; // population deviation, over N
    bool deviationValid = false;
    // deviation / average; 0 when the deviation is at most 1e-6.
    float discreteCoefficient = 0;
    bool coefficientValid = false; // N > 0 and an average other than 0
};

PileStatistics computePileStatistics(const std::vector<PileSample>& piles);

} // namespace tarvel::scrivet
