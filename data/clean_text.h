// Text made safe for the documents and streams we write.
//
// Names and texts come from files (GBK fields, file names in any encoding)
// and may hold control bytes or byte sequences that are not UTF-8. XML 1.0
// forbids most control characters even as references (a Word document with
// one cannot be opened), and strict JSON parsers reject invalid UTF-8. Every
// writer passes its texts through cleanText.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// The replacement character U+FFFD in UTF-8.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// Valid UTF-8 in which every control character other than tab and newline
// (C0, DEL and C1), each non-character U+FFFE and U+FFFF, and each invalid
// byte sequence is replaced by U+FFFD. Nothing is dropped, so the reader
// sees where a character was unusable.
std::string cleanText(std::string_view text);

} // namespace tarvel
