#include "quality_output.h"

namespace tarvel::cli {
namespace {

void writeStatisticsJson(JsonWriter& json, const ModulusAcceptance& a) {
    json.key("guaranteeRate");
    json.value(a.guaranteeRate);
    json.key("n");
    json.value(a.n);
    json.key("excluded");
    json.value(a.excluded);
    json.key("mean");
    json.value(a.mean);
    json.key("standardDeviation");
    json.value(a.standardDeviation);
    json.key("coefficientOfVariation");
    json.value(a.coefficientOfVariation);
    json.key("min");
    json.value(a.min);
    json.key("minPoint");
    a.minPoint > 0 ? json.value(a.minPoint) : json.null();
    json.key("max");
    json.value(a.max);
    json.key("maxPoint");
    a.maxPoint > 0 ? json.value(a.maxPoint) : json.null();
    json.key("representativeValue");
    json.value(a.representativeValue);
    json.key("passShare");
    json.value(a.passShare);
    json.key("verdict");
    json.value(verdictText(a.verdict));
}

void writeRequired(JsonWriter& json, const char* key, std::optional<double> required) {
    json.key(key);
    required ? json.value(*required) : json.null();
}

} // namespace

AreaRequirement applyOverrides(AreaRequirement requirement, const AcceptanceOverrides& overrides) {
    if (overrides.deformationModulus)
        requirement.deformationModulus = overrides.deformationModulus;
    if (overrides.resilientModulus)
        requirement.resilientModulus = overrides.resilientModulus;
    if (overrides.guaranteeRate)
        requirement.guaranteeRate = *overrides.guaranteeRate;
    return requirement;
}

void writeFlagsJson(JsonWriter& json, const QualityFlags& flags) {
    json.key("flags");
    json.beginArray();
    for (QualityFlag flag : flags.list())
        json.value(labelOf(flag).key);
    json.endArray();
    json.key("noisePulsesSkipped");
    json.value(flags.noisePulsesSkipped);
}

std::string flagsCsvField(const QualityFlags& flags) {
    std::string field;
    for (QualityFlag flag : flags.list())
        field += (field.empty() ? "" : ";") + std::string(labelOf(flag).key);
    return field;
}

std::string flagsTextLine(const QualityFlags& flags) {
    std::string line;
    for (QualityFlag flag : flags.list()) {
        const QualityFlagLabel& label = labelOf(flag);
        line += line.empty() ? "质量: " : ", ";
        line += label.chinese;
        if (flag == QualityFlag::NoiseSkipped)
            line += " " + std::to_string(flags.noisePulsesSkipped) + " 个";
        if (flag == QualityFlag::InvalidParameters && flags.invalidParameter)
            line += std::string(" ") + flags.invalidParameter;
        line += " (" + std::string(chineseSeverityText(flags.severityOf(flag))) + ")";
    }
    return line;
}

void writeAcceptanceJson(JsonWriter& json, const AreaAcceptance& acceptance) {
    json.key("acceptance");
    json.beginObject();
    writeRequired(json, "requiredDeformationModulus", acceptance.deformationModulus.required);
    writeStatisticsJson(json, acceptance.deformationModulus);
    if (acceptance.resilientModulus.required) {
        json.key("resilientModulus");
        json.beginObject();
        writeRequired(json, "requiredResilientModulus", acceptance.resilientModulus.required);
        writeStatisticsJson(json, acceptance.resilientModulus);
        json.endObject();
    }
    json.endObject();
}

void writeAcceptanceText(std::ostream& out, const AreaAcceptance& acceptance) {
    out << "验收 (变形模量):\n";
    for (const std::string& line : acceptanceLines(acceptance.deformationModulus))
        out << "  " << line << '\n';
    if (!acceptance.resilientModulus.required)
        return;
    out << "验收 (回弹模量):\n";
    for (const std::string& line : acceptanceLines(acceptance.resilientModulus))
        out << "  " << line << '\n';
}

} // namespace tarvel::cli
