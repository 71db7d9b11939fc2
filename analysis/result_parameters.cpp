#include "result_parameters.h"

#include <cmath>

namespace tarvel {
namespace {

bool positive(float value) {
    return std::isfinite(value) && value > 0;
}

bool poissonRatio(float value) {
    return std::isfinite(value) && value >= 0 && value <= 0.5f;
}

} // namespace

double ResultParameters::impactSpeed() const {
    return std::sqrt(19.6 * dropHeight);
}

ResultParameters resultParametersOf(const PipHeader& h) {
    ResultParameters p;
    p.sampleIntervalUs = h.sampleInterval;
    p.gain = h.gain;
    p.dropHeight = h.dropHeight;
    p.ballRadius = h.ballRadius;
    p.ballMass = h.ballMass;
    p.ballModulus = h.ballModulus;
    p.ballPoisson = h.ballPoisson;
    p.materialPoisson = h.materialPoisson;
    p.materialCorrection = h.materialCorr;
    p.slope = h.slopeCoef;
    p.constant = h.constTerm;
    p.deflectionCorrection = h.deflectionCorr;
    p.maxDryDensity = h.maxDryDensity;
    p.minDryDensity = h.minDryDensity;
    p.densityA = h.densityA;
    p.densityB = h.densityB;
    p.invalidField = invalidParameterOf(h);
    return p;
}

const char* invalidParameterOf(const PipHeader& h) {
    const struct {
        const char* key;
        bool valid;
    } checks[] = {
        {"sampleInterval", positive(h.sampleInterval)},
        {"gain", positive(h.gain)},
        {"sensitivity", positive(h.sensitivity)},
        {"fullScale", positive(h.fullScale)},
        {"dropHeight", positive(h.dropHeight)},
        {"ballRadius", positive(h.ballRadius)},
        {"ballMass", positive(h.ballMass)},
        {"ballModulus", positive(h.ballModulus)},
        {"ballPoisson", poissonRatio(h.ballPoisson)},
        {"materialPoisson", poissonRatio(h.materialPoisson)},
    };
    for (const auto& check : checks)
        if (!check.valid)
            return check.key;
    return nullptr;
}

} // namespace tarvel
