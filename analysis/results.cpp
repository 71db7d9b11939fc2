#include "results.h"

#include "hertz_pulse.h"
#include "quality_assessment.h"
#include "result_fields.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace tarvel {
namespace {

// Modulus of the half-space from a Hertz contact time t (s): the closed form
// of the contact time solved for E2, before the area's linear correction.
double uncorrectedHertzModulus(double t, const ResultParameters& p) {
    const double e1 = p.ballModulus;
    const double m = p.ballMass;
    const double nu1 = p.ballPoisson;
    const double nu2 = p.materialPoisson;
    const double n0 = (1 - nu2 * nu2) * p.materialCorrection * m * e1;
    const double denominator =
        0.0719 * e1 * std::sqrt(p.ballRadius * p.impactSpeed()) * std::pow(t, 2.5) -
        (1 - nu1 * nu1) * m;
    return n0 / denominator / 1000000;
}

double hertzModulus(double t, const ResultParameters& p) {
    return uncorrectedHertzModulus(t, p) * p.slope + p.constant;
}

// Twice the time from the start mark to the peak, one sample short (s): the
// contact time the deformation modulus is computed from.
double loadingContactTime(const MeasurePoint& point, const ResultParameters& p) {
    const double dt = p.sampleIntervalUs;
    return 2 * (point.peakTime - point.startMarkMs - dt / 1000) / 1000;
}

// The 95 % half-width of hertzModulus(t) for a t (ms) with this standard
// deviation, through the modulus' slope at t.
double modulusInterval(double t, double deviation, const ResultParameters& p) {
    const double step = 1e-6 * t;
    const double slope =
        (hertzModulus((t + step) / 1000, p) - hertzModulus((t - step) / 1000, p)) / (2 * step);
    return 1.96 * std::abs(slope) * deviation;
}

// The moduli of the fitted pulse: its whole loading half stands for the
// marks' start-to-peak time and its whole length for Tc, without the
// sample-grid terms the marks need.
void fillFitResults(PointResults& r, const PulseFit& fit, const ResultParameters& p) {
    if (!fit.converged)
        return;
    const double t1 = 2 * fit.loading;
    const double t2 = fit.loading + fit.unloading;
    r.fitDeformationModulus = hertzModulus(t1 / 1000, p);
    r.fitResilientModulus = hertzModulus(t2 / 1000, p);
    r.fitDeformationInterval = modulusInterval(t1, 2 * fit.loadingDeviation, p);
    const double contactVariance = fit.loadingDeviation * fit.loadingDeviation +
                                   fit.unloadingDeviation * fit.unloadingDeviation +
                                   2 * fit.loadingUnloadingCovariance;
    r.fitResilientInterval = modulusInterval(t2, std::sqrt(std::max(contactVariance, 0.0)), p);
    r.fitResidual = fit.residual;
    const double measuredPeak = fit.amplitude / p.gain;
    r.calibrationRatio = measuredPeak / hertzPeakDeceleration(p.impactSpeed(), fit.loading / 1000);
}

PointResults withoutResults(const char* invalidField) {
    PointResults r;
    for (const ResultField& field : kResultFields)
        r.*field.value = kNoValue;
    r.flags.set(QualityFlag::InvalidParameters);
    r.flags.invalidParameter = invalidField;
    return r;
}

// A value rounded to single precision. Out of line on purpose: GCC 12's
// SLP vectorizer drops a double-to-float-to-double round trip when it pairs
// the stores of two such values, which left unrounded densities in the
// results.
[[gnu::noinline]] double singlePrecision(double value) {
    return static_cast<float>(value);
}

} // namespace

double settlementIntegral(const MeasurePoint& point, const ResultParameters& p) {
    const double dt = p.sampleIntervalUs;
    const double g = p.gain;
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

PointResults computePointResults(const MeasurePoint& point, const ResultParameters& p) {
    if (p.invalidField) {
        PointResults r = withoutResults(p.invalidField);
        if (!point.marking.automatic)
            r.flags.set(QualityFlag::Manual);
        return r;
    }
    PointResults r;
    const double dt = p.sampleIntervalUs;
    const double v0 = p.impactSpeed();
    const double radius = p.ballRadius;
    const double nu2 = p.materialPoisson;

    r.tc = point.endMarkMs - point.startMarkMs;
    r.settlement = v0 * (point.peakTime - point.startMarkMs) / 1000 - settlementIntegral(point, p);
    r.impactForce = (point.peakValue / p.gain) * p.ballMass / 1000;
    r.contactDiameter =
        2 * std::sqrt(radius * radius - (radius - r.settlement) * (radius - r.settlement));

    r.deformationModulus = hertzModulus(loadingContactTime(point, p), p);
    r.k30 = r.deformationModulus / ((1 - nu2 * nu2) * 0.237);
    r.cbr = r.deformationModulus / ((1 - nu2 * nu2) * 1.2774) - 4;

    const double t2 = (r.tc + dt / 1000) / 1000;
    r.resilientModulus = hertzModulus(t2, p);
    r.deflection = p.deflectionCorrection * 159.2388 * 0.8775 / r.resilientModulus / 0.01;

    // The instrument keeps these three in single precision, and divides by
    // ln(2.71828) rather than ln(e).
    const double rho = singlePrecision(
        p.densityA * std::log(r.deformationModulus) / std::log(2.71828) + p.densityB);
    const double rhoMax = p.maxDryDensity;
    const double rhoMin = p.minDryDensity;
    r.dryDensity = rho;
    r.compactionDegree = singlePrecision(rho / rhoMax);
    r.relativeDensity = singlePrecision((rho - rhoMin) * rhoMax / rho / (rhoMax - rhoMin));

    fillFitResults(r, point.pulseFit, p);
    r.flags = assessQuality(point, p, r);
    return r;
}

double uncorrectedDeformationModulus(const MeasurePoint& point, const ResultParameters& p) {
    return uncorrectedHertzModulus(loadingContactTime(point, p), p);
}

void updatePointResults(MeasurePoint& point, const ResultParameters& p) {
    if (point.isDeleted()) {
        point.results = PointResults{};
        point.hasResults = false;
        return;
    }
    point.results = computePointResults(point, p);
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

AreaCalibration computeAreaCalibration(const NamePipeFile& file) {
    std::vector<double> ratios;
    for (const MeasurePoint& point : file.points) {
        const PointResults& r = point.results;
        if (!point.isDeleted() && point.hasResults && !r.flags.hasError() &&
            std::isfinite(r.calibrationRatio))
            ratios.push_back(r.calibrationRatio);
    }
    AreaCalibration calibration;
    calibration.pointCount = static_cast<int>(ratios.size());
    if (ratios.empty())
        return calibration;
    std::sort(ratios.begin(), ratios.end());
    const std::size_t middle = ratios.size() / 2;
    calibration.ratio =
        ratios.size() % 2 ? ratios[middle] : 0.5 * (ratios[middle - 1] + ratios[middle]);
    calibration.suspect = std::abs(calibration.ratio - 1) > kCalibrationTolerance;
    return calibration;
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

std::string fitResultLine(const PointResults& r, const char* label) {
    const auto value = [](double modulus, double interval) {
        if (!std::isfinite(modulus))
            return std::string("--");
        return formatFixed(modulus, 2) + " ± " + formatFixed(interval, 2);
    };
    return std::string(label) + ": " + value(r.fitDeformationModulus, r.fitDeformationInterval) +
           " / " + value(r.fitResilientModulus, r.fitResilientInterval);
}

} // namespace tarvel
