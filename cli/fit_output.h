// How tarvel-cli analyze prints the whole-pulse fit, the record's own
// baseline and the flags' level of a point, and the calibration check of an
// area, in each of its formats.
#pragma once

#include "analysis/results.h"
#include "json_writer.h"

#include <ostream>
#include <string>

namespace tarvel::cli {

// "fitDeformationModulus", "fitResilientModulus", "fitInterval" (the 95 %
// half-widths), "fitResidual", "calibrationRatio", "baseline" (in counts),
// "level" and, for impossible header values, "invalidParameter".
void writeFitJson(JsonWriter& json, const MeasurePoint& point);

// "calibrationRatio" and "areaFlags".
void writeCalibrationJson(JsonWriter& json, const AreaCalibration& calibration);

// The CSV columns after the flags: the fitted moduli with their intervals,
// the residual, the calibration ratio and the level.
std::string fitCsvHeader();
std::string fitCsvFields(const PointResults& results);

// "error", "warning", "info", or empty without flags.
std::string levelKey(const QualityFlags& flags);

void writeCalibrationText(std::ostream& out, const AreaCalibration& calibration);

} // namespace tarvel::cli
