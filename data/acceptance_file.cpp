#include "acceptance_file.h"

#include "atomic_file.h"
#include "strict_json.h"

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <vector>

namespace tarvel {
namespace {

using Json = nlohmann::json;

// Far larger than any real criteria file; a bound against hostile ones.
constexpr std::uintmax_t kMaxFileBytes = 1 << 20;

std::optional<double> requiredModulus(const Json& value, const std::string& where) {
    if (value.is_null())
        return std::nullopt;
    if (!value.is_number() || !(value.get<double>() > 0) || !std::isfinite(value.get<double>()))
        throw InvalidJsonValue{where + " must be a positive number of MPa or null"};
    return value.get<double>();
}

AreaOverride areaOverride(const Json& entry, const std::string& name) {
    if (!entry.is_object())
        throw InvalidJsonValue{"areas.\"" + name + "\" must be an object"};
    AreaOverride area;
    for (const auto& [key, value] : entry.items()) {
        const std::string where = "areas.\"" + name + "\"." + key;
        if (key == "requiredDeformationModulus")
            area.deformationModulus = {true, requiredModulus(value, where)};
        else if (key == "requiredResilientModulus")
            area.resilientModulus = {true, requiredModulus(value, where)};
        else
            throw InvalidJsonValue{"unknown key " + where};
    }
    return area;
}

AcceptanceCriteria criteriaFrom(const Json& root) {
    if (!root.is_object())
        throw InvalidJsonValue{"the top level must be an object"};
    AcceptanceCriteria criteria;
    for (const auto& [key, value] : root.items()) {
        if (key == "requiredDeformationModulus") {
            criteria.requiredDeformationModulus = requiredModulus(value, key);
        } else if (key == "requiredResilientModulus") {
            criteria.requiredResilientModulus = requiredModulus(value, key);
        } else if (key == "guaranteeRate") {
            if (!value.is_number() || (value.get<double>() != 0.95 && value.get<double>() != 0.9))
                throw InvalidJsonValue{"guaranteeRate must be 0.95 or 0.90"};
            criteria.guaranteeRate = value.get<double>();
        } else if (key == "areas") {
            if (!value.is_object())
                throw InvalidJsonValue{"areas must be an object"};
            for (const auto& [name, entry] : value.items())
                criteria.areas[name] = areaOverride(entry, name);
        } else {
            throw InvalidJsonValue{"unknown key \"" + key + "\""};
        }
    }
    return criteria;
}

} // namespace

AreaRequirement requirementFor(const AcceptanceCriteria& criteria,
                               const std::string& areaFileName) {
    AreaRequirement requirement{criteria.requiredDeformationModulus,
                                criteria.requiredResilientModulus, criteria.guaranteeRate};
    auto area = criteria.areas.find(areaFileName);
    if (area == criteria.areas.end())
        return requirement;
    if (area->second.deformationModulus.present)
        requirement.deformationModulus = area->second.deformationModulus.mpa;
    if (area->second.resilientModulus.present)
        requirement.resilientModulus = area->second.resilientModulus.mpa;
    return requirement;
}

std::string acceptanceFilePath(const std::string& projectPath) {
    std::filesystem::path path(projectPath);
    path.replace_extension(".acceptance.json");
    return path.string();
}

AcceptanceRead parseAcceptance(std::string_view text) {
    AcceptanceRead read;
    read.found = true;
    read.error =
        convertStrictJson(text, [&](const Json& root) { read.criteria = criteriaFrom(root); });
    if (!read.ok())
        read.criteria = AcceptanceCriteria{};
    return read;
}

AcceptanceRead readAcceptanceFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error)
        return {};
    AcceptanceRead read;
    read.found = true;
    std::string text;
    read.error = readSettingsFile(path, kMaxFileBytes, "a criteria file", text);
    if (!read.ok())
        return read;
    read = parseAcceptance(text);
    if (!read.ok())
        read.error = path + ": " + read.error;
    return read;
}

namespace {

Json requiredValue(const std::optional<double>& mpa) {
    return mpa ? Json(*mpa) : Json(nullptr);
}

} // namespace

std::string formatAcceptance(const AcceptanceCriteria& criteria) {
    Json areas = Json::object();
    for (const auto& [name, area] : criteria.areas) {
        Json entry = Json::object();
        if (area.deformationModulus.present)
            entry["requiredDeformationModulus"] = requiredValue(area.deformationModulus.mpa);
        if (area.resilientModulus.present)
            entry["requiredResilientModulus"] = requiredValue(area.resilientModulus.mpa);
        if (!entry.empty())
            areas[name] = entry;
    }
    Json root = Json::object();
    root["requiredDeformationModulus"] = requiredValue(criteria.requiredDeformationModulus);
    root["requiredResilientModulus"] = requiredValue(criteria.requiredResilientModulus);
    root["guaranteeRate"] = criteria.guaranteeRate;
    root["areas"] = areas;
    // A file name in another encoding must not stop the save.
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string writeAcceptanceFile(const std::string& path, const AcceptanceCriteria& criteria) {
    const std::string text = formatAcceptance(criteria);
    return writeFileAtomically(path, text.data(), text.size());
}

} // namespace tarvel
