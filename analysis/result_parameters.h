// What the result formulas need of an area's header: the sampling, the ball,
// the drop, the ground and the engineer's corrections, read once from the
// stored single-precision fields.
#pragma once

#include "data/records.h"

namespace tarvel {

struct ResultParameters {
    double sampleIntervalUs = 0;
    double gain = 0; // accel units per m/s2

    double dropHeight = 0;  // m
    double ballRadius = 0;  // m
    double ballMass = 0;    // kg
    double ballModulus = 0; // Pa
    double ballPoisson = 0;

    double materialPoisson = 0;
    double materialCorrection = 0; // kM
    double slope = 0;              // a0 of the modulus correction
    double constant = 0;           // b0 of the modulus correction, MPa
    double deflectionCorrection = 0;

    double maxDryDensity = 0; // g/cm3
    double minDryDensity = 0; // g/cm3
    double densityA = 0;      // of Rd = a ln(E) + b
    double densityB = 0;      // g/cm3

    // The key of the first field that makes the formulas meaningless, or
    // nullptr (see invalidParameterOf).
    const char* invalidField = nullptr;

    // The ball's speed at first touch, from the drop height (m/s).
    double impactSpeed() const;
};

ResultParameters resultParametersOf(const PipHeader& header);

// The key of the first header field that makes the formulas or the
// conversion meaningless (a gain, sensitivity, full scale, sample interval,
// ball or drop value that is not a positive number, a Poisson ratio outside
// 0 to 0.5), or nullptr when there is none.
const char* invalidParameterOf(const PipHeader& header);

} // namespace tarvel
