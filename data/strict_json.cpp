#include "strict_json.h"

#include "input_file.h"

#include <filesystem>
#include <set>
#include <vector>

namespace tarvel {

nlohmann::json parseJsonRefusingDuplicates(std::string_view text) {
    using Json = nlohmann::json;
    std::vector<std::set<std::string>> open;
    std::string duplicate;
    auto watch = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start)
            open.emplace_back();
        else if (event == Json::parse_event_t::object_end && !open.empty())
            open.pop_back();
        else if (event == Json::parse_event_t::key && !open.empty() && duplicate.empty() &&
                 !open.back().insert(parsed.get<std::string>()).second)
            duplicate = parsed.get<std::string>();
        return true;
    };
    Json root = Json::parse(text, watch);
    if (!duplicate.empty())
        throw DuplicateJsonKey{duplicate};
    return root;
}

std::string jsonErrorText(const nlohmann::json::exception& error) {
    const std::string message = error.what();
    const std::size_t tagEnd = message.find("] ");
    return tagEnd == std::string::npos ? message : message.substr(tagEnd + 2);
}

std::string readSettingsFile(const std::string& path, std::uintmax_t maxBytes,
                             const std::string& kind, std::string& text) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return path + ": " + error.message();
    if (size > maxBytes) {
        const std::string limit = maxBytes >= (1u << 20) ? std::to_string(maxBytes >> 20) + " MiB"
                                                         : std::to_string(maxBytes >> 10) + " KiB";
        return path + ": larger than " + limit + ", not " + kind;
    }
    std::vector<unsigned char> bytes;
    if (std::string reason = readWholeFile(path, bytes); !reason.empty())
        return path + ": " + reason;
    text.assign(bytes.begin(), bytes.end());
    return {};
}

} // namespace tarvel
