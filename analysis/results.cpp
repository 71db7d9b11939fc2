#include "results.h"

#include "quality_assessment.h"
#include "result_fields.h"

#include <cmath>
#include <cstdio>

namespace tarvel {
namespace {

// Modulus of the half-space from a Hertz contact time t (s): the closed form
// of the contact time solved for E2, before the area's linear correction.
double uncorrectedHertzModulus(double t, const PipHeader& h, double v0) {
    const double e1 = h.ballModulus;
    const double m = h.ballMass;
    const double nu1 = h.ballPoisson;
    const double nu2 = h.materialPoisson;
    const double n0 = (1 - nu2 * nu2) * h.materialCorr * m * e1;
    const double denominator =
        0.0719 * e1 * std::sqrt(h.ballRadius * v0) * std::pow(t, 2.5) - (1 - nu1 * nu1) * m;
    return n0 / denominator / 1000000;
}

double hertzModulus(double t, const PipHeader& h, double v0) {
    return uncorrectedHertzModulus(t, h, v0) * h.slopeCoef + h.constTerm;
}

double impactVelocity(const PipHeader& h) {
    return std::sqrt(19.6 * h.dropHeight);
}

// Twice the time from the start mark to the peak, one sample short (s): the
// contact time the deformation modulus is computed from.
double loadingContactTime(const MeasurePoint& point, const PipHeader& h) {
    const double dt = h.sampleInterval;
    return 2 * (point.peakTime - point.startMarkMs - dt / 1000) / 1000;
}

} // namespace

double settlementIntegral(const MeasurePoint& point, const PipHeader& header) {
    const double dt = header.sampleInterval;
    const double g = header.gain;
    const double n = static_cast<double>(point.accel.size());
    double first = std::trunc(point.startMarkMs * 1000 / dt);
    double peak = point.peakTime * 1000 / dt;
    if (!(first >= 0))
        first = 0;
    if (!(peak <= n))
        peak = n;
    if (first > peak)
        return 0;
    double integral = 0;
    for (int i = static_cast<int>(first); i < peak; ++i)
        integral += (peak - i) * (point.accel[static_cast<std::size_t>(i)] / g) * dt * dt /
                    1000000 / 1000000;
    return integral;
}

PointResults computePointResults(const MeasurePoint& point, const PipHeader& h) {
    PointResults r;
    const double dt = h.sampleInterval;
    const double v0 = impactVelocity(h);
    const double radius = h.ballRadius;
    const double nu2 = h.materialPoisson;

    r.tc = point.endMarkMs - point.startMarkMs;
    r.settlement = v0 * (point.peakTime - point.startMarkMs) / 1000 - settlementIntegral(point, h);
    r.impactForce = (point.peakValue / h.gain) * h.ballMass / 1000;
    r.contactDiameter =
        2 * std::sqrt(radius * radius - (radius - r.settlement) * (radius - r.settlement));

    r.deformationModulus = hertzModulus(loadingContactTime(point, h), h, v0);
    r.k30 = r.deformationModulus / ((1 - nu2 * nu2) * 0.237);
    r.cbr = r.deformationModulus / ((1 - nu2 * nu2) * 1.2774) - 4;

    const double t2 = (r.tc + dt / 1000) / 1000;
    r.resilientModulus = hertzModulus(t2, h, v0);
    r.deflection = h.deflectionCorr * 159.2388 * 0.8775 / r.resilientModulus / 0.01;

    // The instrument keeps these three in single precision, and divides by
    // ln(2.71828) rather than ln(e).
    const float dryDensity = static_cast<float>(
        h.densityA * std::log(r.deformationModulus) / std::log(2.71828) + h.densityB);
    const double rho = dryDensity;
    const double rhoMax = h.maxDryDensity;
    const double rhoMin = h.minDryDensity;
    r.dryDensity = dryDensity;
    r.compactionDegree = static_cast<float>(rho / rhoMax);
    r.relativeDensity = static_cast<float>((rho - rhoMin) * rhoMax / rho / (rhoMax - rhoMin));
    r.flags = assessQuality(point, h);
    return r;
}

double uncorrectedDeformationModulus(const MeasurePoint& point, const PipHeader& header) {
    return uncorrectedHertzModulus(loadingContactTime(point, header), header,
                                   impactVelocity(header));
}

void updatePointResults(MeasurePoint& point, const PipHeader& header) {
    if (point.isDeleted()) {
        point.results = PointResults{};
        point.hasResults = false;
        return;
    }
    point.results = computePointResults(point, header);
    point.hasResults = true;
}

AreaMeans computeAreaMeans(const NamePipeFile& file) {
    AreaMeans means;
    double deformationSum = 0;
    double resilientSum = 0;
    bool deformationZero = false;
    bool resilientZero = false;
    for (const MeasurePoint& point : file.points) {
        if (point.isDeleted())
            continue;
        ++means.pointCount;
        const PointResults& r = point.results;
        deformationZero |= r.deformationModulus == 0;
        resilientZero |= r.resilientModulus == 0;
        deformationSum += 1 / r.deformationModulus;
        resilientSum += 1 / r.resilientModulus;
    }
    if (means.pointCount == 0)
        return means;
    means.valid = true;
    means.deformationModulus = deformationZero ? 0 : means.pointCount / deformationSum;
    means.resilientModulus = resilientZero ? 0 : means.pointCount / resilientSum;
    return means;
}

std::string formatFixed(double value, int decimals) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    char buffer[400]; // the widest double in fixed point has 309 digits
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::array<std::string, 12> resultLines(const PointResults& r) {
    std::array<std::string, 12> lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ResultField& field = kResultFields[i];
        lines[i] =
            std::string(field.lineLabel) + ": " + formatFixed(r.*field.value, field.decimals);
    }
    return lines;
}

} // namespace tarvel
