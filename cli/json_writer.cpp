#include "json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tarvel::cli {

std::string jsonNumber(double value) {
    if (!std::isfinite(value))
        return "null";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string jsonString(std::string_view text) {
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
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += c;
            }
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
