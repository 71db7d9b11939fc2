// A minimal streaming JSON writer: enough for the analysis output.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace tarvel::cli {

// Shortest text that reads back as the same double; non-finite gives "null".
std::string jsonNumber(double value);
// A quoted JSON string of the cleaned text (see cleanText).
std::string jsonString(std::string_view text);

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    void key(std::string_view name);
    void value(double number) { raw(jsonNumber(number)); }
    void value(int number) { raw(std::to_string(number)); }
    void value(std::string_view text) { raw(jsonString(text)); }
    void null() { raw("null"); }

private:
    void open(char bracket);
    void close(char bracket);
    void raw(const std::string& text);
    void separate();

    std::ostream& out_;
    bool first_ = true;
    bool afterKey_ = false;
};

} // namespace tarvel::cli
