// The summary workbook read back with openpyxl: sheets, project fields,
// area blocks, formats, and the values the analysis library computed.
#include "report_fixture.h"

#include "analysis/results.h"
#include "data/gbk_text.h"
#include "report/scrivet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <regex>
#include <sstream>

namespace tarvel::testing {
namespace {

class ExcelSummary : public ::testing::Test {
protected:
    // Writes the workbook and reads it back.
    OfficeFacts write(const LoadedProject& project) {
        const std::string path = scratch.file("summary.xlsx");
        EXPECT_TRUE(openExcel(&project.info, &project.areas, path.c_str(), false))
            << scrivetLastError();
        return OfficeFacts("xlsx", path);
    }
    std::string cell(const OfficeFacts& facts, const char* a1) {
        return facts.value({"cell", "汇总表", a1});
    }

    ScratchDir scratch;
};

TEST_F(ExcelSummary, ProjectSheetFollowsSummarySheetAndCarriesTheProjectFields) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    OfficeFacts facts = write(project);

    const auto sheets = facts.rows({"sheet"});
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0][1], "汇总表");
    EXPECT_EQ(sheets[1][1], "工程信息");

    const std::pair<const char*, std::string> expected[] = {
        {"A1", "工程名称"},
        {"C1", decodeGbk(project.info.projectName)},
        {"H1", "检测依据"},
        {"K1", decodeGbk(project.info.testBasis)},
        {"K2", decodeGbk(project.info.owner)},
        {"C3", decodeGbk(project.info.client)},
        {"K3", decodeGbk(project.info.surveyor)},
        {"K5", decodeGbk(project.info.authority)},
        {"C6", "2026年10月15日"},
        {"H6", "检测日期"},
        {"A7", "测试人员"},
        {"B7", decodeGbk(project.info.tester)},
        {"F7", "上岗证号"},
        {"I7", decodeGbk(project.info.permitNo)},
        {"B8", decodeGbk(project.info.instrumentModel)},
        {"F8", decodeGbk(project.info.instrumentNo)},
        {"I8", "检定证号"},
        {"J8", decodeGbk(project.info.calibrationNo)},
        {"A9", "检测单位"},
        {"C9", decodeGbk(project.info.testingCompany)},
        {"H9", "资质证书编号"},
        {"K9", decodeGbk(project.info.qualificationNo)},
        {"A10", "报告编号"},
        {"C10", decodeGbk(project.info.reportNo)},
        {"K10", "2026年12月05日"},
    };
    for (const auto& [a1, text] : expected)
        EXPECT_EQ(facts.value({"cell", "工程信息", a1}), text) << a1;
    EXPECT_FALSE(facts.has({"cell", "工程信息", "K6"})) << "no areas, no test dates";

    for (const char* range :
         {"A1:B1", "C1:G1", "H1:J1", "B7:E7", "F7:H7", "I7:K7", "B8:C8", "D8:E8", "F8:H8", "J8:K8"})
        EXPECT_TRUE(facts.has({"merge", "工程信息", range})) << range;
    EXPECT_FALSE(facts.has({"merge", "工程信息", "K1"}));

    // Stored widths carry Excel's padding of about 0.7 characters.
    const std::pair<const char*, double> widths[] = {
        {"A", 7.5}, {"C", 11.88}, {"F", 1.25}, {"K", 14.0}};
    for (const auto& [column, width] : widths) {
        const double stored = std::stod(facts.value({"width", "工程信息", column}));
        EXPECT_GT(stored - width, 0.2) << column;
        EXPECT_LT(stored - width, 0.8) << column;
    }
    EXPECT_EQ(facts.value({"default-height", "工程信息"}), "20.0");
    for (const char* a1 : {"A1", "C6", "J8"})
        EXPECT_EQ(facts.rows({"style", "工程信息", a1}).at(0),
                  (std::vector<std::string>{"style", "工程信息", a1, "@", "宋体", "11.0",
                                            "FF000000", "center", "center", "thin"}))
            << a1;
    EXPECT_EQ(facts.rows({"cell", "汇总表"}).size(), 11u) << "no areas: the column titles only";
}

TEST_F(ExcelSummary, EachAreaGetsItsBlockAndPointRowsWithTheEngineValues) {
    LoadedProject project = makeProject(
        scratch.subdir("p"), {syntheticArea("测区1", 3, 4), syntheticArea("测区2", 2, 2)});
    OfficeFacts facts = write(project);

    // The column titles once, at the top.
    EXPECT_EQ(cell(facts, "A1"), "测点编号");
    EXPECT_EQ(cell(facts, "B1"), "变形模量(MPa)");
    EXPECT_EQ(cell(facts, "G1"), "干燥密度(g/cm³)");
    EXPECT_EQ(cell(facts, "I1"), "相对密度");
    EXPECT_EQ(cell(facts, "A2"), "测区名称");
    EXPECT_EQ(cell(facts, "D2"), "测区1");
    EXPECT_EQ(cell(facts, "H2"), "硬质砾石");
    EXPECT_EQ(cell(facts, "D3"), "12（3行×4列）");
    EXPECT_EQ(cell(facts, "H3"), "5.00m");
    EXPECT_EQ(cell(facts, "D4"), "0.50m");
    EXPECT_EQ(cell(facts, "F4"), "检测日期");
    EXPECT_EQ(cell(facts, "H4"), "2026年12月01日");
    const AreaMeans means = computeAreaMeans(*project.areas[0]);
    EXPECT_EQ(cell(facts, "A5"), "变形模量调和平均值");
    EXPECT_EQ(cell(facts, "D5"), formatFixed(means.deformationModulus, 2) + " MPa");
    EXPECT_EQ(cell(facts, "F5"), "回弹模量调和平均值");
    EXPECT_EQ(cell(facts, "H5"), formatFixed(means.resilientModulus, 2) + " MPa");

    for (int j = 0; j < 12; ++j) {
        const PointResults& r = project.areas[0]->points[static_cast<std::size_t>(j)].results;
        const std::string row = std::to_string(6 + j);
        EXPECT_EQ(cell(facts, ("A" + row).c_str()), std::to_string(j + 1));
        EXPECT_EQ(cell(facts, ("B" + row).c_str()), formatFixed(r.deformationModulus, 2));
        EXPECT_EQ(cell(facts, ("D" + row).c_str()), formatFixed(r.deflection, 2));
        EXPECT_EQ(cell(facts, ("I" + row).c_str()), formatFixed(r.relativeDensity, 2));
        // The fitted moduli follow, as the wave view shows them.
        EXPECT_EQ(cell(facts, ("J" + row).c_str()), formatFixed(r.fitDeformationModulus, 2));
        EXPECT_EQ(cell(facts, ("K" + row).c_str()), formatFixed(r.fitResilientModulus, 2));
    }
    EXPECT_EQ(cell(facts, "J1"), "拟合变形模量(MPa)");
    // The titles, 4 header rows, 12 points, 8 rows of statistics, the empty
    // merged row: area 2 at row 27, its points from row 31.
    EXPECT_EQ(cell(facts, "A18"), "统计项目");
    EXPECT_TRUE(facts.has({"merge", "汇总表", "A26:K26"}));
    EXPECT_EQ(cell(facts, "D27"), "测区2");
    EXPECT_EQ(cell(facts, "A31"), "1") << "point numbers restart for every area";
    EXPECT_EQ(cell(facts, "A34"), "4");
    EXPECT_EQ(cell(facts, "A35"), "统计项目");
    for (const char* range : {"A27:C27", "D27:E27", "F30:G30", "H30:I30"})
        EXPECT_TRUE(facts.has({"merge", "汇总表", range})) << range;

    EXPECT_EQ(facts.rows({"style", "汇总表", "B6"}).at(0),
              (std::vector<std::string>{"style", "汇总表", "B6", "0.00", "宋体", "11.0", "FF000000",
                                        "center", "center", "thin"}));
    EXPECT_EQ(facts.rows({"style", "汇总表", "A6"}).at(0).at(3), "0");
    EXPECT_EQ(facts.rows({"style", "汇总表", "A1"}).at(0).at(3), "@") << "titles stay text";
    EXPECT_EQ(facts.value({"height", "汇总表", "27"}), "20.0");
    EXPECT_NEAR(std::stod(facts.value({"width", "汇总表", "P"})), 20.71, 0.05);
}

TEST_F(ExcelSummary, DeletedPointsAreLeftOutOfRowsAndMeans) {
    LoadedProject project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 2, 2)});
    NamePipeFile& area = *project.areas[0];
    area.points[1].header.deleted = 1;
    OfficeFacts facts = write(project);

    EXPECT_EQ(cell(facts, "A6"), "1");
    EXPECT_EQ(cell(facts, "A7"), "3") << "a row keeps its point's number";
    EXPECT_EQ(cell(facts, "A8"), "4");
    EXPECT_TRUE(facts.has({"merge", "汇总表", "A17:K17"})) << "after 8 rows of statistics";
    EXPECT_EQ(cell(facts, "D3"), "3（2行×2列）") << "only the points reported are counted";
    EXPECT_EQ(cell(facts, "D5"),
              formatFixed(computeAreaMeans(area).deformationModulus, 2) + " MPa");
}

TEST_F(ExcelSummary, EmptyAreasZeroModuliAndNonNumbersStayReadable) {
    LoadedProject project = makeProject(
        scratch.subdir("p"), {syntheticArea("空测区", 1, 2), syntheticArea("测区2", 1, 2)});
    NamePipeFile& empty = *project.areas[0];
    empty.points.clear();
    empty.header.pointCount = 0;
    NamePipeFile& odd = *project.areas[1];
    odd.points[0].results.deformationModulus = 0;
    odd.points[1].results.k30 = std::nan("");
    odd.points[1].results.cbr = INFINITY;
    OfficeFacts facts = write(project);

    EXPECT_EQ(cell(facts, "D5"), "--") << "0/0 mean of an area without points";
    EXPECT_EQ(cell(facts, "H5"), "--");
    EXPECT_EQ(cell(facts, "A6"), "统计项目");
    EXPECT_EQ(cell(facts, "B9"), "0") << "statistics of no points";
    EXPECT_EQ(cell(facts, "B11"), "--");
    EXPECT_TRUE(facts.has({"merge", "汇总表", "A14:K14"}));
    EXPECT_EQ(cell(facts, "D15"), "测区2") << "the next area starts right after";
    EXPECT_EQ(cell(facts, "D18"), "0.00 MPa") << "a zero modulus makes the mean 0";
    EXPECT_EQ(cell(facts, "E20"), "--");
    EXPECT_EQ(cell(facts, "F20"), "--");
    EXPECT_EQ(cell(facts, "B20"), formatFixed(odd.points[1].results.deformationModulus, 2));
}

TEST_F(ExcelSummary, ValuesAreNumbersRoundedToWhatTheyShow) {
    LoadedProject project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 2, 3)});
    project.areas[0]->points[1].results.k30 = std::nan("");
    OfficeFacts facts = write(project);
    const PointResults& r = project.areas[0]->points[0].results;
    const auto number = [&](const char* a1) { return facts.value({"number", "汇总表", a1}); };
    // openpyxl gives back the stored double: the two-decimal value itself.
    EXPECT_EQ(std::stod(number("B6")), std::stod(formatFixed(r.deformationModulus, 2)));
    EXPECT_EQ(std::stod(number("I6")), std::stod(formatFixed(r.relativeDensity, 2)));
    EXPECT_EQ(number("A7"), "2");
    EXPECT_EQ(std::stod(number("H3")), 5.0);
    EXPECT_EQ(facts.rows({"style", "汇总表", "H3"}).at(0).at(3), "0.00\"m\"");
    EXPECT_EQ(facts.rows({"style", "汇总表", "D5"}).at(0).at(3), "0.00\" MPa\"");
    EXPECT_EQ(cell(facts, "E7"), "--");
    EXPECT_FALSE(facts.has({"number", "汇总表", "E7"})) << "a value not computed stays text";
    EXPECT_FALSE(facts.has({"number", "汇总表", "D2"})) << "names stay text";
}

TEST_F(ExcelSummary, SheetsPrintAcrossA4WithTitlesFooterAndTheirOwnExtent) {
    LoadedProject project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 2, 3)});
    OfficeFacts facts = write(project);
    EXPECT_EQ(facts.value({"title"}), decodeGbk(project.info.projectName));
    EXPECT_EQ(facts.value({"creator"}), decodeGbk(project.info.tester));
    for (const char* sheet : {"汇总表", "工程信息"}) {
        EXPECT_EQ(facts.value({"orientation", sheet}), "landscape") << sheet;
        EXPECT_EQ(facts.value({"paper", sheet}), "9") << sheet << " on A4";
        // One page wide (1 is the default, which may be left unwritten),
        // as many pages high as needed.
        const auto fit = facts.rows({"fit-width", sheet}).at(0);
        EXPECT_TRUE(fit.at(2) == "1" || fit.at(2) == "None") << sheet << " " << fit.at(2);
        EXPECT_EQ(fit.at(3), "0") << sheet;
        EXPECT_TRUE(facts.value({"fit-to-page", sheet}) == "True") << sheet;
        EXPECT_EQ(facts.value({"footer", sheet}), "第 &P 页 / 共 &N 页") << sheet;
        EXPECT_EQ(facts.value({"footer-right", sheet}),
                  "报告编号：" + decodeGbk(project.info.reportNo))
            << sheet;
    }
    EXPECT_EQ(facts.value({"print-titles", "汇总表"}), "$1:$1");
    EXPECT_EQ(facts.value({"frozen", "汇总表"}), "A2");
    // Streaming readers size the sheet by its dimension: never to column XFD.
    EXPECT_EQ(facts.value({"dimension", "汇总表"}), "A1:K20");
    EXPECT_EQ(facts.value({"dimension", "工程信息"}), "A1:K10");
}

TEST_F(ExcelSummary, ReportNumberWithFooterCodesPrintsAsTyped) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    for (const char* number : {"A&G-7", "&[Picture]", "&&P&N"}) {
        std::memset(project.info.reportNo, 0, sizeof project.info.reportNo);
        std::strcpy(project.info.reportNo, number);
        OfficeFacts facts = write(project);
        std::string printed = facts.value({"footer-right", "汇总表"});
        // What prints: "&&" is one "&", and the joiner between "&" and a
        // picture code is invisible.
        for (std::size_t at; (at = printed.find("\u200b")) != std::string::npos;)
            printed.erase(at, 3);
        for (std::size_t at = 0; (at = printed.find("&&", at)) != std::string::npos; ++at)
            printed.erase(at, 1);
        EXPECT_EQ(printed, std::string("报告编号：") + number);
    }
}

TEST_F(ExcelSummary, EnglishWorkbookHasNoChineseLabel) {
    LoadedProject project = makeProject(scratch.subdir("p"), {syntheticArea("A1", 2, 3)});
    // The project's own texts in English: any Chinese left would be a label.
    ProjectInfo& p = project.info;
    for (char* field :
         {p.projectName, p.projectAddress, p.testingCompany, p.client, p.tester, p.owner,
          p.surveyor, p.designer, p.builder, p.supervisor, p.authority, p.instrumentModel})
        std::strcpy(field, "Data");
    std::memset(project.areas[0]->header.areaName, 0, sizeof project.areas[0]->header.areaName);
    std::strcpy(project.areas[0]->header.areaName, "A1");
    project.areas[0]->points[2].results.flags.set(QualityFlag::Clipped);
    AcceptanceCriteria criteria;
    criteria.requiredDeformationModulus = 50;
    const std::string path = scratch.file("summary.xlsx");
    const ScrivetSettings settings{&criteria, nullptr, nullptr, ScrivetEnglish};
    ASSERT_TRUE(openExcelWith(&project.info, &project.areas, &settings, path.c_str(), false))
        << scrivetLastError();
    const OfficeFacts facts("xlsx", path);
    const std::string text = facts.allText();
    // Lead bytes of CJK punctuation and ideographs and of full-width forms.
    EXPECT_EQ(text.find_first_of("\xe3\xe4\xe5\xe6\xe7\xe8\xe9\xef"), std::string::npos) << text;
    EXPECT_EQ(facts.value({"cell", "Summary", "B1"}), "Deformation modulus (MPa)");
    EXPECT_EQ(facts.value({"cell", "Summary", "A2"}), "Area");
    EXPECT_EQ(facts.value({"cell", "Summary", "A12"}).rfind("* Quality flags: ", 0), 0u);
    EXPECT_EQ(facts.value({"footer", "Summary"}), "Page &P of &N");
    EXPECT_EQ(facts.value({"footer-right", "Summary"}),
              "Report No.: " + decodeGbk(project.info.reportNo));
}

TEST_F(ExcelSummary, FieldsWithoutTheirNulAreReadWithinTheirWidth) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    std::memset(project.info.projectName, 'A', sizeof project.info.projectName);
    std::memset(project.info.testBasis, 'B', sizeof project.info.testBasis);
    OfficeFacts facts = write(project);
    EXPECT_EQ(facts.value({"cell", "工程信息", "C1"}), std::string(100, 'A'));
    EXPECT_EQ(facts.value({"cell", "工程信息", "K1"}), std::string(20, 'B'));
}

TEST_F(ExcelSummary, FailuresReturnFalseWithThePathAndReason) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    const std::string path = scratch.file("missing/dir/summary.xlsx");
    EXPECT_FALSE(openExcel(&project.info, &project.areas, path.c_str(), false));
    EXPECT_NE(std::string(scrivetLastError()).find(path), std::string::npos);
    EXPECT_FALSE(openExcel(nullptr, &project.areas, scratch.file("x.xlsx").c_str(), false));
    EXPECT_NE(std::string(scrivetLastError()).find("project"), std::string::npos);
    EXPECT_FALSE(openExcel(&project.info, &project.areas, nullptr, false));
}

TEST_F(ExcelSummary, LibreOfficeOpensTheWorkbook) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    LoadedProject project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 3, 3)});
    const std::string path = scratch.file("summary.xlsx");
    ASSERT_TRUE(openExcel(&project.info, &project.areas, path.c_str(), false));
    // The summary prints first; the project sheet after it.
    const std::vector<std::string> pages = pdfPageTexts(convertToPdf(path));
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(pages.front().rfind("测点编号", 0), 0u) << pages.front();
    const std::string model = decodeGbk(project.info.instrumentModel);
    EXPECT_EQ(pages.front().find(model), std::string::npos);
    EXPECT_TRUE(std::any_of(pages.begin() + 1, pages.end(), [&](const std::string& page) {
        return page.find(model) != std::string::npos;
    }));
}

TEST_F(ExcelSummary, PagesBreakInsidePointsButNeverInsideAStatisticsBlock) {
    std::vector<SyntheticArea> areas;
    for (int i = 1; i <= 10; ++i)
        areas.push_back(syntheticArea("测区" + std::to_string(i), 10, 10, "random:40:160"));
    LoadedProject project = makeProject(scratch.subdir("p"), areas);
    OfficeFacts facts = write(project);
    std::vector<int> breaks;
    for (const auto& row : facts.rows({"break", "汇总表"}))
        breaks.push_back(std::stoi(row.at(2)));
    ASSERT_GT(breaks.size(), 10u);
    // Each area: 4 header rows, 100 points, 8 rows of statistics, 1 empty.
    int pointBreaks = 0;
    for (int area = 0; area < 10; ++area) {
        const int header = 2 + area * 113;
        const int statistics = header + 104;
        for (int first : breaks) {
            EXPECT_FALSE(first > statistics && first <= statistics + 7)
                << "a page starts inside the statistics of area " << area + 1 << " at " << first;
            EXPECT_FALSE(first > header && first <= header + 5)
                << "area " << area + 1 << "'s header is parted from its first points";
            pointBreaks += first > header + 5 && first < statistics;
        }
    }
    EXPECT_GT(pointBreaks, 10) << "pages are filled: most break inside an area's points";
    for (std::size_t i = 1; i < breaks.size(); ++i)
        EXPECT_LE(breaks[i] - breaks[i - 1], 37) << "no page holds more than Excel fits";
}

TEST_F(ExcelSummary, LibreOfficePrintsEveryPageWholeAcrossWithItsTitles) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    std::vector<SyntheticArea> areas;
    for (int i = 1; i <= 10; ++i)
        areas.push_back(syntheticArea("测区" + std::to_string(i), 10, 10, "random:40:160"));
    LoadedProject project = makeProject(scratch.subdir("p"), areas);
    const std::string path = scratch.file("summary.xlsx");
    ASSERT_TRUE(openExcel(&project.info, &project.areas, path.c_str(), false));
    const std::vector<std::string> pages = pdfPageTexts(convertToPdf(path));
    // 1 131 rows at about 30 rows a page, and the project sheet.
    ASSERT_GT(pages.size(), 2u);
    EXPECT_LT(pages.size(), 42u);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        const std::string& text = pages[page];
        EXPECT_NE(text.find("第 " + std::to_string(page + 1) + " 页 / 共 " +
                            std::to_string(pages.size()) + " 页"),
                  std::string::npos)
            << "page " << page + 1 << " is numbered";
        EXPECT_NE(text.find("报告编号：" + decodeGbk(project.info.reportNo)), std::string::npos)
            << "page " << page + 1 << " carries the report number";
        if (page + 1 == pages.size()) {
            // The project sheet: its last column on the page with its first.
            EXPECT_NE(text.find("工程名称"), std::string::npos);
            EXPECT_NE(text.find(decodeGbk(project.info.calibrationNo)), std::string::npos);
            continue;
        }
        EXPECT_NE(text.find("测点编号"), std::string::npos) << "page " << page + 1;
        EXPECT_NE(text.find("相对密度"), std::string::npos)
            << "page " << page + 1 << " holds the last column too";
    }
}

TEST_F(ExcelSummary, LibreOfficeKeepsEachAreaHeaderWithItsFirstPoints) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    // Blocks of many lengths, so that some would start near a page foot.
    std::vector<SyntheticArea> areas;
    const int sizes[][2] = {{10, 10}, {3, 4}, {5, 5}, {2, 3}, {7, 7}, {4, 6}, {10, 10}, {3, 3}};
    for (std::size_t i = 0; i < std::size(sizes); ++i)
        areas.push_back(syntheticArea("测区" + std::to_string(i + 1), sizes[i][0], sizes[i][1],
                                      "random:40:160"));
    LoadedProject project = makeProject(scratch.subdir("p"), areas);
    const std::string path = scratch.file("summary.xlsx");
    ASSERT_TRUE(openExcel(&project.info, &project.areas, path.c_str(), false));
    const std::vector<std::string> pages = pdfPageTexts(convertToPdf(path), true);
    ASSERT_GT(pages.size(), 5u);

    const std::regex pointRow(R"(^\s*\d+\s+-?\d+\.\d\d\s)");
    int areaTitles = 0;
    for (std::size_t page = 0; page + 1 < pages.size(); ++page) {
        std::istringstream lines(pages[page]);
        std::string line;
        int pointsAfterAreaTitle = 2;
        while (std::getline(lines, line)) {
            if (line.find("测区名称") != std::string::npos) {
                ++areaTitles;
                pointsAfterAreaTitle = 0;
            } else if (std::regex_search(line, pointRow)) {
                ++pointsAfterAreaTitle;
            }
        }
        EXPECT_GE(pointsAfterAreaTitle, 2)
            << "page " << page + 1 << " ends with an area's header and too few of its points";
    }
    EXPECT_EQ(areaTitles, static_cast<int>(std::size(sizes)));
}

} // namespace
} // namespace tarvel::testing
