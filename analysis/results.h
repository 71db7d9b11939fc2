// The results of a point and of an area. This is the only place they are
// computed: views, tables, maps, the command line and the reports read them.
#pragma once

#include "data/area_file.h"
#include "data/measure_point.h"
#include "result_fields.h"
#include "result_parameters.h"

#include <array>
#include <string>

namespace tarvel {

// All twelve results of a marked point (Hertz contact of a ball on a
// half-space), from its marks, peak and samples, beside the moduli of its
// fitted pulse, with the quality flags that say how far they can be trusted.
// Header values that make the formulas meaningless give no results at all.
PointResults computePointResults(const MeasurePoint& point, const ResultParameters& parameters);

// The deformation modulus (MPa) without the area's slopeCoef/constTerm
// correction: what the distribution map colours.
double uncorrectedDeformationModulus(const MeasurePoint& point, const ResultParameters& parameters);

// The double integral of the measured deceleration from the start mark to
// the peak, in metres.
double settlementIntegral(const MeasurePoint& point, const ResultParameters& parameters);

// Stores the results in the point for a point that is not deleted; clears
// them for a deleted one.
void updatePointResults(MeasurePoint& point, const ResultParameters& parameters);

struct AreaMeans {
    bool valid = false;            // false when no point takes part
    double deformationModulus = 0; // MPa, harmonic mean
    double resilientModulus = 0;   // MPa, harmonic mean
    int pointCount = 0;            // points that took part
};

// Harmonic means of the two moduli over the points that are not deleted.
// Any modulus of 0 makes its mean 0.
AreaMeans computeAreaMeans(const NamePipeFile& file);

// An area whose measured peaks lie further than this from Hertz theory's,
// as a share, points at the instrument: a wrong drop height, gain or
// sensitivity in the header, or a tired sensor.
inline constexpr double kCalibrationTolerance = 0.15;

struct AreaCalibration {
    double ratio = kNoValue; // median of the points' calibration ratios
    int pointCount = 0;      // points with a ratio: fitted, not deleted, no error flag
    bool suspect = false;    // the ratio lies further than kCalibrationTolerance from 1
};

AreaCalibration computeAreaCalibration(const NamePipeFile& file);

// Fixed-point text with the given decimals, as the views show numbers;
// non-finite values read "nan", "inf" or "-inf".
std::string formatFixed(double value, int decimals);

// The twelve result lines exactly as the wave view shows them.
std::array<std::string, 12> resultLines(const PointResults& results);

// "拟合 Ed / Er (MPa): a ± b / c ± d" (or another label before ": "), with
// "--" for what the fit could not give.
std::string fitResultLine(const PointResults& results, const char* label = kFitLineLabel);

} // namespace tarvel
