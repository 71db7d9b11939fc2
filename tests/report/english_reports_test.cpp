// The English pile reports: the statistics against hand-worked values, the
// workbook, the test report and the picture report read back, and the
// command line.
#include "report_fixture.h"

#include "analysis/integrity_text.h"
#include "cli/report_command.h"
#include "data/gbk_text.h"
#include "report/english_test_report.h"
#include "report/pile_statistics.h"
#include "report/scrivet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace tarvel::testing {
namespace {

using scrivet::computePileStatistics;
using scrivet::pileConclusion;
using scrivet::PileSample;

const std::vector<PileSample> kFourPiles = {
    {"P1", "Ⅰ类桩", 3500, true},
    {"P2", "Ⅱ", 3600, true},
    {"P3", "Ⅱ类桩", 3700, true},
    {"P4", "其他", 4000, true},
};

TEST(PileStatistics, FourPilesAsWorkedByHand) {
    const scrivet::PileStatistics s = computePileStatistics(kFourPiles);
    EXPECT_EQ(s.statisticalNumber, 4);
    EXPECT_EQ(s.testingNumber, 4);
    EXPECT_EQ(s.classCounts, (std::array<int, 4>{1, 2, 0, 0})) << "\"其他\" counts in no class";
    EXPECT_FLOAT_EQ(s.classShares[0], 25.0f);
    EXPECT_FLOAT_EQ(s.classShares[1], 50.0f);
    EXPECT_FLOAT_EQ(s.speedSum, 14800.0f);
    EXPECT_FLOAT_EQ(s.averageSpeed, 3700.0f);
    // Squares 40 000 + 10 000 + 0 + 90 000 over 4: the root of 35 000.
    EXPECT_NEAR(s.standardDeviation, 187.08287f, 1e-3f);
    EXPECT_NEAR(s.discreteCoefficient, 187.08287f / 3700.0f, 1e-6f);
    EXPECT_FLOAT_EQ(s.minimumSpeed, 3500.0f);
    EXPECT_EQ(s.minimumPile, "P1");
    EXPECT_FLOAT_EQ(s.maximumSpeed, 4000.0f);
    EXPECT_EQ(s.maximumPile, "P4");
    EXPECT_TRUE(s.averageValid && s.deviationValid && s.coefficientValid && s.extremesValid);
}

TEST(PileStatistics, OnePileHasNoSpreadAndACoefficientOfZero) {
    const auto s = computePileStatistics({{"A", "Ⅳ类桩", 3800, true}});
    EXPECT_EQ(s.classCounts, (std::array<int, 4>{0, 0, 0, 1}));
    EXPECT_FLOAT_EQ(s.standardDeviation, 0.0f);
    EXPECT_TRUE(s.coefficientValid);
    EXPECT_FLOAT_EQ(s.discreteCoefficient, 0.0f) << "a deviation under 1e-6 gives 0";
    EXPECT_EQ(s.minimumPile, "A");
    EXPECT_EQ(s.maximumPile, "A");
}

TEST(PileStatistics, NoIncludedPileLeavesEveryValueUncomputed) {
    for (const auto& piles : {std::vector<PileSample>{}, {{"A", "Ⅰ", 3800, false}}}) {
        const auto s = computePileStatistics(piles);
        EXPECT_EQ(s.statisticalNumber, 0);
        EXPECT_EQ(s.testingNumber, static_cast<int>(piles.size()));
        EXPECT_FALSE(s.sharesValid || s.averageValid || s.deviationValid || s.coefficientValid ||
                     s.extremesValid);
        EXPECT_EQ(s.minimumPile, "");
        EXPECT_EQ(s.maximumPile, "");
        EXPECT_EQ(pileConclusion(s),
                  "In this test, a total of 0 piles were tested, including 0 piles of class Ⅰ, "
                  "which accounted for -- of the piles tested; 0 piles of class Ⅱ, which "
                  "accounted for -- of the piles tested; 0 piles of class Ⅲ, which accounted for "
                  "-- of the piles tested; and 0 piles of class Ⅳ, which accounted for -- of the "
                  "piles tested. The average value of measured wave speed is -- m/s, the "
                  "standard deviation is -- m/s, and the discrete coefficient is --. The minimum "
                  "wave speed is -- m/s (pile NO. ), the maximum wave speed is -- m/s (pile NO. "
                  ").");
    }
}

TEST(PileStatistics, ZeroSpeedsLeaveTheCoefficientUncomputed) {
    const auto s = computePileStatistics({{"A", "Ⅰ", 0, true}, {"B", "Ⅰ", 0, true}});
    EXPECT_TRUE(s.averageValid);
    EXPECT_FLOAT_EQ(s.averageSpeed, 0.0f);
    EXPECT_FALSE(s.coefficientValid) << "deviation over an average of 0";
}

TEST(PileStatistics, ExcludedPilesAndTiesKeepTheFirstPile) {
    std::vector<PileSample> piles = kFourPiles;
    piles[3].included = false;
    piles.push_back({"P5", "Ⅲ", 3500, true});
    const auto s = computePileStatistics(piles);
    EXPECT_EQ(s.statisticalNumber, 4);
    EXPECT_EQ(s.testingNumber, 5);
    EXPECT_EQ(s.classCounts, (std::array<int, 4>{1, 2, 1, 0}));
    EXPECT_EQ(s.minimumPile, "P1") << "a later equal speed does not replace it";
    EXPECT_EQ(s.maximumPile, "P3");
    EXPECT_FLOAT_EQ(s.maximumSpeed, 3700.0f);
}

TEST(PileStatistics, ConclusionCountsInGoodEnglish) {
    EXPECT_EQ(pileConclusion(computePileStatistics(kFourPiles)),
              "In this test, a total of 4 piles were tested, including 1 pile of class Ⅰ, "
              "which accounted for 25.00% of the piles tested; 2 piles of class Ⅱ, which "
              "accounted for 50.00% of the piles tested; 0 piles of class Ⅲ, which accounted "
              "for 0.00% of the piles tested; and 0 piles of class Ⅳ, which accounted for 0.00% "
              "of the piles tested. The average value of measured wave speed is 3700.00 m/s, "
              "the standard deviation is 187.08 m/s, and the discrete coefficient is 0.05. The "
              "minimum wave speed is 3500.00 m/s (pile NO. P1), the maximum wave speed is "
              "4000.00 m/s (pile NO. P4).");
    const std::string one = pileConclusion(computePileStatistics({{"A", "Ⅰ类桩", 3800, true}}));
    EXPECT_EQ(
        one.rfind("In this test, a total of 1 pile was tested, including 1 pile of class Ⅰ", 0), 0u)
        << one;
}

TEST(PileEvaluation, DefectNamesAndGradesInEnglish) {
    PipHeader header{};
    EXPECT_EQ(englishIntegrityText(header), "Intact pile body.");
    header.defectLegend[0].position = 4.2f;
    encodeGbk("断桩", header.defectLegend[0].codeA);
    encodeGbk("严重", header.defectLegend[0].codeB);
    header.defectLegend[1].position = 1.5f;
    encodeGbk("缩径", header.defectLegend[1].codeA);
    encodeGbk("轻微", header.defectLegend[1].codeB);
    header.defectLegend[2].position = 7.0f;
    encodeGbk("X", header.defectLegend[2].codeA);
    EXPECT_EQ(englishIntegrityText(header),
              "From the pile top: slight necking at about 1.50 m; severe break at about 4.20 m; "
              "X at about 7.00 m.");
}

class EnglishReports : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<PileFields> piles(4);
        const char* classes[] = {"Ⅰ类桩", "Ⅱ", "Ⅱ类桩", "其他"};
        const float speeds[] = {3500, 3600, 3700, 4000};
        for (std::size_t i = 0; i < piles.size(); ++i) {
            piles[i].number = "P" + std::to_string(i + 1);
            piles[i].classText = classes[i];
            piles[i].waveSpeed = speeds[i];
        }
        piles[1].sectionShape = "Square";
        piles[1].breadth = 600;
        piles[2].defects = {6.5f, std::nanf(""), 3.25f, 1e-7f};
        piles[2].printedPoints = 2;
        project = makePileProject(scratch.subdir("p"), piles);
        pictures = scratch.subdir("pictures");
        for (const auto& area : project.areas)
            writeWavePictures(pictures, area->fileName, 2);
    }

    ScratchDir scratch;
    LoadedProject project;
    std::string pictures;
};

TEST_F(EnglishReports, WorkbookListsEveryIncludedPileAndTheStatistics) {
    project.areas[3]->excluded = true;
    const std::string path = scratch.file("piles.xlsx");
    ASSERT_TRUE(openExcel_E(&project.info, &project.areas, path.c_str(), false))
        << scrivetLastError();
    OfficeFacts facts("xlsx", path);
    const auto sheets = facts.rows({"sheet"});
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0][1], "Summary Table");
    EXPECT_EQ(sheets[1][1], "Project Information");

    auto summary = [&](const char* a1) { return facts.value({"cell", "Summary Table", a1}); };
    EXPECT_EQ(summary("A1"), "NO.");
    EXPECT_EQ(summary("E2"), "（m/s）");
    EXPECT_EQ(summary("B3"), "P1");
    EXPECT_EQ(summary("C3"), "800");
    EXPECT_EQ(summary("C4"), "800×600") << "a square section";
    EXPECT_EQ(summary("E5"), "3700.00");
    EXPECT_EQ(summary("N3"), "Class Ⅰ");
    EXPECT_EQ(summary("N4"), "Class Ⅱ");
    EXPECT_EQ(summary("O3"), "7.143") << "2 x 12.5 m / 3500 m/s";
    EXPECT_EQ(summary("P5"), "1.757,3.514") << "sorted, without NaN or tiny positions";
    EXPECT_FALSE(facts.has({"cell", "Summary Table", "P3"})) << "no defects, empty cell";
    EXPECT_EQ(summary("Q3"), "116.39748");
    EXPECT_EQ(summary("S3"), "43.60") << "heights to the centimetre";
    EXPECT_FALSE(facts.has({"cell", "Summary Table", "B6"})) << "the excluded pile";
    EXPECT_EQ(facts.rows({"style", "Summary Table", "B3"}).at(0).at(4), "Times New Roman");

    auto info = [&](const char* a1) { return facts.value({"cell", "Project Information", a1}); };
    EXPECT_EQ(info("A4"), "Class Ⅰ");
    EXPECT_EQ(info("C4"), "1(33.33%)");
    EXPECT_EQ(info("G4"), "2(66.67%)");
    EXPECT_EQ(info("K4"), "4");
    EXPECT_EQ(info("K5"), "3");
    EXPECT_EQ(info("C6"), "3600.00");
    EXPECT_EQ(info("G7"), "P1");
    EXPECT_EQ(info("K7"), "P3");
    EXPECT_EQ(info("B9"), decodeGbk(project.info.instrumentModel));
    EXPECT_EQ(info("I9"), "Verification Certificate");
    EXPECT_GE(std::stod(facts.value({"width", "Project Information", "I"})), 24.0)
        << "the label reads whole in its cell";
    EXPECT_EQ(info("B10"), decodeGbk(project.info.testingCompany));
    EXPECT_EQ(facts.value({"footer", "Summary Table"}), "Page &P of &N");
}

TEST_F(EnglishReports, ZeroSpeedPrintsNoTimes) {
    project.areas[2]->header.waveSpeed = 0;
    const std::string path = scratch.file("piles.xlsx");
    ASSERT_TRUE(openExcel_E(&project.info, &project.areas, path.c_str(), false));
    OfficeFacts facts("xlsx", path);
    EXPECT_EQ(facts.value({"cell", "Summary Table", "O5"}), "--");
    EXPECT_EQ(facts.value({"cell", "Summary Table", "P5"}), "--");
}

TEST_F(EnglishReports, TestReportFillsTheTemplateAndItsBookmarks) {
    const std::string path = scratch.file("report.docx");
    ASSERT_TRUE(openDoc1_E(scratch.file("none.docx").c_str(), &project.info, &project.areas,
                           path.c_str(), false))
        << scrivetLastError();
    OfficeFacts facts("docx", path);
    const ProjectInfo& p = project.info;
    for (const std::string& line : std::vector<std::string>{
             "Report NO.: " + decodeGbk(p.reportNo),
             "Tester: " + decodeGbk(p.tester) + "(NO.:" + decodeGbk(p.permitNo) + ")",
             "Postal Code: " + decodeGbk(p.postCode),
             "The piles were tested by the low strain reflected wave method. The design pile "
             "length is 12.00 m.",
             "Testing laboratory (seal): " + decodeGbk(p.testingCompany), "Report date: 2026-12-05",
             pileConclusion(computePileStatistics(kFourPiles))})
        EXPECT_TRUE(facts.has({"paragraph", line})) << line;

    EXPECT_EQ(facts.value({"cell", "1", "1", "2"}), decodeGbk(p.projectName));
    EXPECT_EQ(facts.value({"cell", "1", "3", "2"}), "Bored");
    EXPECT_EQ(facts.value({"cell", "1", "5", "2"}), "12.00");
    EXPECT_EQ(facts.value({"cell", "1", "6", "2"}), "800");
    EXPECT_EQ(facts.value({"cell", "1", "7", "2"}), decodeGbk(p.startDate));
    EXPECT_EQ(facts.value({"cell", "1", "8", "2"}), decodeGbk(p.testBasis));
    EXPECT_EQ(facts.value({"cell", "1", "10", "2"}), decodeGbk(p.instrumentNo));

    EXPECT_EQ(facts.value({"table", "2"}), "5");
    EXPECT_EQ(facts.value({"cell", "2", "1", "2"}), "Pile Diameter(mm)");
    EXPECT_TRUE(facts.has({"row-header", "2", "1"}));
    EXPECT_EQ(facts.value({"cell", "2", "3", "2"}), "800×600");
    EXPECT_EQ(facts.value({"cell", "2", "4", "5"}),
              "From the pile top: a mark at about 3.25 m; a mark at about 6.50 m.");
    EXPECT_EQ(facts.value({"cell", "2", "5", "6"}), "其他") << "no class: the text as stored";
    EXPECT_EQ(facts.value({"cell", "3", "2", "1"}), "Prepared by") << "the signatures";
    EXPECT_EQ(facts.value({"footer", "1"}), "Page  of ");
    EXPECT_EQ(facts.value({"header", "1"}), "Report No.: " + decodeGbk(p.reportNo));
}

TEST_F(EnglishReports, PictureReportHeadsEachPileWithItsData) {
    const std::string path = scratch.file("pictures.docx");
    ASSERT_TRUE(openDoc2_E(pictures.c_str(), &project.info, &project.areas, path.c_str(), false))
        << scrivetLastError();
    OfficeFacts facts("docx", path);
    const auto paragraphs = facts.rows({"paragraph"});
    EXPECT_EQ(paragraphs.at(0).at(1), "Detection Report of Low Strain Reflected Wave Method");
    EXPECT_EQ(facts.value({"cell", "1", "3", "4"}), "40");
    // Five marked points: 2 + 3.
    std::vector<std::string> perSection;
    for (const auto& row : facts.rows({"section-pictures"}))
        perSection.push_back(row[2]);
    EXPECT_EQ(perSection, (std::vector<std::string>{"2", "3"}));
    EXPECT_EQ(facts.value({"cell", "2.1.1.1", "1", "1"}), "Pile Number:P1");
    EXPECT_EQ(facts.value({"cell", "2.1.1.1", "2", "1"}), "Pile Diameter:800mm");
    EXPECT_EQ(facts.value({"cell", "2.2.1.1", "2", "1"}), "Pile Diameter:800mm×600mm");
    EXPECT_EQ(facts.value({"cell", "2.2.1.1", "2", "3"}), "Completeness:Ⅱ");
    EXPECT_EQ(facts.value({"cell", "2.2.1.1", "3", "1"}), "Wave Speed:    3600m/s");
    // The evaluation has a row of its own, so a long one is not hidden.
    EXPECT_EQ(facts.value({"row-cells", "3.1.1.1", "4"}), "1");
    EXPECT_EQ(facts.value({"cell", "3.1.1.1", "4", "1"}),
              "Evaluation:From the pile top: a mark at about 3.25 m; a mark at about 6.50 m.");
    EXPECT_EQ(facts.value({"cell", "3.2.1.1", "1", "1"}), "")
        << "the second picture of pile 3 is not headed";
    EXPECT_EQ(facts.value({"footer", "1"}), "Page  of ");
}

TEST_F(EnglishReports, MissingPictureFailsNamingItAndWritesNothing) {
    std::filesystem::remove(pictures + "/P3.pip-2.png");
    const std::string path = scratch.file("pictures.docx");
    EXPECT_FALSE(openDoc2_E(pictures.c_str(), &project.info, &project.areas, path.c_str(), false));
    EXPECT_NE(std::string(scrivetLastError()).find("P3.pip-2.png"), std::string::npos)
        << scrivetLastError();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(EnglishReports, CommandLineWritesTheThreeAndLeavesOutExcludedPiles) {
    const std::string excel = scratch.file("e.xlsx");
    const std::string word = scratch.file("e.docx");
    const std::string wordPictures = scratch.file("ep.docx");
    EXPECT_EQ(runReportCommand({project.projectFile, "--pile", "--excel", excel, "--word", word,
                                "--pictures", pictures, "--word-pictures", wordPictures,
                                "--exclude", "P2"},
                               nullptr),
              0);
    OfficeFacts facts("xlsx", excel);
    EXPECT_EQ(facts.value({"cell", "Project Information", "K5"}), "3");
    EXPECT_EQ(facts.value({"cell", "Summary Table", "B4"}), "P3");
    EXPECT_TRUE(std::filesystem::is_regular_file(word));
    EXPECT_TRUE(std::filesystem::is_regular_file(wordPictures));

    EXPECT_EQ(runReportCommand({project.projectFile, "--pile", "--excel", excel, "--exclude", "P9"},
                               nullptr),
              2)
        << "no such pile";
    EXPECT_EQ(runReportCommand({project.projectFile, "--excel", excel, "--exclude", "P1"}, nullptr),
              1)
        << "--exclude is for the pile reports";
    EXPECT_EQ(runReportCommand({project.projectFile, "--pile", "--pictures", pictures, "--area",
                                "1", "--word-pictures", wordPictures},
                               nullptr),
              1)
        << "the pile picture report shows every pile";
    EXPECT_EQ(runReportCommand({project.projectFile, "--pile", "--lang", "en", "--excel", excel},
                               nullptr),
              1)
        << "the pile reports are English";

    // The old name still works, and says what it is called now.
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(runReportCommand({project.projectFile, "--english", "--excel", excel}, nullptr), 0);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("--pile"), std::string::npos);

    // Without pictures to take and nothing to draw with, the one missing is named.
    std::filesystem::remove(pictures + "/P3.pip-2.png");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(runReportCommand({project.projectFile, "--pile", "--pictures", pictures,
                                "--word-pictures", wordPictures},
                               nullptr),
              2);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("P3.pip-2.png"), std::string::npos);
}

TEST_F(EnglishReports, LibreOfficeRendersTheEnglishDocuments) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const std::string word = scratch.file("e.docx");
    ASSERT_TRUE(openDoc1_E(nullptr, &project.info, &project.areas, word.c_str(), false));
    std::string text;
    for (const std::string& page : pdfPageTexts(convertToPdf(word)))
        text += page;
    for (const char* expected :
         {"Pile Integrity Test Report", "Class Ⅰ", "800×600", "The design pile length is 12.00 m."})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

} // namespace
} // namespace tarvel::testing
