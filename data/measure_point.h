// One measurement point in memory: its stored header and samples, and the
// series and values derived from them (never stored, rebuilt by conditioning).
#pragma once

#include "impact_fits.h"
#include "quality_flags.h"
#include "records.h"
#include "sample_buffer.h"

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace tarvel {

inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// The twelve results of one point, in the order they are shown.
struct PointResults {
    double tc = 0;                 // ms
    double settlement = 0;         // m
    double impactForce = 0;        // kN
    double contactDiameter = 0;    // m
    double deformationModulus = 0; // MPa
    double k30 = 0;                // MPa/m
    double cbr = 0;
    double resilientModulus = 0; // MPa
    double deflection = 0;       // 0.01 mm
    double dryDensity = 0;       // g/cm3
    double compactionDegree = 0;
    double relativeDensity = 0;

    // The whole-pulse fit's second opinion: the moduli from the fitted
    // durations with the half-widths of their 95 % intervals, the fit's RMS
    // residual as a share of the peak, and the measured peak over the one
    // Hertz theory gives. Not numbers where there is no fit.
    double fitDeformationModulus = kNoValue;  // MPa
    double fitDeformationInterval = kNoValue; // MPa, plus or minus
    double fitResilientModulus = kNoValue;    // MPa
    double fitResilientInterval = kNoValue;   // MPa, plus or minus
    double fitResidual = kNoValue;
    double calibrationRatio = kNoValue;

    QualityFlags flags; // how far the results can be trusted
};

// How the last marking run came to its marks; never stored.
struct MarkingOutcome {
    bool automatic = false;
    bool impactFound = false;    // automatic: a start was found
    bool impactReturned = false; // automatic: the impact fell back to the baseline
    int noisePulsesSkipped = 0; // automatic: pulses of noise passed over, 5 % of the impact or more
    double startLevel = 0;      // the start threshold above the baseline, accel units
    double endLevel = 0;        // where a pulse ends above the baseline, accel units
};

struct MeasurePoint {
    PointHeader header{};

    // In the file's sample block once loaded; the views read them in place.
    SampleBuffer<uint16_t> raw; // samples as stored; never modified
    SampleBuffer<double> accel; // conditioned samples
    // Filled only by a head alignment; empty until something needs it.
    std::vector<double> lengthAxis;
    // Spectrum series, allocated only by whoever uses them.
    std::vector<double> spectrumA;
    std::vector<double> spectrumB;
    int32_t halfCount = 0;

    double extraValue = 0;
    double peakValue = 0; // accel units
    std::array<double, 9> viewValues{};
    int32_t stateCount = 0;
    double baseline = 0;
    double startMarkMs = 0;
    double endMarkMs = 0;
    double peakTime = 0; // ms
    double pickTime = 0; // ms, reset by every marking run
    std::array<double, 2> markValues{};
    double yMax = 0;
    double yMin = 0;
    int32_t listRow = 0; // a merged wave's row in the wave list

    MarkingOutcome marking{};
    RecordBaseline recordBaseline{}; // the interference removed before marking
    PulseFit pulseFit{};             // the Hertz pulse fitted to the impact
    PointResults results{};
    bool hasResults = false; // false for deleted points and before conditioning

    bool isDeleted() const { return header.deleted != 0; }
};

} // namespace tarvel
