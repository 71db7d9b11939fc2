// How tarvel-cli analyze prints the quality flags of a point and the
// acceptance of an area, in each of its formats.
#pragma once

#include "analysis/acceptance.h"
#include "json_writer.h"

#include <ostream>
#include <string>

namespace tarvel::cli {

// The criteria given on the command line, over those of the criteria file.
struct AcceptanceOverrides {
    std::optional<double> deformationModulus; // MPa
    std::optional<double> resilientModulus;   // MPa
    std::optional<double> guaranteeRate;
};

AreaRequirement applyOverrides(AreaRequirement requirement, const AcceptanceOverrides& overrides);

// "flags": the keys in listing order, then "noisePulsesSkipped".
void writeFlagsJson(JsonWriter& json, const QualityFlags& flags);

// The keys joined with ';' (empty without flags).
std::string flagsCsvField(const QualityFlags& flags);

// "质量: 波形削顶 (警告), ..." or empty without flags.
std::string flagsTextLine(const QualityFlags& flags);

// "acceptance": the deformation modulus' statistics, with the resilient
// modulus' as a nested "resilientModulus" object when it is required.
void writeAcceptanceJson(JsonWriter& json, const AreaAcceptance& acceptance);

void writeAcceptanceText(std::ostream& out, const AreaAcceptance& acceptance);

} // namespace tarvel::cli
