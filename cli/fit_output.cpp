#include "fit_output.h"

#include "analysis/result_fields.h"

namespace tarvel::cli {

void writeFitJson(JsonWriter& json, const MeasurePoint& point) {
    const PointResults& r = point.results;
    json.key("fitDeformationModulus");
    json.value(r.fitDeformationModulus);
    json.key("fitResilientModulus");
    json.value(r.fitResilientModulus);
    json.key("fitInterval");
    json.beginObject();
    json.key("deformationModulus");
    json.value(r.fitDeformationInterval);
    json.key("resilientModulus");
    json.value(r.fitResilientInterval);
    json.endObject();
    json.key("fitResidual");
    json.value(r.fitResidual);
    json.key("calibrationRatio");
    json.value(r.calibrationRatio);

    const RecordBaseline& b = point.recordBaseline;
    json.key("baseline");
    json.beginObject();
    json.key("offset");
    json.value(b.offset);
    json.key("drift");
    json.value(b.drift);
    json.key("hum50");
    json.value(b.hum50);
    json.key("hum60");
    json.value(b.hum60);
    json.key("noise");
    json.value(b.noise);
    json.endObject();

    json.key("level");
    const std::string level = levelKey(r.flags);
    level.empty() ? json.null() : json.value(level);
    if (r.flags.invalidParameter) {
        json.key("invalidParameter");
        json.value(r.flags.invalidParameter);
    }
}

void writeCalibrationJson(JsonWriter& json, const AreaCalibration& calibration) {
    json.key("calibrationRatio");
    json.value(calibration.ratio);
    json.key("areaFlags");
    json.beginArray();
    if (calibration.suspect)
        json.value(labelOf(AreaFlag::CalibrationSuspect).key);
    json.endArray();
}

std::string fitCsvHeader() {
    std::string header;
    for (const ResultField& field : kFitResultFields)
        header += std::string(",") + field.key;
    return header + ",level";
}

std::string fitCsvFields(const PointResults& r) {
    std::string fields;
    for (const ResultField& field : kFitResultFields) {
        const std::string number = jsonNumber(r.*field.value);
        fields += ',' + (number == "null" ? std::string() : number);
    }
    return fields + ',' + levelKey(r.flags);
}

std::string levelKey(const QualityFlags& flags) {
    FlagSeverity level = FlagSeverity::Info;
    return flags.level(level) ? englishSeverityText(level) : "";
}

void writeCalibrationText(std::ostream& out, const AreaCalibration& calibration) {
    out << "峰值校核 (实测/理论): "
        << (calibration.pointCount > 0 ? formatFixed(calibration.ratio, 3) : std::string("-"));
    if (calibration.suspect)
        out << "  " << labelOf(AreaFlag::CalibrationSuspect).chinese << " ("
            << chineseSeverityText(labelOf(AreaFlag::CalibrationSuspect).severity) << ")";
    out << '\n';
}

} // namespace tarvel::cli
