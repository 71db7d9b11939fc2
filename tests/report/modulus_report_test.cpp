// The test report read back with python-docx: the template completed with
// the project data, the area and point tables, the maps and the footer.
#include "report_fixture.h"

#include "analysis/results.h"
#include "data/gbk_text.h"
#include "report/scrivet.h"
#include "report/word_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

namespace tarvel::testing {
namespace {

class ModulusReport : public ::testing::Test {
protected:
    OfficeFacts write(const LoadedProject& project, const std::string& templatePath,
                      const std::string& pictureDir = "") {
        const std::string path = scratch.file("report.docx");
        EXPECT_TRUE(openDoc1(templatePath.c_str(), &project.info, &project.areas,
                             pictureDir.c_str(), path.c_str(), false))
            << scrivetLastError();
        return OfficeFacts("docx", path);
    }

    // The body's paragraph texts, with "<table n>" where a table stands.
    static std::vector<std::string> bodyOutline(const OfficeFacts& facts) {
        std::vector<std::string> outline;
        for (const auto& row : facts.rows({}))
            if (row[0] == "paragraph")
                outline.push_back(row.size() > 1 ? row[1] : "");
            else if (row[0] == "body-table")
                outline.push_back("<table " + row[1] + ">");
        return outline;
    }

    static std::ptrdiff_t indexOf(const std::vector<std::string>& outline,
                                  const std::string& text) {
        return std::find(outline.begin(), outline.end(), text) - outline.begin();
    }

    ScratchDir scratch;
};

TEST_F(ModulusReport, TemplateIsCompletedWithTheProjectData) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    OfficeFacts facts = write(project, REPORT_TEMPLATE);
    const ProjectInfo& p = project.info;

    const std::vector<std::string> outline = bodyOutline(facts);
    EXPECT_EQ(outline.at(2), " Morvath");
    EXPECT_EQ(outline.at(4), "检 测 报 告");
    EXPECT_EQ(outline.at(30), "一 项目概况");
    // The headings stand apart from the tables above them.
    EXPECT_EQ(facts.value({"space-before", "二 检测结果"}), "12.0");
    EXPECT_EQ(facts.value({"space-before", "三 等值图"}), "12.0");
    EXPECT_EQ(outline.at(6), "报告编号：" + decodeGbk(p.reportNo));
    EXPECT_EQ(outline.at(8),
              "检测人员：" + decodeGbk(p.tester) + "(证号：" + decodeGbk(p.permitNo) + ")");
    EXPECT_EQ(outline.at(32), "<table 1>");

    const std::string values[] = {decodeGbk(p.projectName),
                                  decodeGbk(p.projectAddress),
                                  decodeGbk(p.owner),
                                  decodeGbk(p.client),
                                  decodeGbk(p.surveyor),
                                  decodeGbk(p.designer),
                                  decodeGbk(p.builder),
                                  decodeGbk(p.supervisor),
                                  decodeGbk(p.authority),
                                  "",
                                  ""};
    EXPECT_EQ(facts.value({"table", "1"}), "11");
    for (int row = 1; row <= 11; ++row)
        EXPECT_EQ(facts.value({"cell", "1", std::to_string(row), "2"}), values[row - 1]) << row;
    EXPECT_EQ(facts.value({"cell", "1", "11", "1"}), "备    注");

    // No areas: the closing block follows the headings directly.
    const std::ptrdiff_t results = indexOf(outline, "二 检测结果");
    EXPECT_EQ(outline.at(static_cast<std::size_t>(results + 2)), "三 等值图");
    const std::ptrdiff_t closing = indexOf(outline, "检测单位：" + decodeGbk(p.testingCompany));
    ASSERT_LT(closing, static_cast<std::ptrdiff_t>(outline.size()));
    EXPECT_EQ(outline.at(static_cast<std::size_t>(closing + 1)),
              "地址：" + decodeGbk(p.companyAddress));
    EXPECT_EQ(outline.at(static_cast<std::size_t>(closing + 2)), "邮编：" + decodeGbk(p.postCode))
        << "the postal code, not the address again";
    EXPECT_EQ(outline.at(static_cast<std::size_t>(closing + 3)),
              "电话：" + decodeGbk(p.contactPhone));
    EXPECT_EQ(outline.at(static_cast<std::size_t>(closing + 4)), "传真：");
    EXPECT_EQ(outline.at(static_cast<std::size_t>(closing + 6)),
              "联系人：" + decodeGbk(p.contactPerson));

    EXPECT_EQ(facts.value({"footer-alignment", "1"}), "CENTER (1)");
    const auto fields = facts.rows({"footer-field", "1"});
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0][2], "PAGE");
    EXPECT_EQ(fields[1][2], "NUMPAGES");
    EXPECT_EQ(facts.value({"footer", "1"}), "第  页 / 共  页 ");
}

TEST_F(ModulusReport, EveryAreaGetsAnAreaTableAndAPointTableUnderTheResults) {
    LoadedProject project = makeProject(
        scratch.subdir("p"), {syntheticArea("测区1", 2, 3), syntheticArea("测区2", 1, 2)});
    project.areas[1]->points[0].header.deleted = 1;
    OfficeFacts facts = write(project, REPORT_TEMPLATE);

    const std::vector<std::string> outline = bodyOutline(facts);
    const std::ptrdiff_t results = indexOf(outline, "二 检测结果");
    // Area table, point table, statistics table, each apart from the next.
    const std::vector<std::string> expected = {
        "<table 2>", "",          "<table 3>", "",          "<table 4>", "", "", "<table 5>",
        "",          "<table 6>", "",          "<table 7>", "",          "", "", "三 等值图"};
    EXPECT_EQ(
        std::vector<std::string>(outline.begin() + results + 1, outline.begin() + results + 17),
        expected);

    const AreaMeans means = computeAreaMeans(*project.areas[0]);
    const std::pair<std::vector<std::string>, std::string> areaCells[] = {
        {{"2", "1", "1"}, "测区名称"},
        {{"2", "1", "2"}, "测区1"},
        {{"2", "1", "4"}, "硬质砾石"},
        {{"2", "2", "2"}, "6（2行×3列）"},
        {{"2", "2", "4"}, "5.00m"},
        {{"2", "3", "2"}, "0.50m"},
        {{"2", "3", "4"}, formatFixed(means.deformationModulus, 2) + " MPa"},
        {{"2", "4", "1"}, "回弹模量"},
        {{"2", "4", "2"}, formatFixed(means.resilientModulus, 2) + " MPa"},
        {{"2", "4", "3"}, ""},
    };
    for (const auto& [key, text] : areaCells) {
        std::vector<std::string> cellKey = {"cell"};
        cellKey.insert(cellKey.end(), key.begin(), key.end());
        EXPECT_EQ(facts.value(cellKey), text) << key[1] << "," << key[2];
    }
    EXPECT_TRUE(facts.has({"bold", "2", "3", "3"}));
    EXPECT_FALSE(facts.has({"bold", "2", "3", "4"}));

    EXPECT_EQ(facts.rows({"table", "3"}).at(0), (std::vector<std::string>{"table", "3", "7", "9"}));
    EXPECT_EQ(facts.value({"cell", "3", "1", "7"}), "干燥密度\n(g/cm3)")
        << "name and unit on their own lines";
    EXPECT_EQ(facts.value({"superscript", "3", "1", "7"}), "3");
    EXPECT_EQ(facts.value({"cell", "3", "1", "1"}), "测点\n编号");
    EXPECT_TRUE(facts.has({"bold", "3", "1", "9"}));
    for (const char* row : {"1", "7"})
        EXPECT_TRUE(facts.has({"row-whole", "3", row})) << "rows never break over a page";
    const PointResults& last = project.areas[0]->points[5].results;
    EXPECT_EQ(facts.value({"cell", "3", "7", "1"}), "6");
    EXPECT_EQ(facts.value({"cell", "3", "7", "3"}), formatFixed(last.resilientModulus, 2));
    EXPECT_EQ(facts.value({"cell", "3", "7", "8"}), formatFixed(last.compactionDegree, 2));

    EXPECT_EQ(facts.value({"table", "6"}), "2") << "the deleted point has no row";
    EXPECT_EQ(facts.value({"cell", "5", "2", "2"}), "1（1行×2列）") << "deleted points not counted";
    EXPECT_EQ(facts.value({"cell", "6", "2", "1"}), "2");
}

TEST_F(ModulusReport, PointTablesRepeatTheirTitlesAndKeepTheirEndsTogether) {
    LoadedProject project = makeProject(
        scratch.subdir("p"), {syntheticArea("测区1", 3, 4), syntheticArea("测区2", 1, 1)});
    OfficeFacts facts = write(project, REPORT_TEMPLATE);
    for (const char* table : {"3", "6"}) {
        EXPECT_EQ(facts.rows({"row-header", table}).size(), 1u) << table;
        EXPECT_TRUE(facts.has({"row-header", table, "1"})) << "titles repeat on every page";
    }
    // The area table, the titles and two points go together; so do the last
    // two points; the middle rows may part.
    for (const char* row : {"1", "2", "3", "4"})
        EXPECT_TRUE(facts.has({"keep-next", "2", row, "1"})) << "area row " << row;
    for (const char* row : {"1", "2", "3", "12"})
        EXPECT_TRUE(facts.has({"keep-next", "3", row, "5"})) << "point table row " << row;
    for (const char* row : {"4", "11", "13"})
        EXPECT_FALSE(facts.has({"keep-next", "3", row, "5"})) << "point table row " << row;

    // Narrow number column, values wide enough for "1234.56".
    const int numberColumn = std::stoi(facts.value({"grid", "3", "1"}));
    const int valueColumn = std::stoi(facts.value({"grid", "3", "2"}));
    EXPECT_LT(numberColumn, valueColumn * 2 / 3);
    int total = 0;
    for (const auto& row : facts.rows({"grid", "3"}))
        total += std::stoi(row.at(3));
    EXPECT_NEAR(total, scrivet::kTextWidthTwips, 9);
}

TEST_F(ModulusReport, PropertiesFontsAndTheReportNumberOnEveryPage) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    OfficeFacts facts = write(project, REPORT_TEMPLATE);
    EXPECT_EQ(facts.value({"title"}), decodeGbk(project.info.projectName));
    EXPECT_EQ(facts.value({"creator"}), decodeGbk(project.info.tester));
    EXPECT_NE(facts.value({"created"}), "None");
    EXPECT_EQ(facts.value({"application"}), "Tarvel");
    EXPECT_EQ(facts.value({"font", "宋体"}), "SimSun");
    EXPECT_TRUE(facts.has({"font", "Times New Roman"}));
    EXPECT_EQ(facts.value({"header", "1"}), "报告编号：" + decodeGbk(project.info.reportNo));

    // Without a report number the pages carry no header.
    project.info.reportNo[0] = '\0';
    EXPECT_FALSE(write(project, REPORT_TEMPLATE).has({"header", "1"}));
}

TEST_F(ModulusReport, ResultTablesTakeTheFormatOfTheTemplateParagraphTheyStandAt) {
    LoadedProject project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 1, 2)});
    const auto expectFormat = [](const OfficeFacts& facts, const std::string& format) {
        const std::vector<std::string> cells[] = {
            {"2", "1", "1"}, {"2", "1", "2"}, {"2", "3", "4"}, {"3", "1", "1"}, {"3", "2", "5"}};
        for (const auto& at : cells) {
            const auto row = facts.rows({"cell-format", at[0], at[1], at[2]}).at(0);
            EXPECT_EQ(row.at(4) + " " + row.at(5), format) << at[0] << ":" << at[1] << "," << at[2];
        }
    };
    // Both tables alike, area table and point table, as the template sets.
    expectFormat(write(project, REPORT_TEMPLATE), "CENTER (1) 9.0");

    // A template whose paragraph under "二 检测结果" is right-aligned at 12 pt.
    scrivet::ZipEntries parts = scrivet::readZipFile(REPORT_TEMPLATE);
    for (auto& [name, content] : parts)
        if (name == "word/document.xml") {
            const std::size_t at = content.find("<w:p>", content.find("二 检测结果"));
            const std::size_t end = content.find("</w:p>", at);
            content.replace(at, end - at,
                            "<w:p><w:pPr><w:jc w:val=\"right\"/><w:rPr><w:sz w:val=\"24\"/>"
                            "</w:rPr></w:pPr>");
        }
    const std::string own = scratch.file("own.docx");
    scrivet::writeZipFile(own, parts);
    OfficeFacts facts = write(project, own);
    expectFormat(facts, "RIGHT (2) 12.0");
    EXPECT_TRUE(facts.has({"bold", "2", "1", "1"}));
    EXPECT_FALSE(facts.has({"bold", "2", "1", "2"}));
    EXPECT_TRUE(facts.has({"bold", "3", "1", "1"}));
    EXPECT_FALSE(facts.has({"bold", "3", "2", "5"}));
}

TEST_F(ModulusReport, DistributionMapsStandUnderTheirHeadingWithTheAreaName) {
    LoadedProject project = makeProject(
        scratch.subdir("p"), {syntheticArea("测区1", 1, 2), syntheticArea("测区2", 1, 2)});
    const std::string pictures = scratch.subdir("temp");
    writePng(pictures + "/dengzhi1.png", 800, 400);
    OfficeFacts facts = write(project, REPORT_TEMPLATE, pictures);

    const std::vector<std::string> outline = bodyOutline(facts);
    const std::ptrdiff_t maps = indexOf(outline, "三 等值图");
    EXPECT_EQ(outline.at(static_cast<std::size_t>(maps + 2)), "测区2");
    EXPECT_EQ(facts.value({"section-pictures", "1"}), "1");
}

TEST_F(ModulusReport, TemplateFileIsUsedWhenPresentAndTheBuiltInCopyOtherwise) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    OfficeFacts builtIn = write(project, scratch.file("no-such-template.docx"));
    EXPECT_EQ(bodyOutline(builtIn).at(2), " Morvath");

    // A template of our own making with a different cover.
    scrivet::ZipEntries parts = scrivet::readZipFile(REPORT_TEMPLATE);
    for (auto& [name, content] : parts)
        if (name == "word/document.xml")
            content.replace(content.find(" Morvath"), 8, "Own cover");
    const std::string own = scratch.file("own.docx");
    scrivet::writeZipFile(own, parts);
    EXPECT_EQ(bodyOutline(write(project, own)).at(2), "Own cover");
}

TEST_F(ModulusReport, TemplateWithoutItsLabelsFailsWithAReason) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    const std::string bare = scratch.file("bare.docx");
    scrivet::WordDocument::blank().save(bare);
    const std::string out = scratch.file("out.docx");
    EXPECT_FALSE(openDoc1(bare.c_str(), &project.info, &project.areas, "", out.c_str(), false));
    const std::string error = scrivetLastError();
    EXPECT_NE(error.find(out), std::string::npos);
    EXPECT_NE(error.find("报告编号："), std::string::npos);
}

TEST_F(ModulusReport, LibreOfficeLaysOutTheReport) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    LoadedProject project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 5, 5)});
    const std::string pictures = scratch.subdir("temp");
    writePng(pictures + "/dengzhi0.png", 800, 400);
    const std::string path = scratch.file("report.docx");
    ASSERT_TRUE(openDoc1(REPORT_TEMPLATE, &project.info, &project.areas, pictures.c_str(),
                         path.c_str(), false));
    // Cover; overview and results; the maps with the closing block; the
    // record of changes to the data.
    const std::string pdf = convertToPdf(path, scratch);
    EXPECT_EQ(pdfPageCount(pdf), 4);
    EXPECT_EQ(pdfPicturesPerPage(pdf), (std::vector<int>{0, 0, 1, 0}));
}

TEST_F(ModulusReport, LibreOfficeStrandsNoRowsAndNoAreaTitles) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    std::vector<SyntheticArea> areas;
    for (int i = 1; i <= 10; ++i)
        areas.push_back(syntheticArea("测区" + std::to_string(i), 10, 10, "random:40:160"));
    LoadedProject project = makeProject(scratch.subdir("p"), areas);
    const std::string path = scratch.file("report.docx");
    ASSERT_TRUE(openDoc1(REPORT_TEMPLATE, &project.info, &project.areas, "", path.c_str(), false));
    const std::vector<std::string> pages = pdfPageTexts(convertToPdf(path, scratch), true);
    ASSERT_GT(pages.size(), 10u);

    const std::regex pointRow(R"(^\s*\d+\s+-?\d+\.\d\d\s)");
    for (std::size_t page = 0; page < pages.size(); ++page) {
        std::istringstream lines(pages[page]);
        std::string line;
        bool titles = false;
        bool rowAfterAreaTitle = true;
        while (std::getline(lines, line)) {
            if (line.find("变形模量") != std::string::npos &&
                line.find("测点") != std::string::npos)
                titles = true;
            if (line.find("测区名称") != std::string::npos)
                rowAfterAreaTitle = false;
            if (std::regex_search(line, pointRow)) {
                EXPECT_TRUE(titles) << "page " << page + 1 << " starts with bare numbers: " << line;
                rowAfterAreaTitle = true;
            }
        }
        EXPECT_TRUE(rowAfterAreaTitle) << "page " << page + 1 << " ends with an area title";
    }
}

TEST_F(ModulusReport, LibreOfficeLeavesNoPageWithOnlyItsFooter) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    // Three tables of 24 points: the last one ends near the foot of a page.
    LoadedProject project = makeProject(
        scratch.subdir("p"),
        {syntheticArea("测区1", 4, 6), syntheticArea("测区2", 4, 6), syntheticArea("测区3", 4, 6)});
    const std::string path = scratch.file("report.docx");
    ASSERT_TRUE(openDoc1(REPORT_TEMPLATE, &project.info, &project.areas, "", path.c_str(), false));
    const std::vector<std::string> pages = pdfPageTexts(convertToPdf(path, scratch));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        std::string text;
        for (char c : pages[i])
            if (c != ' ')
                text += c;
        const std::size_t footer = text.find("第" + std::to_string(i + 1) + "页");
        ASSERT_NE(footer, std::string::npos) << "page " << i + 1;
        text.erase(footer);
        EXPECT_NE(text.find_first_not_of("\n\f"), std::string::npos)
            << "page " << i + 1 << " holds only its footer";
    }
}

} // namespace
} // namespace tarvel::testing
