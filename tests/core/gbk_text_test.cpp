// GBK text in fixed fields: bounded reads and boundary-safe cuts.
#include "data/gbk_text.h"
#include "data/project_info.h"

#include <cstring>
#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(GbkText, RoundTripsChineseAndAscii) {
    char field[40];
    encodeGbkField("测区1 K12+300", field, sizeof field);
    EXPECT_EQ(std::strlen(field), 13u); // two characters of two bytes each, then ASCII
    EXPECT_EQ(decodeGbkField(field, sizeof field), "测区1 K12+300");
}

TEST(GbkText, FieldWithoutNulIsReadWithinItsWidth) {
    struct {
        char field[4];
        char after[4];
    } bytes;
    std::memcpy(bytes.field, "ABCD", 4);
    std::memcpy(bytes.after, "EFG", 4);
    EXPECT_EQ(decodeGbkField(bytes.field, sizeof bytes.field), "ABCD");
}

TEST(GbkText, CutsAtACharacterBoundaryToKeepTheNul) {
    ProjectInfo info{};
    // Twelve characters: only nine (18 bytes) fit beside the NUL in 20 bytes.
    encodeGbk("一二三四五六七八九十百千", info.contactPhone);
    EXPECT_EQ(decodeGbk(info.contactPhone), "一二三四五六七八九");
    EXPECT_EQ(info.contactPhone[18], '\0');

    // An odd width must not split a character either.
    char odd[6];
    encodeGbkField("a测区域", odd, sizeof odd);
    EXPECT_EQ(decodeGbkField(odd, sizeof odd), "a测区");

    std::string client;
    for (int i = 0; i < 49; ++i)
        client += "测";
    encodeGbk(client, info.client);
    EXPECT_EQ(decodeGbk(info.client), client);
}

TEST(GbkText, UnmappableTextBecomesQuestionMarks) {
    EXPECT_EQ(utf8ToGbk("a😀b"), "a?b");
    EXPECT_EQ(gbkToUtf8(std::string("a\xff"
                                    "b",
                                    3)),
              "a?b");
}

} // namespace
} // namespace tarvel
