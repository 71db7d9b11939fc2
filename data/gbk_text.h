// GBK text in the fixed-width fields of the records.
//
// Texts on disk are GBK byte strings in fixed fields that should end in a NUL
// but may not: decoding never reads past the field's width. Encoding cuts at a
// character boundary so the text always fits together with its NUL.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvel {

// GBK bytes (up to the first NUL) to UTF-8; undecodable bytes become '?'.
std::string gbkToUtf8(std::string_view gbk);

// UTF-8 to GBK; characters GBK cannot hold become '?'.
std::string utf8ToGbk(std::string_view utf8);

// Decodes a fixed field of `width` bytes, stopping at the first NUL.
std::string decodeGbkField(const char* field, std::size_t width);

// Encodes into a fixed field: the text is cut at a GBK character boundary so
// that it fits with its terminating NUL, and the rest of the field is zeroed.
void encodeGbkField(std::string_view utf8, char* field, std::size_t width);

template <std::size_t W> std::string decodeGbk(const char (&field)[W]) {
    return decodeGbkField(field, W);
}

template <std::size_t W> void encodeGbk(std::string_view utf8, char (&field)[W]) {
    encodeGbkField(utf8, field, W);
}

} // namespace tarvel
