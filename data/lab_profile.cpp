#include "lab_profile.h"

#include "atomic_file.h"
#include "clean_text.h"
#include "strict_json.h"

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <vector>

namespace tarvel {
namespace {

using Json = nlohmann::json;

// Far larger than any real profile; a bound against hostile files.
constexpr std::uintmax_t kMaxFileBytes = 64 * 1024;
constexpr std::size_t kMaxCharacters = 200;

using Field = std::string LabProfile::*;

const std::pair<const char*, Field> kFields[] = {
    {"name", &LabProfile::name},         {"qualification", &LabProfile::qualification},
    {"address", &LabProfile::address},   {"phone", &LabProfile::phone},
    {"author", &LabProfile::author},     {"checker", &LabProfile::checker},
    {"reviewer", &LabProfile::reviewer}, {"approver", &LabProfile::approver},
    {"logo", &LabProfile::logo},
};

std::size_t characters(const std::string& utf8) {
    std::size_t count = 0;
    for (unsigned char c : utf8)
        count += (c & 0xC0) != 0x80;
    return count;
}

LabProfile profileFrom(const Json& root) {
    if (!root.is_object())
        throw InvalidJsonValue{"the top level must be an object"};
    LabProfile lab;
    for (const auto& [key, value] : root.items()) {
        Field field = nullptr;
        for (const auto& [name, member] : kFields)
            if (key == name)
                field = member;
        if (field == nullptr)
            throw InvalidJsonValue{"unknown key \"" + key + "\""};
        if (!value.is_string())
            throw InvalidJsonValue{key + " must be a text"};
        // Texts go into documents: no control characters, valid UTF-8.
        std::string text = cleanText(value.get<std::string>());
        if (characters(text) > kMaxCharacters)
            throw InvalidJsonValue{key + " is longer than 200 characters"};
        lab.*field = std::move(text);
    }
    return lab;
}

} // namespace

bool LabProfile::operator==(const LabProfile& other) const {
    for (const auto& [name, field] : kFields)
        if (this->*field != other.*field)
            return false;
    return true;
}

std::string defaultLabProfilePath() {
    namespace fs = std::filesystem;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && fs::path(config).is_absolute())
        return (fs::path(config) / "tarvel" / kLabProfileFileName).string();
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0')
        return {};
    return (fs::path(home) / ".config" / "tarvel" / kLabProfileFileName).string();
}

LabProfileRead parseLabProfile(std::string_view text) {
    LabProfileRead read;
    read.found = true;
    read.error = convertStrictJson(text, [&](const Json& root) { read.lab = profileFrom(root); });
    if (!read.ok())
        read.lab = LabProfile{};
    return read;
}

LabProfileRead readLabProfile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::exists(path, error) && !error)
        return {};
    LabProfileRead read;
    read.found = true;
    std::string text;
    read.error = readSettingsFile(path, kMaxFileBytes, "a lab profile", text);
    if (!read.ok())
        return read;
    read = parseLabProfile(text);
    if (!read.ok()) {
        read.error = path + ": " + read.error;
        return read;
    }
    if (!read.lab.logo.empty() && fs::path(read.lab.logo).is_relative())
        read.lab.logo = (fs::absolute(path, error).parent_path() / read.lab.logo).string();
    return read;
}

std::string formatLabProfile(const LabProfile& lab) {
    Json root = Json::object();
    for (const auto& [name, field] : kFields)
        if (!(lab.*field).empty())
            root[name] = cleanText(lab.*field);
    return root.dump(2) + "\n";
}

std::string writeLabProfile(const std::string& path, const LabProfile& lab) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    if (error)
        return folder.string() + ": " + error.message();
    const std::string text = formatLabProfile(lab);
    return writeFileAtomically(path, text.data(), text.size());
}

} // namespace tarvel
