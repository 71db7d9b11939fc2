// The ranges an area parameter takes in a real test, and the refusals of the
// editable fields, as each interface words them.
#include "edit/header_fields.h"
#include "edit/plausible_values.h"
#include "tests/core/fixtures.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

TEST(PlausibleValues, EveryRangeBelongsToAnEditableFieldAndSaysWhy) {
    for (const PlausibleRange& range : kPlausibleRanges) {
        const HeaderField* field = findHeaderField(range.key);
        ASSERT_NE(field, nullptr) << range.key;
        EXPECT_LT(range.low, range.high) << range.key;
        // Somewhere the panel's own limits let a value through.
        if (field->bounded) {
            EXPECT_TRUE(range.low < field->top && range.high > field->bottom) << range.key;
        }
        EXPECT_STRNE(range.chineseReason, "") << range.key;
        EXPECT_STRNE(range.englishReason, "") << range.key;
    }
}

TEST(PlausibleValues, AnOrdinaryTestIsPlausibleAndSlipsAreNot) {
    PipHeader header = makeHeader();
    header.naturalDensity = 1.9f; // the fixture leaves these two unset
    header.pointSpacing = 5;
    for (const PlausibleRange& range : kPlausibleRanges) {
        EXPECT_EQ(implausibleRange(range.key, headerFloat(header, *findHeaderField(range.key))),
                  nullptr)
            << range.key;
    }
    // A radius typed in millimetres, a mass in grams, a decimal point slipped.
    EXPECT_NE(implausibleRange("ballRadius", 99999), nullptr);
    EXPECT_NE(implausibleRange("ballMass", 20000), nullptr);
    EXPECT_NE(implausibleRange("dropHeight", 50), nullptr);
    EXPECT_NE(implausibleRange("maxDryDensity", 22.5), nullptr);
    EXPECT_NE(implausibleRange("ballPoisson", 3.0), nullptr);
    EXPECT_NE(implausibleRange("ballModulus", 2.1e14), nullptr);
    EXPECT_NE(implausibleRange("pointSpacing", std::nan("")), nullptr);
    // Fields without a range take what their limits take.
    EXPECT_EQ(implausibleRange("accelCorrection", 1e6), nullptr);
    EXPECT_EQ(implausibleRange("slopeCoef", -40), nullptr);
    EXPECT_EQ(implausibleText(*plausibleRangeOf("ballRadius")),
              "outside the plausible range 0.03 to 0.5: a test ball is a few centimetres to a few "
              "decimetres in radius");
}

TEST(FieldRefusals, SayWhyInTheCommandLinesWordsAndCarryTheirFigures) {
    const HeaderField& height = *findHeaderField("dropHeight");
    float value = 0;
    FieldRefusal refusal;
    std::string why;
    const struct {
        const char* text;
        FieldRefusal::Kind kind;
        const char* english;
    } cases[] = {
        {"", FieldRefusal::Kind::NoNumber, "no number given"},
        {"1,5", FieldRefusal::Kind::NotANumber, "not a number"},
        {"1e39", FieldRefusal::Kind::NotAFloat, "out of the range of a float"},
        {"0.05", FieldRefusal::Kind::OutOfRange, "outside 0.1 to 100000"},
        {"0.555", FieldRefusal::Kind::TooManyDecimals, "more than 2 decimals"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(checkHeaderText(height, c.text, value, refusal)) << c.text;
        EXPECT_EQ(refusal.kind, c.kind) << c.text;
        EXPECT_EQ(refusalText(refusal), c.english);
        EXPECT_FALSE(acceptsHeaderText(height, c.text, value, why));
        EXPECT_EQ(why, c.english);
    }
    checkHeaderText(height, "0.05", value, refusal);
    EXPECT_EQ(refusal.bottom, 0.1);
    EXPECT_EQ(refusal.top, 100000);
    EXPECT_TRUE(checkHeaderText(height, " 0.60 ", value, refusal));
    EXPECT_FLOAT_EQ(value, 0.6f);
}

} // namespace
} // namespace tarvel::test
