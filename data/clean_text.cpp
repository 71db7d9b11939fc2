#include "clean_text.h"

#include <cstdint>

namespace tarvel {
namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes the UTF-8 sequence at `p`. Returns its length and sets `code`, or
// returns the length of the longest invalid prefix (at least 1) and sets
// `code` to -1. Overlong forms, surrogates and values above U+10FFFF are
// invalid.
std::size_t decode(const unsigned char* p, std::size_t left, int32_t& code) {
    code = -1;
    const unsigned char lead = p[0];
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length;
    int32_t value;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (i >= left)
            return i;
        const unsigned char byte = p[i];
        if (!isContinuation(byte) || (i == 1 && (byte < low || byte > high)))
            return i;
        value = (value << 6) | (byte & 0x3F);
    }
    code = value;
    return length;
}

bool isUnusable(int32_t code) {
    if (code < 0)
        return true;
    if (code < 0x20)
        return code != '\t' && code != '\n';
    return (code >= 0x7F && code <= 0x9F) || code == 0xFFFE || code == 0xFFFF;
}

} // namespace

std::string cleanText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t left = text.size();
    while (left > 0) {
        int32_t code;
        std::size_t length = decode(p, left, code);
        if (isUnusable(code))
            out += kReplacementCharacter;
        else
            out.append(reinterpret_cast<const char*>(p), length);
        p += length;
        left -= length;
    }
    return out;
}

} // namespace tarvel
