// Acceptance of an area: the criteria file, the statistics against values
// worked by hand, and the Student t quantiles.
#include "analysis/acceptance.h"
#include "fixtures.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

std::vector<ModulusValue> numbered(const std::vector<double>& mpa) {
    std::vector<ModulusValue> values;
    for (std::size_t i = 0; i < mpa.size(); ++i)
        values.push_back({static_cast<int>(i) + 1, mpa[i]});
    return values;
}

TEST(StudentT, OneSidedQuantilesToThreeDecimals) {
    const int freedoms[] = {1, 5, 30, 120};
    const double at95[] = {6.314, 2.015, 1.697, 1.658};
    const double at90[] = {3.078, 1.476, 1.310, 1.289};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(freedoms[i]);
        EXPECT_NEAR(studentTQuantile(0.95, freedoms[i]), at95[i], 0.0005);
        EXPECT_NEAR(studentTQuantile(0.90, freedoms[i]), at90[i], 0.0005);
    }
}

TEST(ModulusStatistics, FivePointsWorkedByHand) {
    // mean 100, S = sqrt(1000 / 4), t(0.95, 4) = 2.131847: 100 - t * S / sqrt(5) = 84.92557.
    ModulusAcceptance a = judgeModulus(numbered({100, 80, 120, 90, 110}), 2, 85.0, 0.95);
    EXPECT_EQ(a.n, 5);
    EXPECT_EQ(a.excluded, 2);
    EXPECT_DOUBLE_EQ(a.mean, 100);
    EXPECT_NEAR(a.standardDeviation, 15.811388, 1e-6);
    EXPECT_NEAR(a.coefficientOfVariation, 0.15811388, 1e-8);
    EXPECT_EQ(a.min, 80);
    EXPECT_EQ(a.minPoint, 2);
    EXPECT_EQ(a.max, 120);
    EXPECT_EQ(a.maxPoint, 3);
    EXPECT_NEAR(a.representativeValue, 84.92557, 1e-5);
    EXPECT_DOUBLE_EQ(a.passShare, 0.8);
    EXPECT_EQ(a.verdict, Verdict::Fail);
    EXPECT_STREQ(verdictText(a.verdict), "不合格");

    // t(0.90, 4) = 1.533206: 100 - 10.84141 = 89.15859.
    ModulusAcceptance at90 = judgeModulus(numbered({100, 80, 120, 90, 110}), 0, 85.0, 0.90);
    EXPECT_NEAR(at90.representativeValue, 89.15859, 1e-5);
    EXPECT_EQ(at90.verdict, Verdict::Pass);
    EXPECT_STREQ(verdictText(at90.verdict), "合格");
}

TEST(ModulusStatistics, OnePointHasNoDeviationAndNoVerdict) {
    ModulusAcceptance a = judgeModulus(numbered({75}), 0, 80.0, 0.95);
    EXPECT_EQ(a.n, 1);
    EXPECT_EQ(a.mean, 75);
    EXPECT_EQ(a.min, 75);
    EXPECT_EQ(a.maxPoint, 1);
    EXPECT_TRUE(std::isnan(a.standardDeviation));
    EXPECT_TRUE(std::isnan(a.representativeValue));
    EXPECT_EQ(a.passShare, 0);
    EXPECT_EQ(a.verdict, Verdict::Undecided);
    EXPECT_STREQ(verdictText(a.verdict), "--");

    ModulusAcceptance none = judgeModulus({}, 3, 80.0, 0.95);
    EXPECT_EQ(none.n, 0);
    EXPECT_EQ(none.excluded, 3);
    EXPECT_TRUE(std::isnan(none.mean));
    EXPECT_EQ(none.minPoint, 0);
    EXPECT_TRUE(std::isnan(none.passShare));
}

TEST(ModulusStatistics, TwoPointsUseOneDegreeOfFreedom) {
    // mean 80, S = sqrt(800), t(0.95, 1) = 6.313752: 80 - 6.313752 * 20 = -46.27504.
    ModulusAcceptance a = judgeModulus(numbered({60, 100}), 0, 50.0, 0.95);
    EXPECT_NEAR(a.standardDeviation, 28.284271, 1e-6);
    EXPECT_NEAR(a.representativeValue, -46.27504, 1e-5);
    EXPECT_DOUBLE_EQ(a.passShare, 1.0);
    EXPECT_EQ(a.verdict, Verdict::Fail);
}

TEST(ModulusStatistics, EqualValuesPassAtExactlyTheRequiredValue) {
    ModulusAcceptance a = judgeModulus(numbered(std::vector<double>(7, 83.3)), 0, 83.3, 0.95);
    EXPECT_EQ(a.mean, 83.3);
    EXPECT_EQ(a.standardDeviation, 0);
    EXPECT_EQ(a.coefficientOfVariation, 0);
    EXPECT_EQ(a.representativeValue, 83.3);
    EXPECT_EQ(a.minPoint, 1); // the first of equal values
    EXPECT_EQ(a.maxPoint, 1);
    EXPECT_EQ(a.verdict, Verdict::Pass);
}

TEST(ModulusStatistics, NothingRequiredGivesNoVerdict) {
    ModulusAcceptance a = judgeModulus(numbered({90, 100, 110}), 0, std::nullopt, 0.95);
    EXPECT_EQ(a.verdict, Verdict::Undecided);
    EXPECT_TRUE(std::isnan(a.passShare));
    EXPECT_FALSE(std::isnan(a.representativeValue));
}

TEST(AreaAcceptance, LeavesOutDeletedAndErrorFlaggedPoints) {
    NamePipeFile file = makeArea(5);
    const double ed[] = {100, 1, 2, 80, 120};
    for (std::size_t i = 0; i < 5; ++i) {
        file.points[i].hasResults = true;
        file.points[i].results.deformationModulus = ed[i];
        file.points[i].results.resilientModulus = ed[i] * 1.2;
    }
    file.points[1].header.deleted = 1;                           // not part of the area
    file.points[2].results.flags.set(QualityFlag::ContactTime);  // left out, counted
    file.points[4].results.flags.set(QualityFlag::SecondImpact); // info: stays in
    file.points[3].results.resilientModulus = std::nan("");      // left out of Er only
    AreaAcceptance a = judgeArea(file, {90.0, std::nullopt, 0.95});
    EXPECT_EQ(a.deformationModulus.n, 3);
    EXPECT_EQ(a.deformationModulus.excluded, 1);
    EXPECT_DOUBLE_EQ(a.deformationModulus.mean, 100);
    EXPECT_EQ(a.deformationModulus.minPoint, 4);
    EXPECT_EQ(a.deformationModulus.maxPoint, 5);
    EXPECT_EQ(a.deformationModulus.required, 90.0);
    EXPECT_EQ(a.resilientModulus.n, 2);
    EXPECT_EQ(a.resilientModulus.excluded, 2);
    EXPECT_FALSE(a.resilientModulus.required);
}

TEST(AcceptanceFile, ReadsTheCriteriaAndResolvesEachArea) {
    AcceptanceRead read = parseAcceptance(R"({"requiredDeformationModulus": 80,
        "requiredResilientModulus": null, "guaranteeRate": 0.90,
        "areas": {"测区2.pip": {"requiredDeformationModulus": 60},
                  "测区3.pip": {"requiredDeformationModulus": null, "requiredResilientModulus": 70}}})");
    ASSERT_TRUE(read.ok()) << read.error;
    AreaRequirement first = requirementFor(read.criteria, "测区1.pip");
    EXPECT_EQ(first.deformationModulus, 80.0);
    EXPECT_FALSE(first.resilientModulus);
    EXPECT_EQ(first.guaranteeRate, 0.9);
    EXPECT_EQ(requirementFor(read.criteria, "测区2.pip").deformationModulus, 60.0);
    AreaRequirement third = requirementFor(read.criteria, "测区3.pip");
    EXPECT_FALSE(third.deformationModulus);
    EXPECT_EQ(third.resilientModulus, 70.0);

    AcceptanceRead empty = parseAcceptance("{}");
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty.criteria.guaranteeRate, 0.95);
    EXPECT_FALSE(empty.criteria.requiredDeformationModulus);
}

TEST(AcceptanceFile, RefusesWhatIsNotExactlyACriteriaFile) {
    const char* const malformed[] = {
        "",
        "{\"requiredDeformationModulus\": 80,}",
        "[80]",
        "{\"requiredDeformationModulus\": 80, \"requiredDeformationModulus\": 90}",
        "{\"areas\": {\"a.pip\": {\"requiredDeformationModulus\": 1, "
        "\"requiredDeformationModulus\": 2}}}",
        "{\"requiredDeformationModulos\": 80}",
        "{\"requiredDeformationModulus\": \"80\"}",
        "{\"requiredDeformationModulus\": -5}",
        "{\"requiredDeformationModulus\": 0}",
        "{\"requiredDeformationModulus\": 1e999}",
        "{\"guaranteeRate\": 0.8}",
        "{\"guaranteeRate\": 95}",
        "{\"areas\": []}",
        "{\"areas\": {\"a.pip\": 60}}",
        "{\"areas\": {\"a.pip\": {\"guaranteeRate\": 0.9}}}",
        "{\"areas\": {\"\xb2\xe2.pip\": {}}}", // GBK, not UTF-8
        "{} {}",
    };
    for (const char* text : malformed) {
        SCOPED_TRACE(text);
        AcceptanceRead read = parseAcceptance(text);
        EXPECT_FALSE(read.ok());
        EXPECT_FALSE(read.criteria.requiredDeformationModulus);
    }
    EXPECT_EQ(parseAcceptance("{\"guaranteeRate\": 95}").error,
              "guaranteeRate must be 0.95 or 0.90");
}

TEST(AcceptanceFile, MissingFileRequiresNothingAndBadFileNamesItsPath) {
    TempDir dir;
    EXPECT_EQ(acceptanceFilePath(dir.file("工程.Prj")), dir.file("工程.acceptance.json"));
    AcceptanceRead missing = readAcceptanceFile(dir.file("工程.acceptance.json"));
    EXPECT_TRUE(missing.ok());
    EXPECT_FALSE(missing.found);

    const std::string path = dir.file("bad.acceptance.json");
    writeBytes(path, {'{', '"', 'x', '"'});
    AcceptanceRead bad = readAcceptanceFile(path);
    EXPECT_TRUE(bad.found);
    EXPECT_EQ(bad.error.rfind(path + ": ", 0), 0u) << bad.error;

    std::vector<unsigned char> deep(200000, '[');
    writeBytes(path, deep);
    EXPECT_FALSE(readAcceptanceFile(path).ok());
}

} // namespace
} // namespace tarvel::test
