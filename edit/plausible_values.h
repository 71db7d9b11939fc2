// The values an area parameter takes in a real falling-ball test. A value the
// panel's limits accept may still be a typo (a ball radius of 99 999 m gives
// moduli of 0.06 MPa): outside these ranges the desktop asks before storing
// it and `tarvel-cli set` refuses it unless forced.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tarvel {

struct PlausibleRange {
    const char* key; // as in the table of editable fields
    double low;      // in the unit the field stores
    double high;
    const char* chineseReason; // why values outside are doubtful
    const char* englishReason;
};

extern const std::array<PlausibleRange, 12> kPlausibleRanges;

// The range of a field, or nullptr when any accepted value is plausible.
const PlausibleRange* plausibleRangeOf(std::string_view key);

// The range `value` of field `key` lies outside, or nullptr.
const PlausibleRange* implausibleRange(std::string_view key, double value);

// "outside the plausible range LOW to HIGH: REASON", for the command line.
std::string implausibleText(const PlausibleRange& range);

} // namespace tarvel
