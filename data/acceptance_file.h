// The acceptance criteria of a project: the moduli an area must reach and the
// guarantee rate. The instrument's files have no field for them, so they live
// beside the project in "<project base name>.acceptance.json":
//   {"requiredDeformationModulus": 80, "requiredResilientModulus": null,
//    "guaranteeRate": 0.95, "areas": {"测区2.pip": {"requiredDeformationModulus": 60}}}
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

// An area's own required modulus: absent (the project's applies), null
// (nothing required in this area) or a value in MPa.
struct RequiredOverride {
    bool present = false;
    std::optional<double> mpa;
};

struct AreaOverride {
    RequiredOverride deformationModulus;
    RequiredOverride resilientModulus;
};

struct AcceptanceCriteria {
    std::optional<double> requiredDeformationModulus; // MPa; none when absent or null
    std::optional<double> requiredResilientModulus;   // MPa
    double guaranteeRate = 0.95;                      // 0.95 or 0.90
    std::map<std::string, AreaOverride> areas;        // by area file name
};

// The criteria that apply to one area.
struct AreaRequirement {
    std::optional<double> deformationModulus; // MPa
    std::optional<double> resilientModulus;   // MPa
    double guaranteeRate = 0.95;
};

AreaRequirement requirementFor(const AcceptanceCriteria& criteria, const std::string& areaFileName);

// "<folder>/<base name>.acceptance.json" for a project file path.
std::string acceptanceFilePath(const std::string& projectPath);

struct AcceptanceRead {
    bool found = false; // false when there is no file: nothing is required
    AcceptanceCriteria criteria;
    std::string error; // "<path>: <reason>" for a file that is there but not valid

    bool ok() const { return error.empty(); }
};

// A missing file reads as no criteria; anything else that is not exactly a
// valid criteria file (bad JSON, a duplicate or unknown key, a wrong type, a
// modulus that is not positive, a rate other than 0.95 or 0.90) is refused.
AcceptanceRead readAcceptanceFile(const std::string& path);

// The same checks on text already read; the reason comes without a path.
AcceptanceRead parseAcceptance(std::string_view text);

// The criteria as the file holds them, which parseAcceptance reads back.
std::string formatAcceptance(const AcceptanceCriteria& criteria);

// Writes the criteria file atomically; an empty string or the reason.
std::string writeAcceptanceFile(const std::string& path, const AcceptanceCriteria& criteria);

} // namespace tarvel
