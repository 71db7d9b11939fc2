// The acceptance of each area in the drop-ball reports: the statistics table
// under the point table (and block in the workbook) holds judgeArea's
// values, points with warnings or errors carry a mark and a note, and
// tarvel-cli report takes the criteria from the file beside the project.
#include "report_fixture.h"

#include "analysis/acceptance.h"
#include "analysis/conditioning.h"
#include "analysis/results.h"
#include "cli/report_command.h"
#include "data/acceptance_file.h"
#include "report/acceptance_report.h"
#include "report/scrivet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tarvel::testing {
namespace {

std::string fixed(double value) {
    return formatFixed(value, 2);
}

std::string percent(double share) {
    return formatFixed(share * 100, 2) + "%";
}

// The statistics of one modulus as the tables print them: the left half's
// seven values, then the right half's.
std::vector<std::string> printed(const ModulusAcceptance& a) {
    return {a.required ? fixed(*a.required) : "--",
            formatFixed(a.guaranteeRate * 100, 0) + "%",
            std::to_string(a.n),
            std::to_string(a.excluded),
            fixed(a.mean),
            fixed(a.standardDeviation),
            percent(a.coefficientOfVariation),
            fixed(a.min),
            std::to_string(a.minPoint),
            fixed(a.max),
            std::to_string(a.maxPoint),
            fixed(a.representativeValue),
            a.required ? percent(a.passShare) : "--",
            a.required ? verdictText(a.verdict) : "未设要求"};
}

class AcceptanceReport : public ::testing::Test {
protected:
    void SetUp() override {
        project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 2, 4, "random:40:160")});
        NamePipeFile& area = *project.areas[0];
        area.points[2].results.flags.set(QualityFlag::Clipped);
        area.points[2].results.flags.set(QualityFlag::NoiseSkipped);
        area.points[5].results.flags.set(QualityFlag::NoImpact); // left out of the statistics
        criteria.requiredDeformationModulus = 70;
        criteria.requiredResilientModulus = 60;
        criteria.guaranteeRate = 0.90;
    }

    OfficeFacts word(const AcceptanceCriteria* judgedBy) {
        const std::string path = scratch.file("report.docx");
        const ScrivetSettings settings{judgedBy, nullptr, nullptr, ScrivetChinese};
        EXPECT_TRUE(openDoc1With(REPORT_TEMPLATE, &project.info, &project.areas, &settings,
                                 path.c_str(), false))
            << scrivetLastError();
        return OfficeFacts("docx", path);
    }

    OfficeFacts excel(const AcceptanceCriteria* judgedBy) {
        const std::string path = scratch.file("summary.xlsx");
        const ScrivetSettings settings{judgedBy, nullptr, nullptr, ScrivetChinese};
        EXPECT_TRUE(openExcelWith(&project.info, &project.areas, &settings, path.c_str(), false))
            << scrivetLastError();
        return OfficeFacts("xlsx", path);
    }

    AreaAcceptance judged(const AcceptanceCriteria& by) {
        return judgeArea(*project.areas[0], requirementFor(by, project.areas[0]->fileName));
    }

    ScratchDir scratch;
    LoadedProject project;
    AcceptanceCriteria criteria;
};

TEST_F(AcceptanceReport, WordStatisticsTableHoldsTheJudgedValuesOfBothModuli) {
    const AreaAcceptance expected = judged(criteria);
    ASSERT_EQ(expected.deformationModulus.excluded, 1);
    const OfficeFacts facts = word(&criteria);

    // Under the area's point table: two halves of label, Ed, Er.
    const std::string t = facts.tableStartingWith("统计项目");
    EXPECT_EQ(facts.rows({"table", t}).at(0), (std::vector<std::string>{"table", t, "8", "6"}));
    EXPECT_EQ(facts.value({"cell", t, "1", "2"}), "变形模量");
    EXPECT_EQ(facts.value({"cell", t, "1", "6"}), "回弹模量");
    EXPECT_EQ(facts.value({"cell", t, "6", "1"}), "算术平均值 (MPa)") << "named for what it is";
    EXPECT_EQ(facts.value({"cell", t, "6", "4"}), "代表值 (MPa)");
    const std::vector<std::string> ed = printed(expected.deformationModulus);
    const std::vector<std::string> er = printed(expected.resilientModulus);
    for (std::size_t i = 0; i < ed.size(); ++i) {
        const std::string row = std::to_string(2 + i % 7);
        const std::string edColumn = i < 7 ? "2" : "5";
        const std::string erColumn = i < 7 ? "3" : "6";
        EXPECT_EQ(facts.value({"cell", t, row, edColumn}), ed[i]) << "Ed field " << i;
        EXPECT_EQ(facts.value({"cell", t, row, erColumn}), er[i]) << "Er field " << i;
    }
    EXPECT_TRUE(facts.has({"row-header", t, "1"}));
    for (const char* row : {"1", "7"})
        EXPECT_TRUE(facts.has({"keep-next", t, row, "1"})) << "the table stays together";
    EXPECT_FALSE(facts.has({"keep-next", t, "8", "1"}));
}

TEST_F(AcceptanceReport, PointsWithWarningsOrErrorsAreMarkedAndExplainedUnderTheirTable) {
    NamePipeFile& area = *project.areas[0];
    area.points[0].results.flags.set(QualityFlag::NoiseSkipped); // a note only: no mark
    area.points[1].results.flags.set(QualityFlag::Manual);
    const OfficeFacts facts = word(&criteria);
    const std::string t = facts.tableStartingWith("测点\n编号");
    EXPECT_EQ(facts.value({"cell", t, "4", "1"}), "3*");
    EXPECT_EQ(facts.value({"superscript", t, "4", "1"}), "*");
    EXPECT_EQ(facts.value({"cell", t, "2", "1"}), "1") << "unflagged points carry no mark";
    EXPECT_EQ(facts.value({"cell", t, "3", "1"}), "2") << "nor does a mere note";
    // Grouped by flag, errors first; notes of the info level left out.
    EXPECT_TRUE(facts.has({"paragraph", "* 质量标记：未找到撞击（错误）：测点 6；"
                                        "波形削顶（警告）：测点 3"}));
    // The last point stays with the note, the note with the statistics.
    EXPECT_TRUE(facts.has({"keep-next", t, "9", "1"}));
}

TEST_F(AcceptanceReport, AnAreaWhosePeaksAreNotHertzsIsNotedInBothDocuments) {
    EXPECT_EQ(word(&criteria).allText().find("仪器标定可疑"), std::string::npos);
    // The ball fell from 0.5 m; a header that says 0.8 m makes every
    // measured peak sqrt(0.5 / 0.8) of what theory expects.
    NamePipeFile& area = *project.areas[0];
    area.header.dropHeight = 0.8f;
    conditionFile(area);
    const std::string note = "仪器标定可疑：本测区实测峰值加速度为赫兹理论值的 0.79 倍";
    EXPECT_NE(word(&criteria).allText().find(note), std::string::npos);
    EXPECT_NE(excel(&criteria).allText().find(note), std::string::npos);
}

TEST_F(AcceptanceReport, WithoutCriteriaTheStatisticsStandWithoutAVerdict) {
    const ModulusAcceptance expected = judged({}).deformationModulus;
    for (const OfficeFacts& facts :
         {word(nullptr), [&] {
              const std::string path = scratch.file("plain.docx");
              EXPECT_TRUE(openDoc1(REPORT_TEMPLATE, &project.info, &project.areas, "", path.c_str(),
                                   false));
              return OfficeFacts("docx", path);
          }()}) {
        const std::string t = facts.tableStartingWith("统计项目");
        EXPECT_EQ(facts.rows({"table", t}).at(0), (std::vector<std::string>{"table", t, "8", "4"}))
            << "no resilient column when none is required";
        EXPECT_EQ(facts.value({"cell", t, "2", "2"}), "--") << "nothing required";
        EXPECT_EQ(facts.value({"cell", t, "3", "2"}), "95%");
        EXPECT_EQ(facts.value({"cell", t, "6", "2"}), fixed(expected.mean));
        EXPECT_EQ(facts.value({"cell", t, "6", "4"}), fixed(expected.representativeValue));
        EXPECT_EQ(facts.value({"cell", t, "8", "4"}), "未设要求") << "the verdict";
    }
}

TEST_F(AcceptanceReport, WorkbookBlockHoldsTheSameStatisticsAsNumbers) {
    const AreaAcceptance expected = judged(criteria);
    const OfficeFacts facts = excel(&criteria);
    const auto cell = [&](const std::string& a1) { return facts.value({"cell", "汇总表", a1}); };
    // Titles 1, area rows 2-5, points 6-13, the note 14, statistics 15-22.
    EXPECT_EQ(cell("A14").rfind("* 质量标记：未找到撞击（错误）：测点 6；", 0), 0u) << cell("A14");
    EXPECT_TRUE(facts.has({"merge", "汇总表", "A14:K14"}));
    EXPECT_EQ(cell("A8"), "3*") << "the flagged point's number carries the mark";
    EXPECT_EQ(facts.value({"number", "汇总表", "A8"}), "3") << "and stays a number";
    EXPECT_EQ(cell("A15"), "统计项目");
    EXPECT_EQ(cell("C15"), "回弹模量");
    const std::vector<std::string> ed = printed(expected.deformationModulus);
    const std::vector<std::string> er = printed(expected.resilientModulus);
    for (std::size_t i = 0; i < ed.size(); ++i) {
        const std::string row = std::to_string(16 + i % 7);
        EXPECT_EQ(cell((i < 7 ? "B" : "E") + row), ed[i]) << "Ed field " << i;
        EXPECT_EQ(cell((i < 7 ? "C" : "F") + row), er[i]) << "Er field " << i;
    }
    EXPECT_EQ(std::stod(facts.value({"number", "汇总表", "E20"})),
              std::stod(fixed(expected.deformationModulus.representativeValue)))
        << "a number a client can compute with";
    EXPECT_FALSE(facts.has({"number", "汇总表", "E22"})) << "the verdict stays text";
    EXPECT_TRUE(facts.has({"merge", "汇总表", "A23:K23"})) << "the block's closing line";
}

TEST_F(AcceptanceReport, WorkbookWithoutWarningsHasNeitherMarksNorNote) {
    for (MeasurePoint& point : project.areas[0]->points) {
        point.results.flags = {};
        point.results.flags.set(QualityFlag::NoiseSkipped);
    }
    const OfficeFacts facts = excel(&criteria);
    EXPECT_EQ(facts.value({"cell", "汇总表", "A8"}), "3");
    EXPECT_EQ(facts.value({"cell", "汇总表", "A14"}), "统计项目") << "no note without a mark";
}

TEST(FlaggedPointsNote, JoinsRunsOfConsecutivePointsAndIsEmptyWithoutFlags) {
    std::vector<scrivet::PointRow> rows;
    for (int number : {1, 2, 3, 5, 6, 7, 9, 10, 12}) {
        scrivet::PointRow row;
        row.number = number;
        if (number != 6) // a gap of an unflagged point splits a run
            row.flags.set(QualityFlag::SecondImpact);
        rows.push_back(row);
    }
    const auto& chinese = scrivet::reportTexts(scrivet::ReportLanguage::Chinese);
    EXPECT_EQ(scrivet::flaggedPointsNote(rows, chinese),
              "* 质量标记：二次撞击（提示）：测点 1–3、5、7、9–10、12");
    EXPECT_EQ(
        scrivet::flaggedPointsNote(rows, scrivet::reportTexts(scrivet::ReportLanguage::English)),
        "* Quality flags: Second impact (info): points 1–3, 5, 7, 9–10, 12");
    for (scrivet::PointRow& row : rows)
        row.flags = {};
    EXPECT_EQ(scrivet::flaggedPointsNote(rows, chinese), "");
}

class AcceptanceReportCommand : public AcceptanceReport {
protected:
    std::string criteriaPath() const { return acceptanceFilePath(project.projectFile); }
};

TEST_F(AcceptanceReportCommand, TheCriteriaFileBesideTheProjectJudgesTheAreas) {
    ASSERT_EQ(writeAcceptanceFile(criteriaPath(), criteria), "");
    const std::string out = scratch.file("r.docx");
    ASSERT_EQ(runReportCommand({project.projectFile, "--word", out}), 0);
    // The command reads the project afresh: without the flags set above.
    for (MeasurePoint& point : project.areas[0]->points)
        point.results.flags = {};
    const ModulusAcceptance expected = judged(criteria).deformationModulus;
    const OfficeFacts facts("docx", out);
    const std::string t = facts.tableStartingWith("统计项目");
    EXPECT_EQ(facts.value({"cell", t, "2", "2"}), "70.00");
    EXPECT_EQ(facts.value({"cell", t, "8", "5"}), verdictText(expected.verdict));
}

TEST_F(AcceptanceReportCommand, AMalformedCriteriaFileExitsWithTwoNamingIt) {
    std::ofstream(criteriaPath()) << R"({"requiredDeformationModulus": "80"})";
    const std::string word = scratch.file("r.docx");
    const std::string excelPath = scratch.file("s.xlsx");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(runReportCommand({project.projectFile, "--excel", excelPath, "--word", word}), 2);
    const std::string message = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find(criteriaPath()), std::string::npos) << message;
    EXPECT_FALSE(std::filesystem::exists(word));
    EXPECT_FALSE(std::filesystem::exists(excelPath));
}

} // namespace
} // namespace tarvel::testing
