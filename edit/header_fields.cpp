#include "header_fields.h"

#include "data/translation_marks.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <locale>
#include <sstream>

namespace tarvel {

namespace {

constexpr auto R = FieldEffect::Results;
constexpr auto C = FieldEffect::Chain;
constexpr auto F = FieldFormat::Fixed;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Digits after the decimal point of a plain or exponent number text.
int decimalsOf(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos)
        return 0;
    int count = 0;
    for (std::size_t i = point + 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        ++count;
    return count;
}

// Only digits, one sign, one point and an exponent: what strtod would also
// read as hexadecimal, "inf" or "nan" is not a number a user types.
bool plainNumberText(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    }
    return true;
}

} // namespace

const std::array<HeaderField, 17> kHeaderFields = {{
    {"pointSpacing", QT_TRANSLATE_NOOP("EditRules", "测点间距(m)"),
     offsetof(PipHeader, pointSpacing), F, 1, false, 0, 0, R},
    {"dropHeight", QT_TRANSLATE_NOOP("EditRules", "落球下落高度(m)"),
     offsetof(PipHeader, dropHeight), F, 2, true, 0.1, 100000, R},
    {"ballRadius", QT_TRANSLATE_NOOP("EditRules", "落球半径(m)"), offsetof(PipHeader, ballRadius),
     F, 2, true, 0.1, 100000, R},
    {"ballMass", QT_TRANSLATE_NOOP("EditRules", "落球质量(kg)"), offsetof(PipHeader, ballMass), F,
     2, true, 0.1, 100000, R},
    {"ballModulus", QT_TRANSLATE_NOOP("EditRules", "落球弹性模量(Pa)"),
     offsetof(PipHeader, ballModulus), FieldFormat::Exponent, 2, true, 0.1, 1e13, R},
    {"ballPoisson", QT_TRANSLATE_NOOP("EditRules", "落球泊松比"), offsetof(PipHeader, ballPoisson),
     F, 3, true, 0.1, 10, R},
    {"materialPoisson", QT_TRANSLATE_NOOP("EditRules", "材料泊松比"),
     offsetof(PipHeader, materialPoisson), F, 3, true, 0.1, 10, R},
    {"materialCorr", QT_TRANSLATE_NOOP("EditRules", "材料修正系数"),
     offsetof(PipHeader, materialCorr), F, 2, false, 0, 0, R},
    {"deflectionCorr", QT_TRANSLATE_NOOP("EditRules", "弯沉修正"),
     offsetof(PipHeader, deflectionCorr), F, 2, false, 0, 0, R},
    {"naturalDensity", QT_TRANSLATE_NOOP("EditRules", "自然密度(g/cm3)"),
     offsetof(PipHeader, naturalDensity), F, 1, false, 0, 0, R},
    {"slopeCoef", QT_TRANSLATE_NOOP("EditRules", "斜率系数"), offsetof(PipHeader, slopeCoef), F, 3,
     false, 0, 0, R},
    {"constTerm", QT_TRANSLATE_NOOP("EditRules", "常数项"), offsetof(PipHeader, constTerm), F, 3,
     false, 0, 0, R},
    {"maxDryDensity", QT_TRANSLATE_NOOP("EditRules", "最大干密度(g/cm3)"),
     offsetof(PipHeader, maxDryDensity), F, 1, false, 0, 0, R},
    {"minDryDensity", QT_TRANSLATE_NOOP("EditRules", "最小干密度(g/cm3)"),
     offsetof(PipHeader, minDryDensity), F, 1, false, 0, 0, R},
    {"densityA", QT_TRANSLATE_NOOP("EditRules", "系数a"), offsetof(PipHeader, densityA), F, 1,
     false, 0, 0, R},
    {"densityB", QT_TRANSLATE_NOOP("EditRules", "系数b"), offsetof(PipHeader, densityB), F, 1,
     false, 0, 0, R},
    {"accelCorrection", QT_TRANSLATE_NOOP("EditRules", "加速度修正(m/s2)"),
     offsetof(PipHeader, accelCorrection), FieldFormat::General, 6, false, 0, 0, C},
}};

const std::array<PointField, 3> kPointFields = {{
    {"filterType", offsetof(ProcessingParams, filterType), 1, 4},
    {"filterF1", offsetof(ProcessingParams, filterF1), 0, 50000},
    {"filterF2", offsetof(ProcessingParams, filterF2), 501, 500000},
}};

const HeaderField* findHeaderField(std::string_view key) {
    for (const HeaderField& field : kHeaderFields) {
        if (key == field.key)
            return &field;
    }
    return nullptr;
}

const PointField* findPointField(std::string_view key) {
    for (const PointField& field : kPointFields) {
        if (key == field.key)
            return &field;
    }
    return nullptr;
}

float headerFloat(const PipHeader& header, const HeaderField& field) {
    float value = 0;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&header) + field.offset,
                sizeof value);
    return value;
}

void setHeaderFloat(PipHeader& header, const HeaderField& field, float value) {
    std::memcpy(reinterpret_cast<unsigned char*>(&header) + field.offset, &value, sizeof value);
}

std::string formatHeaderField(const HeaderField& field, float value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    switch (field.format) {
    case FieldFormat::Fixed:
        out << std::fixed;
        out.precision(field.decimals);
        break;
    case FieldFormat::Exponent:
        out << std::scientific;
        out.precision(field.decimals);
        break;
    case FieldFormat::General:
        out.precision(field.decimals);
        break;
    }
    out << static_cast<double>(value);
    return out.str();
}

namespace {

std::optional<double> parseNumber(std::string_view text, FieldRefusal& refusal) {
    const std::string_view number = trimmed(text);
    if (!plainNumberText(number)) {
        refusal.kind =
            number.empty() ? FieldRefusal::Kind::NoNumber : FieldRefusal::Kind::NotANumber;
        return std::nullopt;
    }
    std::istringstream in{std::string(number)};
    in.imbue(std::locale::classic());
    double value = 0;
    in >> value;
    if (in.fail() || !in.eof()) {
        refusal.kind = FieldRefusal::Kind::NotANumber;
        return std::nullopt;
    }
    if (!std::isfinite(static_cast<float>(value))) {
        refusal.kind = FieldRefusal::Kind::NotAFloat;
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string refusalText(const FieldRefusal& refusal) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    switch (refusal.kind) {
    case FieldRefusal::Kind::NoNumber:
        return "no number given";
    case FieldRefusal::Kind::NotANumber:
        return "not a number";
    case FieldRefusal::Kind::NotAFloat:
        return "out of the range of a float";
    case FieldRefusal::Kind::OutOfRange:
        text << "outside " << refusal.bottom << " to " << refusal.top;
        return text.str();
    case FieldRefusal::Kind::TooManyDecimals:
        return "more than " + std::to_string(refusal.decimals) + " decimals";
    }
    return "not a number";
}

std::optional<float> parseFloatText(std::string_view text, std::string& why) {
    FieldRefusal refusal;
    const std::optional<double> number = parseNumber(text, refusal);
    if (!number) {
        why = refusalText(refusal);
        return std::nullopt;
    }
    return static_cast<float>(*number);
}

std::optional<int32_t> parseIntText(std::string_view text, std::string& why) {
    const std::string_view number = trimmed(text);
    const std::size_t first = !number.empty() && (number[0] == '-' || number[0] == '+') ? 1 : 0;
    if (number.size() <= first) {
        why = "not a whole number";
        return std::nullopt;
    }
    // Leading zeros are still a whole number: bound the value, not the length.
    int64_t value = 0;
    for (std::size_t i = first; i < number.size(); ++i) {
        if (number[i] < '0' || number[i] > '9') {
            why = "not a whole number";
            return std::nullopt;
        }
        value = std::min<int64_t>(value * 10 + (number[i] - '0'), int64_t{1} << 32);
    }
    if (number[0] == '-')
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX) {
        why = "out of the range of a whole number";
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

bool checkHeaderText(const HeaderField& field, std::string_view text, float& value,
                     FieldRefusal& refusal) {
    const std::optional<double> parsed = parseNumber(text, refusal);
    if (!parsed)
        return false;
    if (field.bounded) {
        if (*parsed < field.bottom || *parsed > field.top) {
            refusal = {FieldRefusal::Kind::OutOfRange, field.bottom, field.top, 0};
            return false;
        }
        if (decimalsOf(trimmed(text)) > field.decimals) {
            refusal = {FieldRefusal::Kind::TooManyDecimals, 0, 0, field.decimals};
            return false;
        }
    }
    value = static_cast<float>(*parsed);
    return true;
}

bool acceptsHeaderText(const HeaderField& field, std::string_view text, float& value,
                       std::string& why) {
    FieldRefusal refusal;
    if (checkHeaderText(field, text, value, refusal))
        return true;
    why = refusalText(refusal);
    return false;
}

bool acceptsPointText(const PointField& field, std::string_view text, int32_t& value,
                      std::string& why) {
    const std::optional<int32_t> parsed = parseIntText(text, why);
    if (!parsed)
        return false;
    if (*parsed < field.bottom || *parsed > field.top) {
        why = "outside " + std::to_string(field.bottom) + " to " + std::to_string(field.top);
        return false;
    }
    value = *parsed;
    return true;
}

} // namespace tarvel
