// Texts from files reach documents and JSON only as valid UTF-8 without the
// control characters XML 1.0 forbids.
#include "data/clean_text.h"

#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

const std::string kFffd = std::string(kReplacementCharacter);

TEST(CleanText, KeepsValidTextWithTabsAndNewlines) {
    const std::string text = "测区 A-1\tline\nnext 😀 é";
    EXPECT_EQ(cleanText(text), text);
}

TEST(CleanText, ReplacesEveryControlCharacterButTabAndNewline) {
    EXPECT_EQ(cleanText(std::string("a\x01z", 3)), "a" + kFffd + "z");
    EXPECT_EQ(cleanText(std::string("\0", 1)), kFffd);
    EXPECT_EQ(cleanText("\r\x1f\x7f"), kFffd + kFffd + kFffd);
    EXPECT_EQ(cleanText("\xc2\x85"), kFffd);            // C1 next line
    EXPECT_EQ(cleanText("\xef\xbf\xbe"), kFffd);        // U+FFFE
    EXPECT_EQ(cleanText("\xef\xbf\xbf!"), kFffd + "!"); // U+FFFF
}

TEST(CleanText, ReplacesInvalidSequencesWithoutLosingWhatFollows) {
    EXPECT_EQ(cleanText("\xff\xfe.pip"), kFffd + kFffd + ".pip");
    EXPECT_EQ(cleanText("\xc0\xaf"), kFffd + kFffd);                         // overlong '/'
    EXPECT_EQ(cleanText("\xed\xa0\x80"), kFffd + kFffd + kFffd);             // a surrogate
    EXPECT_EQ(cleanText("\xf4\x90\x80\x80"), kFffd + kFffd + kFffd + kFffd); // above U+10FFFF
    EXPECT_EQ(cleanText("\xe6\xb5x"), kFffd + "x");                          // cut short, one mark
    EXPECT_EQ(cleanText("ab\xe6"), "ab" + kFffd);                            // cut by the end
}

} // namespace
} // namespace tarvel::test
