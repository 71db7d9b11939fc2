#include "json_writer.h"

#include "data/clean_text.h"

#include <charconv>
#include <cmath>

namespace tarvel::cli {

namespace {

// Printable ASCII other than the quote and the backslash: cleanText keeps
// such text as it is and JSON needs no escapes in it.
bool isPlainText(std::string_view text) {
    for (char c : text)
        if (c < 0x20 || c > 0x7E || c == '"' || c == '\\')
            return false;
    return true;
}

// The shortest text of `value`, which must be finite, at `buffer`; returns
// its length.
std::size_t numberText(double value, char (&buffer)[32]) {
    return static_cast<std::size_t>(std::to_chars(buffer, buffer + sizeof buffer, value).ptr -
                                    buffer);
}

} // namespace

std::string jsonNumber(double value) {
    if (!std::isfinite(value))
        return "null";
    char buffer[32];
    return std::string(buffer, numberText(value, buffer));
}

std::string jsonString(std::string_view raw) {
    if (isPlainText(raw))
        return '"' + std::string(raw) + '"';
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
        out_.sputc(',');
    first_ = false;
}

void JsonWriter::key(std::string_view name) {
    separate();
    string(name);
    out_.sputc(':');
    afterKey_ = true;
}

void JsonWriter::value(double number) {
    if (!std::isfinite(number)) {
        null();
        return;
    }
    char buffer[32];
    raw({buffer, numberText(number, buffer)});
}

void JsonWriter::value(int number) {
    char buffer[16];
    raw({buffer, static_cast<std::size_t>(
                     std::to_chars(buffer, buffer + sizeof buffer, number).ptr - buffer)});
}

void JsonWriter::value(std::string_view text) {
    separate();
    string(text);
}

void JsonWriter::open(char bracket) {
    separate();
    out_.sputc(bracket);
    first_ = true;
}

void JsonWriter::close(char bracket) {
    out_.sputc(bracket);
    first_ = false;
}

void JsonWriter::raw(std::string_view text) {
    separate();
    write(text);
}

void JsonWriter::string(std::string_view text) {
    if (!isPlainText(text)) {
        write(jsonString(text));
        return;
    }
    out_.sputc('"');
    write(text);
    out_.sputc('"');
}

void JsonWriter::write(std::string_view text) {
    out_.sputn(text.data(), static_cast<std::streamsize>(text.size()));
}

} // namespace tarvel::cli
