// The wave-picture report: title, project table and the picture pages, read
// back with python-docx and laid out by LibreOffice.
#include "report_fixture.h"

#include "data/gbk_text.h"
#include "report/scrivet.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvel::testing {
namespace {

class PictureReport : public ::testing::Test {
protected:
    void SetUp() override {
        project = makeProject(scratch.subdir("p"),
                              {syntheticArea("测区1", 2, 2), syntheticArea("测区2", 2, 2)});
        pictures = scratch.subdir("temp");
    }

    // Writes the report of area 1 with `count` pictures.
    std::string write(int count) {
        writeWavePictures(pictures, project.areas[1]->fileName, count);
        const std::string path = scratch.file("pictures.docx");
        EXPECT_TRUE(
            openDoc2(pictures.c_str(), &project.info, &project.areas, 1, path.c_str(), false))
            << scrivetLastError();
        return path;
    }

    static std::vector<std::string> picturesPerSection(const OfficeFacts& facts) {
        std::vector<std::string> counts;
        for (const auto& row : facts.rows({"section-pictures"}))
            counts.push_back(row[2]);
        return counts;
    }

    ScratchDir scratch;
    LoadedProject project;
    std::string pictures;
};

TEST_F(PictureReport, TitleAndProjectTableHeadTheReport) {
    OfficeFacts facts("docx", write(1));
    const auto paragraphs = facts.rows({"paragraph"});
    EXPECT_EQ(paragraphs.at(0).at(1), "落球回弹模量测试检测报告");
    EXPECT_EQ(paragraphs.at(1).at(1), "编号：" + decodeGbk(project.info.reportNo));

    const ProjectInfo& p = project.info;
    const std::pair<std::vector<std::string>, std::string> cells[] = {
        {{"1", "1"}, "工程名称"},
        {{"1", "2"}, decodeGbk(p.projectName)},
        {{"1", "4"}, "2026年10月15日"},
        {{"2", "2"}, decodeGbk(p.testingCompany)},
        {{"2", "4"}, decodeGbk(p.tester)},
        {{"3", "2"}, decodeGbk(p.permitNo)},
        {{"3", "4"}, decodeGbk(p.instrumentModel)},
        {{"4", "2"}, decodeGbk(p.instrumentNo)},
        {{"4", "3"}, "检定证号"},
        {{"4", "4"}, decodeGbk(p.calibrationNo)},
    };
    for (const auto& [at, text] : cells)
        EXPECT_EQ(facts.value({"cell", "1", at[0], at[1]}), text) << at[0] << "," << at[1];
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(facts.rows({"row-height", "1", std::to_string(row)}).at(0).at(3), "386");
    // 20 / 30 / 20 / 30 percent of the text width.
    EXPECT_EQ(facts.value({"grid", "1", "1"}), "1661");
    EXPECT_EQ(facts.value({"grid", "1", "2"}), "2492");
}

TEST_F(PictureReport, FirstBlockNamesTheAreaAndEveryPictureFillsItsMergedRow) {
    OfficeFacts facts("docx", write(2));
    EXPECT_EQ(facts.value({"table", "2"}), "2");
    const char* first = "2.1.1.1";
    EXPECT_EQ(facts.value({"cell", first, "1", "1"}), "测区名称:测区2");
    EXPECT_EQ(facts.value({"cell", first, "1", "2"}), "被测材料:硬质砾石");
    EXPECT_EQ(facts.value({"cell", first, "1", "3"}), "测点数:4（2行×2列）");
    EXPECT_EQ(facts.value({"cell", first, "1", "4"}), "测点间距:5.00m");
    EXPECT_EQ(facts.value({"row-cells", first, "2"}), "1");
    EXPECT_EQ(facts.value({"row-cells", first, "3"}), "1");
    EXPECT_EQ(facts.value({"row-height", first, "2"}), "4000");
    EXPECT_EQ(facts.value({"row-height", first, "4"}), "400");
    EXPECT_EQ(facts.value({"row-height", "2", "1"}), "4200");
    EXPECT_EQ(facts.value({"cell", "2.2.1.1", "1", "1"}), "") << "only the first block is named";
}

TEST_F(PictureReport, PicturesGoTwoOnTheFirstPageThenThreePerPage) {
    EXPECT_EQ(picturesPerSection(OfficeFacts("docx", write(8))),
              (std::vector<std::string>{"2", "3", "3"}));
    OfficeFacts facts("docx", scratch.file("pictures.docx"));
    for (const char* section : {"1", "2", "3"}) {
        EXPECT_EQ(facts.rows({"footer-field", section}).size(), 2u) << section;
        EXPECT_EQ(facts.value({"footer-alignment", section}), "CENTER (1)");
        EXPECT_EQ(facts.value({"footer", section}), "第  页 / 共  页 ");
        EXPECT_EQ(facts.value({"header", section}), "报告编号：" + decodeGbk(project.info.reportNo))
            << "every page carries the report number";
    }
}

TEST_F(PictureReport, ThreePicturesStartASecondPage) {
    OfficeFacts facts("docx", write(3));
    EXPECT_EQ(picturesPerSection(facts), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(facts.value({"table", "3"}), "3") << "the new page's table has three rows";
}

TEST_F(PictureReport, AnEmptyPictureDirectoryLeavesAnEmptyPictureTable) {
    OfficeFacts facts("docx", write(0));
    EXPECT_EQ(picturesPerSection(facts), (std::vector<std::string>{"0"}));
    EXPECT_EQ(facts.value({"table", "2"}), "2");
    EXPECT_FALSE(facts.has({"table", "2.1.1.1"}));
}

TEST_F(PictureReport, OnlyTheAreasPictureNamesCount) {
    // Maps, another area's pictures and look-alike names lie beside them.
    writePng(pictures + "/dengzhi0.png", 10, 10);
    writeWavePictures(pictures, project.areas[0]->fileName, 2);
    for (const char* name : {"测区2.pip-0.png", "测区2.pip-01.png", "测区2.pip-x.png"})
        writePng(pictures + "/" + name, 10, 10);
    EXPECT_EQ(picturesPerSection(OfficeFacts("docx", write(3))),
              (std::vector<std::string>{"2", "1"}));
}

TEST_F(PictureReport, MissingPictureOrAreaFailsWithAReason) {
    // Pictures 1 and 3: the second of the two is missing.
    writeWavePictures(pictures, project.areas[1]->fileName, 1);
    writePng(pictures + "/" + project.areas[1]->fileName + "-3.png", 10, 10);
    const std::string path = scratch.file("pictures.docx");
    EXPECT_FALSE(openDoc2(pictures.c_str(), &project.info, &project.areas, 1, path.c_str(), false));
    EXPECT_NE(std::string(scrivetLastError()).find("测区2.pip-2.png"), std::string::npos)
        << scrivetLastError();
    EXPECT_FALSE(openDoc2(pictures.c_str(), &project.info, &project.areas, 2, path.c_str(), false));
    EXPECT_NE(std::string(scrivetLastError()).find("no measurement area 2"), std::string::npos);
}

TEST_F(PictureReport, EnglishReportNamesTheAreaInEnglish) {
    writeWavePictures(pictures, project.areas[1]->fileName, 1);
    const std::string path = scratch.file("pictures.docx");
    const ScrivetSettings settings{nullptr, nullptr, pictures.c_str(), ScrivetEnglish};
    ASSERT_TRUE(openDoc2With(&project.info, &project.areas, 1, &settings, path.c_str(), false))
        << scrivetLastError();
    OfficeFacts facts("docx", path);
    EXPECT_EQ(facts.rows({"paragraph"}).at(0).at(1), "Drop-Ball Modulus Test: Wave Pictures");
    EXPECT_EQ(facts.value({"cell", "1", "4", "3"}), "Calibration No.");
    EXPECT_EQ(facts.value({"cell", "2.1.1.1", "1", "2"}), "Material: Hard gravel");
    EXPECT_EQ(facts.value({"cell", "2.1.1.1", "1", "3"}), "Points: 4 (2 × 2 grid)");
    EXPECT_EQ(facts.value({"footer", "1"}), "Page  of ");
}

TEST_F(PictureReport, LibreOfficeLaysOutTwoThenThreePicturesPerPage) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const std::string pdf = convertToPdf(write(8));
    EXPECT_EQ(pdfPicturesPerPage(pdf), (std::vector<int>{2, 3, 3}));
}

TEST_F(PictureReport, LibreOfficeShowsTheAreaDataOfAHundredPointsOnOneLine) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    project = makeProject(scratch.subdir("big"),
                          {syntheticArea("测区1", 1, 1), syntheticArea("水泥稳定土测区", 10, 10)});
    project.areas[1]->header.areaType = 4;
    const std::vector<std::string> pages = pdfPageTexts(convertToPdf(write(2)));
    ASSERT_FALSE(pages.empty());
    std::string text = pages.front();
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    // Each whole: a second line would be cut off by the row.
    for (const char* line :
         {"测区名称:水泥稳定土测区", "测点数:100（10行×10列）", "被测材料:水泥稳定土"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in " << text;
}

} // namespace
} // namespace tarvel::testing
