#include "json_writer.h"

#include "data/clean_text.h"

#include <charconv>
#include <cmath>

namespace tarvel::cli {

std::string jsonNumber(double value) {
    if (!std::isfinite(value))
        return "null";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string jsonString(std::string_view raw) {
    // Clean text leaves only tab and newline below 0x20 and is valid UTF-8.
    const std::string text = cleanText(raw);
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    out += '"';
    return out;
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_)
        out_ << ',';
    first_ = false;
}

void JsonWriter::key(std::string_view name) {
    separate();
    out_ << jsonString(name) << ':';
    afterKey_ = true;
}

void JsonWriter::open(char bracket) {
    separate();
    out_ << bracket;
    first_ = true;
}

void JsonWriter::close(char bracket) {
    out_ << bracket;
    first_ = false;
}

void JsonWriter::raw(const std::string& text) {
    separate();
    out_ << text;
}

} // namespace tarvel::cli
