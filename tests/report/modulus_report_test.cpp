// The test report read back with python-docx: the cover with the lab, the
// project and its basis, the summary with the verdicts and the conclusion,
// each area's tables, the maps, the signatures and every page's number.
#include "report_fixture.h"

#include "analysis/results.h"
#include "data/gbk_text.h"
#include "report/scrivet.h"
#include "report/summary_table.h"
#include "report/word_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>
#include <sstream>

namespace tarvel::testing {
namespace {

LabProfile exampleLab() {
    LabProfile lab;
    lab.name = "江城工程检测中心";
    lab.qualification = "CMA 2026-0815";
    lab.address = "江城市学府路 9 号";
    lab.phone = "027-8888 0000";
    lab.author = "张编写";
    lab.checker = "李复核";
    lab.reviewer = "王审核";
    lab.approver = "赵批准";
    return lab;
}

class ModulusReport : public ::testing::Test {
protected:
    OfficeFacts write(const LoadedProject& project, const std::string& templatePath,
                      const std::string& pictureDir = "",
                      const AcceptanceCriteria* criteria = nullptr, const LabProfile* lab = nullptr,
                      ScrivetLanguage language = ScrivetChinese) {
        const std::string path = scratch.file("report.docx");
        const ScrivetSettings settings{criteria, lab, pictureDir.c_str(), language};
        EXPECT_TRUE(openDoc1With(templatePath.c_str(), &project.info, &project.areas, &settings,
                                 path.c_str(), false))
            << scrivetLastError();
        return OfficeFacts("docx", path);
    }

    // The body's paragraph texts, with "<table n>" where a table stands.
    // The report's paragraphs and tables in order, up to the appendix of
    // changes to the recorded data that follows the signatures.
    static std::vector<std::string> bodyOutline(const OfficeFacts& facts) {
        std::vector<std::string> outline;
        for (const auto& row : facts.rows({})) {
            if (row[0] == "paragraph" && row.size() > 1 &&
                (row[1] == "数据修改记录" || row[1] == "Changes to the recorded data"))
                break;
            if (row[0] == "paragraph")
                outline.push_back(row.size() > 1 ? row[1] : "");
            else if (row[0] == "body-table")
                outline.push_back("<table " + row[1] + ">");
        }
        return outline;
    }

    static std::ptrdiff_t indexOf(const std::vector<std::string>& outline,
                                  const std::string& text) {
        return std::find(outline.begin(), outline.end(), text) - outline.begin();
    }

    // The text after `label` in the table whose first column holds it.
    static std::string labelled(const OfficeFacts& facts, const std::string& table,
                                const std::string& label, const std::string& column = "2") {
        for (const auto& row : facts.rows({"cell", table}))
            if (row.size() == 5 && row[3] == "1" && row[4] == label)
                return facts.value({"cell", table, row[2], column});
        return "<none>";
    }

    ScratchDir scratch;
};

TEST_F(ModulusReport, CoverBasisAndSignaturesNameTheLabProjectAndPeople) {
    LoadedProject project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 2, 2)});
    const LabProfile lab = exampleLab();
    const OfficeFacts facts = write(project, REPORT_TEMPLATE, "", nullptr, &lab);
    const ProjectInfo& p = project.info;

    const std::vector<std::string> outline = bodyOutline(facts);
    EXPECT_EQ(outline.at(2), lab.name) << "the lab heads the cover";
    EXPECT_EQ(outline.at(5), "检 测 报 告");
    const std::string cover = facts.tableStartingWith("报告编号");
    EXPECT_EQ(labelled(facts, cover, "报告编号"), decodeGbk(p.reportNo));
    EXPECT_EQ(labelled(facts, cover, "工程名称"), decodeGbk(p.projectName));
    EXPECT_EQ(labelled(facts, cover, "委托单位"), decodeGbk(p.client));
    EXPECT_EQ(labelled(facts, cover, "检测项目"), "落球法地基变形模量及回弹模量检测");
    EXPECT_EQ(labelled(facts, cover, "检测单位"), lab.name);
    EXPECT_EQ(labelled(facts, cover, "报告日期"), "2026年12月05日");
    for (const std::string& line :
         {"地址：" + lab.address, "电话：" + lab.phone, "资质证书编号：" + lab.qualification,
          "邮编：" + decodeGbk(p.postCode),
          std::string("2．未经本单位书面批准，不得部分复制本报告。")})
        EXPECT_NE(indexOf(outline, line), static_cast<std::ptrdiff_t>(outline.size())) << line;

    const std::string overview = facts.tableStartingWith("工程名称");
    EXPECT_EQ(labelled(facts, overview, "工程地点"), decodeGbk(p.projectAddress));
    EXPECT_EQ(labelled(facts, overview, "质量监督站"), decodeGbk(p.authority));
    EXPECT_EQ(labelled(facts, overview, "检测日期"), "2026年12月01日")
        << "the areas' test date, no longer blank";
    const std::string basis = facts.tableStartingWith("检测依据");
    EXPECT_EQ(labelled(facts, basis, "检测依据"), decodeGbk(p.testBasis));
    EXPECT_EQ(labelled(facts, basis, "仪器型号"), decodeGbk(p.instrumentModel));
    EXPECT_EQ(labelled(facts, basis, "仪器编号"), decodeGbk(p.instrumentNo));
    EXPECT_EQ(labelled(facts, basis, "检定/校准证书编号"), decodeGbk(p.calibrationNo));
    EXPECT_EQ(labelled(facts, basis, "检测人员"),
              decodeGbk(p.tester) + "（上岗证号：" + decodeGbk(p.permitNo) + "）");
    EXPECT_EQ(labelled(facts, basis, "委托日期"), "2026年11月18日");

    const std::string signatures = facts.tableStartingWith("职责");
    const std::pair<const char*, std::string> people[] = {{"编写", lab.author},
                                                          {"复核", lab.checker},
                                                          {"审核", lab.reviewer},
                                                          {"批准", lab.approver}};
    for (const auto& [role, name] : people) {
        EXPECT_EQ(labelled(facts, signatures, role), name) << role;
        EXPECT_EQ(labelled(facts, signatures, role, "4"), "      年    月    日") << "a date line";
    }
    EXPECT_EQ(outline.at(outline.size() - 3), "检测单位（盖章）：" + lab.name);
    EXPECT_EQ(outline.at(outline.size() - 2), "报告日期：2026年12月05日");
}

TEST_F(ModulusReport, WithoutALabProfileTheProjectsOwnLabDataStandAndNothingElse) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    std::memset(project.info.reportDate, 0, sizeof project.info.reportDate);
    const OfficeFacts facts = write(project, REPORT_TEMPLATE);
    const std::vector<std::string> outline = bodyOutline(facts);
    EXPECT_EQ(outline.at(2), decodeGbk(project.info.testingCompany));
    EXPECT_EQ(labelled(facts, facts.tableStartingWith("职责"), "批准"), "")
        << "no placeholder for a name nobody gave";
    EXPECT_EQ(outline.at(outline.size() - 2), "报告日期：") << "an empty date prints empty";
    // No areas: a conclusion, but no summary table before it.
    EXPECT_EQ(facts.tableStartingWith("序号"), "<none>");
    EXPECT_NE(
        indexOf(outline, "检测结论：各测区均未设要求值，本报告仅列出检测结果，未作合格判定。"),
        static_cast<std::ptrdiff_t>(outline.size()));
}

TEST_F(ModulusReport, SummaryListsEveryAreaWithItsVerdictAndTheConclusionFollowsThem) {
    LoadedProject project = makeProject(
        scratch.subdir("p"),
        {syntheticArea("测区1", 3, 3, "uniform:120"), syntheticArea("测区2", 3, 3, "uniform:50"),
         syntheticArea("测区3", 3, 3, "uniform:90"), syntheticArea("测区4", 3, 3, "uniform:90")});
    // The synthetic ground recovers a little more than it yields: its
    // resilient modulus is above its deformation modulus.
    AcceptanceCriteria criteria;
    criteria.requiredDeformationModulus = 70;
    criteria.areas["测区3.pip"].resilientModulus = {true, 500}; // only this modulus fails
    criteria.areas["测区4.pip"].deformationModulus = {true, std::nullopt};
    const OfficeFacts facts = write(project, REPORT_TEMPLATE, "", &criteria);

    const std::string t = facts.tableStartingWith("序号");
    ASSERT_NE(t, "<none>");
    EXPECT_EQ(facts.rows({"table", t}).at(0), (std::vector<std::string>{"table", t, "6", "12"}))
        << "two title rows, one row an area; the resilient columns as one area requires it";
    EXPECT_TRUE(facts.has({"row-header", t, "2"}));
    const char* const verdicts[] = {"合格", "不合格", "不合格", "未设要求"};
    for (int area = 1; area <= 4; ++area) {
        const std::string row = std::to_string(area + 2);
        EXPECT_EQ(facts.value({"cell", t, row, "1"}), std::to_string(area));
        EXPECT_EQ(facts.value({"cell", t, row, "2"}), "测区" + std::to_string(area));
        EXPECT_EQ(facts.value({"cell", t, row, "3"}), "9");
        const AreaMeans means =
            computeAreaMeans(*project.areas[static_cast<std::size_t>(area - 1)]);
        EXPECT_EQ(facts.value({"cell", t, row, "4"}), formatFixed(means.deformationModulus, 2));
        EXPECT_EQ(facts.value({"cell", t, row, "8"}), formatFixed(means.resilientModulus, 2));
        EXPECT_EQ(facts.value({"cell", t, row, "12"}), verdicts[area - 1]) << area;
        EXPECT_EQ(facts.has({"bold", t, row, "12"}), area == 2 || area == 3)
            << "a failure stands out";
    }
    EXPECT_EQ(facts.value({"cell", t, "3", "5"}), "70.00");
    EXPECT_EQ(facts.value({"cell", t, "5", "9"}), "500.00");
    EXPECT_EQ(facts.value({"cell", t, "3", "7"}), "100.0") << "the title says %";
    EXPECT_EQ(facts.value({"cell", t, "2", "4"}), "调和\n平均") << "narrow columns, two lines";
    EXPECT_EQ(facts.value({"cell", t, "6", "5"}), "--");

    EXPECT_TRUE(facts.has({"paragraph", "检测结论：测区2（变形模量）、测区3（回弹模量）不合格，"
                                        "另有 1 个测区合格；测区4未设要求值，未作判定。"}));
}

TEST(Conclusion, SaysAllPassOrWhichAreasFailOnWhichModulus) {
    const auto& zh = scrivet::reportTexts(scrivet::ReportLanguage::Chinese);
    const auto& en = scrivet::reportTexts(scrivet::ReportLanguage::English);
    auto area = [](const char* name, std::optional<double> ed, Verdict edVerdict,
                   std::optional<double> er = {}, Verdict erVerdict = Verdict::Undecided) {
        scrivet::AreaReport report;
        report.name = name;
        report.acceptance.deformationModulus.required = ed;
        report.acceptance.deformationModulus.verdict = edVerdict;
        report.acceptance.resilientModulus.required = er;
        report.acceptance.resilientModulus.verdict = erVerdict;
        return report;
    };
    const std::vector<scrivet::AreaReport> allPass = {area("A", 80, Verdict::Pass),
                                                      area("B", 80, Verdict::Pass)};
    EXPECT_EQ(scrivet::conclusionText(allPass, zh),
              "所检 2 个测区的变形模量代表值均达到要求值，判定合格。");
    EXPECT_EQ(scrivet::conclusionText(allPass, en),
              "Every area tested (2 areas) reaches the required deformation modulus with its "
              "representative value: pass.");
    const std::vector<scrivet::AreaReport> oneFails = {
        area("A", 80, Verdict::Pass, 90, Verdict::Pass),
        area("B", 80, Verdict::Fail, 90, Verdict::Fail), area("C", 80, Verdict::Undecided)};
    EXPECT_EQ(scrivet::conclusionText(oneFails, zh),
              "B（变形模量和回弹模量）不合格，另有 1 个测区合格；C有效测点不足，无法判定。");
    EXPECT_EQ(scrivet::conclusionText(oneFails, en),
              "Fail: B (deformation modulus and resilient modulus); pass: 1 area; too few valid "
              "points to judge: C.");
    const std::vector<scrivet::AreaReport> othersPass = {area("A", 80, Verdict::Pass),
                                                         area("B", 80, Verdict::Fail)};
    EXPECT_EQ(scrivet::conclusionText(othersPass, zh), "B（变形模量）不合格，其余 1 个测区合格。");
    EXPECT_EQ(scrivet::conclusionText({area("A", {}, Verdict::Undecided)}, zh),
              "各测区均未设要求值，本报告仅列出检测结果，未作合格判定。");
}

TEST_F(ModulusReport, EveryAreaShowsItsNamedValuesAPointTableAndItsStatistics) {
    LoadedProject project = makeProject(
        scratch.subdir("p"), {syntheticArea("测区1", 2, 3), syntheticArea("测区2", 1, 2)});
    project.areas[1]->points[0].header.deleted = 1;
    const OfficeFacts facts = write(project, REPORT_TEMPLATE);

    const std::string area = facts.tableStartingWith("测区名称");
    const AreaMeans means = computeAreaMeans(*project.areas[0]);
    const std::pair<std::vector<std::string>, std::string> areaCells[] = {
        {{"1", "2"}, "测区1"},
        {{"1", "4"}, "硬质砾石"},
        {{"2", "2"}, "6（2行×3列）"},
        {{"2", "4"}, "5.00m"},
        {{"3", "2"}, "0.50m"},
        {{"3", "3"}, "检测日期"},
        {{"3", "4"}, "2026年12月01日"},
        {{"4", "1"}, "变形模量调和平均值"},
        {{"4", "2"}, formatFixed(means.deformationModulus, 2) + " MPa"},
        {{"4", "3"}, "回弹模量调和平均值"},
        {{"4", "4"}, formatFixed(means.resilientModulus, 2) + " MPa"},
    };
    for (const auto& [at, text] : areaCells)
        EXPECT_EQ(facts.value({"cell", area, at[0], at[1]}), text) << at[0] << "," << at[1];
    EXPECT_TRUE(facts.has({"bold", area, "4", "3"}));
    EXPECT_FALSE(facts.has({"bold", area, "4", "4"}));

    const std::string points = facts.tableStartingWith("测点\n编号");
    EXPECT_EQ(facts.rows({"table", points}).at(0),
              (std::vector<std::string>{"table", points, "7", "9"}));
    EXPECT_EQ(facts.value({"cell", points, "1", "7"}), "干燥密度\n(g/cm3)")
        << "name and unit on their own lines";
    EXPECT_EQ(facts.value({"superscript", points, "1", "7"}), "3");
    EXPECT_EQ(facts.value({"cell", points, "1", "2"}), "变形模量\n(MPa)");
    EXPECT_EQ(facts.value({"cell", points, "1", "5"}), "K30\n(MPa/m)");
    for (const char* row : {"1", "7"})
        EXPECT_TRUE(facts.has({"row-whole", points, row})) << "rows never break over a page";
    const PointResults& last = project.areas[0]->points[5].results;
    EXPECT_EQ(facts.value({"cell", points, "7", "1"}), "6");
    EXPECT_EQ(facts.value({"cell", points, "7", "3"}), formatFixed(last.resilientModulus, 2));
    EXPECT_EQ(facts.value({"cell", points, "7", "8"}), formatFixed(last.compactionDegree, 2));

    const std::string second = facts.tableStartingWith("测区名称", 2);
    EXPECT_EQ(facts.value({"cell", second, "2", "2"}), "1（1行×2列）")
        << "deleted points not counted";
    const std::string secondPoints = facts.tableStartingWith("测点\n编号", 2);
    EXPECT_EQ(facts.value({"table", secondPoints}), "2") << "the deleted point has no row";
    EXPECT_EQ(facts.value({"cell", secondPoints, "2", "1"}), "2");
}

TEST_F(ModulusReport, PointTablesRepeatTheirTitlesAndKeepTheirEndsTogether) {
    LoadedProject project = makeProject(
        scratch.subdir("p"), {syntheticArea("测区1", 3, 4), syntheticArea("测区2", 1, 1)});
    const OfficeFacts facts = write(project, REPORT_TEMPLATE);
    const std::string area = facts.tableStartingWith("测区名称");
    const std::string points = facts.tableStartingWith("测点\n编号");
    for (const std::string& table : {points, facts.tableStartingWith("测点\n编号", 2)}) {
        EXPECT_EQ(facts.rows({"row-header", table}).size(), 1u) << table;
        EXPECT_TRUE(facts.has({"row-header", table, "1"})) << "titles repeat on every page";
    }
    // The area table, the titles and two points go together; so do the last
    // two points; the middle rows may part.
    for (const char* row : {"1", "2", "3", "4"})
        EXPECT_TRUE(facts.has({"keep-next", area, row, "1"})) << "area row " << row;
    for (const char* row : {"1", "2", "3", "12"})
        EXPECT_TRUE(facts.has({"keep-next", points, row, "5"})) << "point table row " << row;
    for (const char* row : {"4", "11", "13"})
        EXPECT_FALSE(facts.has({"keep-next", points, row, "5"})) << "point table row " << row;

    // Narrow number column, values wide enough for "1234.56".
    const int numberColumn = std::stoi(facts.value({"grid", points, "1"}));
    const int valueColumn = std::stoi(facts.value({"grid", points, "2"}));
    EXPECT_LT(numberColumn, valueColumn * 2 / 3);
    int total = 0;
    for (const auto& row : facts.rows({"grid", points}))
        total += std::stoi(row.at(3));
    EXPECT_NEAR(total, scrivet::kTextWidthTwips, 9);
}

TEST_F(ModulusReport, PropertiesFontsAndTheReportNumberAndPageOnEveryPage) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    OfficeFacts facts = write(project, REPORT_TEMPLATE);
    EXPECT_EQ(facts.value({"title"}), decodeGbk(project.info.projectName));
    EXPECT_EQ(facts.value({"creator"}), decodeGbk(project.info.tester));
    EXPECT_NE(facts.value({"created"}), "None");
    EXPECT_EQ(facts.value({"application"}), "Tarvel");
    EXPECT_EQ(facts.value({"font", "宋体"}), "SimSun");
    EXPECT_TRUE(facts.has({"font", "Times New Roman"}));
    EXPECT_EQ(facts.value({"header", "1"}), "报告编号：" + decodeGbk(project.info.reportNo));
    EXPECT_EQ(facts.value({"footer-alignment", "1"}), "CENTER (1)");
    const auto fields = facts.rows({"footer-field", "1"});
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0][2], "PAGE");
    EXPECT_EQ(fields[1][2], "NUMPAGES");
    EXPECT_EQ(facts.value({"footer", "1"}), "第  页 / 共  页 ");

    // Without a report number the pages carry no header.
    project.info.reportNo[0] = '\0';
    EXPECT_FALSE(write(project, REPORT_TEMPLATE).has({"header", "1"}));
}

TEST_F(ModulusReport, ResultTablesTakeTheFormatOfTheTemplateParagraphTheyStandAt) {
    LoadedProject project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 1, 2)});
    const auto expectFormat = [](const OfficeFacts& facts, const std::string& format) {
        const std::string area = facts.tableStartingWith("测区名称");
        const std::string points = facts.tableStartingWith("测点\n编号");
        const std::vector<std::string> cells[] = {{area, "1", "1"},
                                                  {area, "1", "2"},
                                                  {area, "3", "4"},
                                                  {points, "1", "1"},
                                                  {points, "2", "5"}};
        for (const auto& at : cells) {
            const auto row = facts.rows({"cell-format", at[0], at[1], at[2]}).at(0);
            EXPECT_EQ(row.at(4) + " " + row.at(5), format) << at[0] << ":" << at[1] << "," << at[2];
        }
    };
    // Both tables alike, area table and point table, as the template sets.
    expectFormat(write(project, REPORT_TEMPLATE), "CENTER (1) 9.0");

    // A template whose paragraph for the area tables is right-aligned at 12 pt.
    scrivet::ZipEntries parts = scrivet::readZipFile(REPORT_TEMPLATE);
    for (auto& [name, content] : parts)
        if (name == "word/document.xml") {
            const std::size_t mark = content.find("w:name=\"areas\"");
            const std::size_t at = content.rfind("<w:p>", mark);
            const std::size_t end = content.find("<w:bookmarkStart", at);
            content.replace(at, end - at,
                            "<w:p><w:pPr><w:jc w:val=\"right\"/><w:rPr><w:sz w:val=\"24\"/>"
                            "</w:rPr></w:pPr>");
        }
    const std::string own = scratch.file("own.docx");
    scrivet::writeZipFile(own, parts);
    OfficeFacts facts = write(project, own);
    expectFormat(facts, "RIGHT (2) 12.0");
    const std::string area = facts.tableStartingWith("测区名称");
    EXPECT_TRUE(facts.has({"bold", area, "1", "1"}));
    EXPECT_FALSE(facts.has({"bold", area, "1", "2"}));
}

TEST_F(ModulusReport, MapsStandUnderTheirHeadingNumberedAndCaptionedByArea) {
    LoadedProject project = makeProject(
        scratch.subdir("p"), {syntheticArea("测区1", 1, 2), syntheticArea("测区2", 1, 2)});
    project.areas[1]->header.columnSpacing = 0; // no usable grid: no map, and a line saying so
    const std::string pictures = scratch.subdir("temp");
    writePng(pictures + "/dengzhi1.png", 800, 400);
    AcceptanceCriteria criteria;
    criteria.requiredDeformationModulus = 80;
    OfficeFacts facts = write(project, REPORT_TEMPLATE, pictures, &criteria);

    const std::vector<std::string> outline = bodyOutline(facts);
    const std::ptrdiff_t maps = indexOf(outline, "四、变形模量分布图");
    ASSERT_LT(maps, static_cast<std::ptrdiff_t>(outline.size()));
    const auto at = [&](std::ptrdiff_t i) {
        return outline.at(static_cast<std::size_t>(maps + i));
    };
    EXPECT_EQ(at(1).rfind("各图色标相同：", 0), 0u) << at(1);
    EXPECT_EQ(at(3), "图1  测区1 变形模量分布图");
    EXPECT_EQ(at(4), "黑框为低于要求值 80.00 MPa 的测点");
    EXPECT_EQ(at(5), "测区2没有可用的网格，未绘分布图。");
    EXPECT_EQ(facts.value({"section-pictures", "1"}), "1");

    // An expected map that is not there fails the report, naming it.
    project.areas[1]->header.columnSpacing = 5;
    const ScrivetSettings settings{nullptr, nullptr, pictures.c_str(), ScrivetChinese};
    EXPECT_FALSE(openDoc1With(REPORT_TEMPLATE, &project.info, &project.areas, &settings,
                              scratch.file("r.docx").c_str(), false));
    EXPECT_NE(std::string(scrivetLastError()).find("dengzhi2.png"), std::string::npos);

    // Without a map folder there is no map chapter at all.
    const std::vector<std::string> none = bodyOutline(write(project, REPORT_TEMPLATE));
    EXPECT_EQ(indexOf(none, "四、变形模量分布图"), static_cast<std::ptrdiff_t>(none.size()));
}

TEST_F(ModulusReport, TheLabsLogoStandsOnTheCoverAndAMissingOneFailsNamingIt) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    LabProfile lab = exampleLab();
    lab.logo = scratch.file("logo.png");
    writePng(lab.logo, 300, 100);
    EXPECT_EQ(write(project, REPORT_TEMPLATE, "", nullptr, &lab).value({"section-pictures", "1"}),
              "1");
    lab.logo = scratch.file("none.png");
    const ScrivetSettings settings{nullptr, &lab, nullptr, ScrivetChinese};
    EXPECT_FALSE(openDoc1With(REPORT_TEMPLATE, &project.info, &project.areas, &settings,
                              scratch.file("r.docx").c_str(), false));
    EXPECT_NE(std::string(scrivetLastError()).find("none.png"), std::string::npos);
}

TEST_F(ModulusReport, EnglishReportHasNoChineseLabelAndNamesResultsFromTheFieldTable) {
    LoadedProject project = makeProject(scratch.subdir("p"), {syntheticArea("Area 1", 2, 2)});
    // Texts that are the project's own data may be in any language; here
    // they are English, so any Chinese left would be one of our labels.
    ProjectInfo& p = project.info;
    for (char* field : {p.projectName, p.projectAddress, p.testingCompany, p.companyAddress,
                        p.client, p.tester, p.owner, p.surveyor, p.designer, p.builder,
                        p.supervisor, p.authority, p.instrumentModel, p.contactPerson})
        std::strcpy(field, "Data");
    for (auto& area : project.areas)
        std::memset(area->header.areaName, 0, sizeof area->header.areaName);
    std::strcpy(project.areas[0]->header.areaName, "Area 1");
    project.areas[0]->points[1].results.flags.set(QualityFlag::Clipped);
    AcceptanceCriteria criteria;
    criteria.requiredDeformationModulus = 30;
    const LabProfile lab{"Lab", "CMA 1", "Road 1", "1234", "A", "B", "C", "D", ""};
    const std::string pictures = scratch.subdir("maps");
    writePng(pictures + "/dengzhi1.png", 800, 400);
    const OfficeFacts facts =
        write(project, REPORT_TEMPLATE, pictures, &criteria, &lab, ScrivetEnglish);

    // Lead bytes of U+3000 to U+9FFF (CJK punctuation and ideographs) and
    // of the full-width forms.
    const std::string text = facts.allText();
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        EXPECT_EQ(line.find_first_of("\xe3\xe4\xe5\xe6\xe7\xe8\xe9\xef"), std::string::npos)
            << "a Chinese text in the English report: " << line;
        at = end == std::string::npos ? text.size() : end + 1;
    }
    EXPECT_EQ(facts.value({"header", "1"}), "Report No.: " + decodeGbk(p.reportNo));
    EXPECT_EQ(facts.value({"footer", "1"}), "Page  of ");
    const std::string points = facts.tableStartingWith("Point\nNo.");
    EXPECT_EQ(facts.value({"cell", points, "1", "2"}), "Deformation modulus\n(MPa)");
    EXPECT_EQ(facts.value({"cell", points, "1", "9"}), "Relative density");
    EXPECT_EQ(facts.value({"cell", facts.tableStartingWith("No."), "3", "9"}), "Pass");
}

TEST_F(ModulusReport, TemplateFileIsUsedWhenPresentAndTheBuiltInCopyOtherwise) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    OfficeFacts builtIn = write(project, scratch.file("no-such-template.docx"));
    EXPECT_EQ(bodyOutline(builtIn).at(5), "检 测 报 告");

    // A template of our own making with a different cover.
    scrivet::ZipEntries parts = scrivet::readZipFile(REPORT_TEMPLATE);
    for (auto& [name, content] : parts)
        if (name == "word/document.xml")
            content.replace(content.find("检 测 报 告"), std::string("检 测 报 告").size(),
                            "检测报告书");
    const std::string own = scratch.file("own.docx");
    scrivet::writeZipFile(own, parts);
    EXPECT_EQ(bodyOutline(write(project, own)).at(5), "检测报告书");
}

TEST_F(ModulusReport, TemplateWithoutItsPlacesFailsWithAReason) {
    LoadedProject project = makeProject(scratch.subdir("p"), {});
    const std::string bare = scratch.file("bare.docx");
    scrivet::WordDocument::blank().save(bare);
    const std::string out = scratch.file("out.docx");
    EXPECT_FALSE(openDoc1(bare.c_str(), &project.info, &project.areas, "", out.c_str(), false));
    const std::string error = scrivetLastError();
    EXPECT_NE(error.find(out), std::string::npos);
    EXPECT_NE(error.find("the template has no"), std::string::npos) << error;
}

TEST_F(ModulusReport, LibreOfficeLaysOutTheReport) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    LoadedProject project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 5, 5)});
    const std::string pictures = scratch.subdir("temp");
    writePng(pictures + "/dengzhi1.png", 800, 400);
    const std::string path = scratch.file("report.docx");
    ASSERT_TRUE(openDoc1(REPORT_TEMPLATE, &project.info, &project.areas, pictures.c_str(),
                         path.c_str(), false));
    // Cover; overview, basis, summary; the area; the map and the signatures;
    // the record of changes to the data on a page of its own.
    const std::string pdf = convertToPdf(path);
    const std::vector<std::string> pages = pdfPageTexts(pdf);
    ASSERT_GE(pages.size(), 4u);
    const std::vector<int> perPage = pdfPicturesPerPage(pdf);
    EXPECT_EQ(std::count(perPage.begin(), perPage.end(), 1), 1);
    EXPECT_NE(pages[pages.size() - 2].find("批准"), std::string::npos)
        << "the signatures end the report";
    EXPECT_NE(pages.back().find("数据修改记录"), std::string::npos);
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
    const std::vector<std::string> pages = pdfPageTexts(convertToPdf(path), true);
    ASSERT_GT(pages.size(), 10u);

    const std::regex pointRow(R"(^\s*\d+\s+-?\d+\.\d\d\s)");
    for (std::size_t page = 0; page < pages.size(); ++page) {
        std::istringstream lines(pages[page]);
        std::string line;
        bool titles = false;
        bool rowAfterAreaTitle = true;
        bool summary = false;
        while (std::getline(lines, line)) {
            if (line.find("变形模量") != std::string::npos &&
                line.find("测点") != std::string::npos)
                titles = true;
            if (line.find("要求值") != std::string::npos &&
                line.find("代表值") != std::string::npos)
                summary = true; // the summary's rows are no points
            if (line.find("测区名称") != std::string::npos)
                summary = false;
            if (line.find("测区名称") != std::string::npos)
                rowAfterAreaTitle = false;
            if (!summary && std::regex_search(line, pointRow)) {
                EXPECT_TRUE(titles) << "page " << page + 1 << " starts with bare numbers: " << line;
                rowAfterAreaTitle = true;
            }
        }
        EXPECT_TRUE(rowAfterAreaTitle) << "page " << page + 1 << " ends with an area title";
    }
}

TEST_F(ModulusReport, LibreOfficeNumbersEveryPageAndLeavesNoneWithOnlyItsFooter) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    // Three tables of 24 points: the last one ends near the foot of a page.
    LoadedProject project = makeProject(
        scratch.subdir("p"),
        {syntheticArea("测区1", 4, 6), syntheticArea("测区2", 4, 6), syntheticArea("测区3", 4, 6)});
    const std::string path = scratch.file("report.docx");
    ASSERT_TRUE(openDoc1(REPORT_TEMPLATE, &project.info, &project.areas, "", path.c_str(), false));
    const std::vector<std::string> pages = pdfPageTexts(convertToPdf(path));
    const std::string number = "报告编号：" + decodeGbk(project.info.reportNo);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        std::string text;
        for (char c : pages[i])
            if (c != ' ')
                text += c;
        EXPECT_NE(text.find(number), std::string::npos) << "page " << i + 1;
        const std::size_t footer =
            text.find("第" + std::to_string(i + 1) + "页/共" + std::to_string(pages.size()) + "页");
        ASSERT_NE(footer, std::string::npos) << "page " << i + 1;
        text.erase(footer);
        text.erase(text.find(number), number.size());
        EXPECT_NE(text.find_first_not_of("\n\f"), std::string::npos)
            << "page " << i + 1 << " holds only its footer";
    }
}

} // namespace
} // namespace tarvel::testing
