// JSON read strictly for the small settings files beside a project or in
// the configuration folder. Internal to data/.
#pragma once

#include <nlohmann/json.hpp>

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

} // namespace tarvel
