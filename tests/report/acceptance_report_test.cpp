// The acceptance of each area in the Chinese reports: the statistics table
// under the point table (and block in the workbook) holds judgeArea's
// values, flagged points carry a mark and a note, and tarvel-cli report
// takes the criteria from the file beside the project.
#include "report_fixture.h"

#include "analysis/acceptance.h"
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
            verdictText(a.verdict)};
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
        EXPECT_TRUE(openDoc1Judged(REPORT_TEMPLATE, &project.info, &project.areas, judgedBy, "",
                                   path.c_str(), false))
            << scrivetLastError();
        return OfficeFacts("docx", path);
    }

    OfficeFacts excel(const AcceptanceCriteria* judgedBy) {
        const std::string path = scratch.file("summary.xlsx");
        EXPECT_TRUE(openExcelJudged(&project.info, &project.areas, judgedBy, path.c_str(), false))
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

    // Table 4 follows the area's point table: two halves of label, Ed, Er.
    EXPECT_EQ(facts.rows({"table", "4"}).at(0), (std::vector<std::string>{"table", "4", "8", "6"}));
    EXPECT_EQ(facts.value({"cell", "4", "1", "1"}), "统计项目");
    EXPECT_EQ(facts.value({"cell", "4", "1", "2"}), "变形模量");
    EXPECT_EQ(facts.value({"cell", "4", "1", "6"}), "回弹模量");
    EXPECT_EQ(facts.value({"cell", "4", "6", "1"}), "平均值 (MPa)");
    EXPECT_EQ(facts.value({"cell", "4", "6", "4"}), "代表值 (MPa)");
    const std::vector<std::string> ed = printed(expected.deformationModulus);
    const std::vector<std::string> er = printed(expected.resilientModulus);
    for (std::size_t i = 0; i < ed.size(); ++i) {
        const std::string row = std::to_string(2 + i % 7);
        const std::string edColumn = i < 7 ? "2" : "5";
        const std::string erColumn = i < 7 ? "3" : "6";
        EXPECT_EQ(facts.value({"cell", "4", row, edColumn}), ed[i]) << "Ed field " << i;
        EXPECT_EQ(facts.value({"cell", "4", row, erColumn}), er[i]) << "Er field " << i;
    }
    EXPECT_TRUE(facts.has({"row-header", "4", "1"}));
    for (const char* row : {"1", "7"})
        EXPECT_TRUE(facts.has({"keep-next", "4", row, "1"})) << "the table stays together";
    EXPECT_FALSE(facts.has({"keep-next", "4", "8", "1"}));
}

TEST_F(AcceptanceReport, FlaggedPointsAreMarkedAndExplainedUnderTheirTable) {
    const OfficeFacts facts = word(&criteria);
    EXPECT_EQ(facts.value({"cell", "3", "4", "1"}), "3*");
    EXPECT_EQ(facts.value({"superscript", "3", "4", "1"}), "*");
    EXPECT_EQ(facts.value({"cell", "3", "2", "1"}), "1") << "unflagged points carry no mark";
    // Grouped by flag, errors first; consecutive points as a run.
    EXPECT_TRUE(
        facts.has({"paragraph", "* 质量标记：未找到撞击（错误）：测点 6；"
                                "波形削顶（警告）：测点 3；已跳过噪声脉冲（提示）：测点 3"}));
    // The last point stays with the note, the note with the statistics.
    EXPECT_TRUE(facts.has({"keep-next", "3", "9", "1"}));
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
        EXPECT_EQ(facts.rows({"table", "4"}).at(0),
                  (std::vector<std::string>{"table", "4", "8", "4"}))
            << "no resilient column when none is required";
        EXPECT_EQ(facts.value({"cell", "4", "2", "2"}), "--") << "nothing required";
        EXPECT_EQ(facts.value({"cell", "4", "3", "2"}), "95%");
        EXPECT_EQ(facts.value({"cell", "4", "6", "2"}), fixed(expected.mean));
        EXPECT_EQ(facts.value({"cell", "4", "6", "4"}), fixed(expected.representativeValue));
        EXPECT_EQ(facts.value({"cell", "4", "8", "4"}), "--") << "the verdict";
    }
}

TEST_F(AcceptanceReport, WorkbookBlockHoldsTheSameStatisticsAsNumbers) {
    const AreaAcceptance expected = judged(criteria);
    const OfficeFacts facts = excel(&criteria);
    const auto cell = [&](const std::string& a1) { return facts.value({"cell", "汇总表", a1}); };
    // Area rows 1-4, titles 5, points 6-13, the note 14, statistics 15-22.
    EXPECT_EQ(cell("A14").rfind("* 质量标记：未找到撞击（错误）：测点 6；", 0), 0u) << cell("A14");
    EXPECT_TRUE(facts.has({"merge", "汇总表", "A14:I14"}));
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
    EXPECT_TRUE(facts.has({"merge", "汇总表", "A23:I23"})) << "the block's closing line";
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
    EXPECT_EQ(scrivet::flaggedPointsNote(rows),
              "* 质量标记：二次撞击（提示）：测点 1–3、5、7、9–10、12");
    for (scrivet::PointRow& row : rows)
        row.flags = {};
    EXPECT_EQ(scrivet::flaggedPointsNote(rows), "");
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
    EXPECT_EQ(facts.value({"cell", "4", "2", "2"}), "70.00");
    EXPECT_EQ(facts.value({"cell", "4", "8", "5"}), verdictText(expected.verdict));
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
