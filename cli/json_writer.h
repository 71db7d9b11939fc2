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

// Writes straight into the stream's buffer: a project's output holds tens
// of thousands of keys and numbers, and a string or a stream sentry for each
// would cost more than the text itself.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(*out.rdbuf()) {}

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    void key(std::string_view name);
    void value(double number);
    void value(int number);
    void value(std::string_view text);
    void null() { raw("null"); }

private:
    void open(char bracket);
    void close(char bracket);
    void raw(std::string_view text);
    void string(std::string_view text); // quoted and escaped, without a separator
    void write(std::string_view text);  // as it is
    void separate();

    std::streambuf& out_;
    bool first_ = true;
    bool afterKey_ = false;
};

} // namespace tarvel::cli
