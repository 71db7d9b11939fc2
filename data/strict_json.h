// JSON read strictly for the small settings files beside a project or in
// the configuration folder. Internal to data/.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvel {

// Thrown for a key that appears twice in one object.
struct DuplicateJsonKey {
    std::string key;
};

// nlohmann keeps the last of duplicate keys silently; a file that says two
// things about one key is refused instead. Throws nlohmann's exceptions for
// text that is not JSON.
nlohmann::json parseJsonRefusingDuplicates(std::string_view text);

// The library's message without its "[json.exception.parse_error.101] " tag.
std::string jsonErrorText(const nlohmann::json::exception& error);

// Thrown by a file's own checks for a value it refuses.
struct InvalidJsonValue {
    std::string reason;
};

// Parses text, refusing duplicate keys, and hands the JSON to convert, which
// may throw InvalidJsonValue. Returns what was wrong, empty when nothing was.
template <typename Convert>
std::string convertStrictJson(std::string_view text, Convert&& convert) {
    try {
        convert(parseJsonRefusingDuplicates(text));
    } catch (const nlohmann::json::exception& error) {
        return jsonErrorText(error);
    } catch (const DuplicateJsonKey& duplicate) {
        return "the key \"" + duplicate.key + "\" appears twice in one object";
    } catch (const InvalidJsonValue& invalid) {
        return invalid.reason;
    }
    return {};
}

// Reads a small settings file whole into text, refusing one larger than
// maxBytes (a bound against hostile files) as "not <kind>". Returns what was
// wrong, led by the path, empty when nothing was.
std::string readSettingsFile(const std::string& path, std::uintmax_t maxBytes,
                             const std::string& kind, std::string& text);

} // namespace tarvel
