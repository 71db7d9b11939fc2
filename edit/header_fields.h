// The area parameters a user may edit, with how each is shown and which
// values it accepts. The information panel and `tarvel-cli set` both read
// this one table, so a value refused in one is refused in the other.
#pragma once

#include "data/records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

enum class FieldFormat { Fixed, Exponent, General };

// What a field feeds: a formula (the results are recomputed) or the
// conditioning chain (the file is conditioned again).
enum class FieldEffect { Results, Chain };

struct HeaderField {
    const char* key;   // the name in records.h and on the command line
    const char* label; // the panel's caption
    int32_t offset;    // byte offset in PipHeader; every field is a float
    FieldFormat format;
    int decimals; // shown decimals (significant digits for General)
    bool bounded; // false: any finite number is accepted
    double bottom;
    double top;
    FieldEffect effect;
};

extern const std::array<HeaderField, 17> kHeaderFields;

const HeaderField* findHeaderField(std::string_view key);

float headerFloat(const PipHeader& header, const HeaderField& field);
void setHeaderFloat(PipHeader& header, const HeaderField& field, float value);

// The text the panel shows for a stored value.
std::string formatHeaderField(const HeaderField& field, float value);

// The processing parameters that can be set from the command line.
struct PointField {
    const char* key;
    int32_t offset; // byte offset in ProcessingParams; int32
    int32_t bottom;
    int32_t top;
};

extern const std::array<PointField, 3> kPointFields;

const PointField* findPointField(std::string_view key);

// A whole C-locale number and nothing else, finite as a float; nullopt with
// `why` set otherwise. Leading and trailing blanks are allowed.
std::optional<float> parseFloatText(std::string_view text, std::string& why);
std::optional<int32_t> parseIntText(std::string_view text, std::string& why);

// Why a text was not taken for a field, for each interface to word in its
// own language.
struct FieldRefusal {
    enum class Kind { NoNumber, NotANumber, NotAFloat, OutOfRange, TooManyDecimals };
    Kind kind = Kind::NotANumber;
    double bottom = 0; // with OutOfRange
    double top = 0;
    int decimals = 0; // with TooManyDecimals
};

// The refusal as the command line words it ("outside 0.1 to 100000").
std::string refusalText(const FieldRefusal& refusal);

// Checks a number against a field's range and the decimals its validator
// allows (a text with more decimals than the panel takes is refused).
bool checkHeaderText(const HeaderField& field, std::string_view text, float& value,
                     FieldRefusal& refusal);
// The same, with the refusal worded for the command line.
bool acceptsHeaderText(const HeaderField& field, std::string_view text, float& value,
                       std::string& why);
bool acceptsPointText(const PointField& field, std::string_view text, int32_t& value,
                      std::string& why);

} // namespace tarvel
