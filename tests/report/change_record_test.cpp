// The appendix of the test report that lists every hand intervention in the
// recorded data, read back with python-docx.
#include "report_fixture.h"

#include "data/original_copy.h"
#include "report/scrivet.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvel::testing {
namespace {

std::vector<std::string> paragraphs(const OfficeFacts& facts) {
    std::vector<std::string> texts;
    for (const auto& row : facts.rows({"paragraph"}))
        texts.push_back(row.size() > 1 ? row[1] : "");
    return texts;
}

bool contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(ChangeRecord, NamesEveryChangeOfAnEditedAreaAndSaysWhenNothingChanged) {
    ScratchDir scratch;
    const std::string dir = scratch.subdir("p");
    LoadedProject project =
        makeProject(dir, {syntheticArea("edited", 2, 2), syntheticArea("untouched", 2, 2)});
    NamePipeFile& edited = *project.areas[0];
    ASSERT_EQ(keepOriginal(edited.path(), edited.path()), "");
    edited.header.dropHeight = 0.6f;
    edited.points[1].header.deleted = 1;
    ASSERT_EQ(writeAreaFile(edited, edited.path()), "");

    const std::string path = scratch.file("report.docx");
    ASSERT_TRUE(openDoc1(REPORT_TEMPLATE, &project.info, &project.areas, "", path.c_str(), false))
        << scrivetLastError();
    const std::vector<std::string> texts = paragraphs(OfficeFacts("docx", path));
    const auto title = std::find(texts.begin(), texts.end(), "数据修改记录");
    ASSERT_NE(title, texts.end());
    // The appendix closes the report: the results and the signatures come
    // before it.
    const auto signatures = std::find_if(texts.begin(), texts.end(), [](const std::string& text) {
        return text.rfind("报告日期", 0) == 0;
    });
    ASSERT_NE(signatures, texts.end());
    EXPECT_GT(title - texts.begin(), signatures - texts.begin());
    EXPECT_TRUE(contains(texts, "测区 edited.pip"));
    EXPECT_TRUE(contains(texts, "相对原始记录（原始数据/edited.pip）的修改："));
    EXPECT_TRUE(contains(texts, "落球下落高度(m)：0.50 → 0.60"));
    EXPECT_TRUE(contains(texts, "删除的测点：2"));
    EXPECT_TRUE(contains(texts, "测区 untouched.pip"));
    EXPECT_TRUE(contains(texts, "原始记录未作修改。"));
}

TEST(ChangeRecord, TheEnglishReportCarriesItInEnglish) {
    ScratchDir scratch;
    PileFields pile;
    pile.number = "P1";
    LoadedProject project = makePileProject(scratch.subdir("p"), {pile});
    const std::string path = scratch.file("report_en.docx");
    ASSERT_TRUE(openDoc1_E("", &project.info, &project.areas, path.c_str(), false))
        << scrivetLastError();
    const std::vector<std::string> texts = paragraphs(OfficeFacts("docx", path));
    EXPECT_TRUE(contains(texts, "Changes to the recorded data"));
    EXPECT_TRUE(contains(texts, "Area P1.pip"));
    EXPECT_TRUE(contains(texts, "The recorded data was not changed."));
}

} // namespace
} // namespace tarvel::testing
