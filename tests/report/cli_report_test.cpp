// tarvel-cli report: arguments, exit codes and the documents it writes.
#include "report_fixture.h"

#include "cli/report_command.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tarvel::testing {
namespace {

class ReportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 2, 2)});
    }

    ScratchDir scratch;
    LoadedProject project;
};

TEST_F(ReportCommand, WritesTheThreeDocuments) {
    const std::string pictures = scratch.subdir("temp");
    writeWavePictures(pictures, "测区1.pip", 3);
    const std::string excel = scratch.file("s.xlsx");
    const std::string word = scratch.file("r.docx");
    const std::string wordPictures = scratch.file("w.docx");
    EXPECT_EQ(runReportCommand({project.projectFile, "--excel", excel, "--word", word, "--pictures",
                                pictures, "--area", "0", "--word-pictures", wordPictures}),
              0);
    for (const std::string& file : {excel, word, wordPictures})
        EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
    EXPECT_EQ(OfficeFacts("docx", wordPictures).value({"section-pictures", "1"}), "2");
}

TEST_F(ReportCommand, BadUsageExitsWithOne) {
    const std::string out = scratch.file("s.xlsx");
    EXPECT_EQ(runReportCommand({}), 1);
    EXPECT_EQ(runReportCommand({project.projectFile}), 1) << "nothing to write";
    EXPECT_EQ(runReportCommand({project.projectFile, "--excel"}), 1);
    EXPECT_EQ(runReportCommand({project.projectFile, "--bogus", out}), 1);
    EXPECT_EQ(runReportCommand({project.projectFile, "--word-pictures", out, "--area", "0"}), 1)
        << "pictures need a directory";
    EXPECT_EQ(runReportCommand(
                  {project.projectFile, "--pictures", ".", "--area", "x", "--word-pictures", out}),
              1);
}

TEST_F(ReportCommand, UnreadableInputOrFailedWriteExitsWithTwo) {
    EXPECT_EQ(runReportCommand({scratch.file("none.Prj"), "--excel", scratch.file("s.xlsx")}), 2);
    EXPECT_EQ(runReportCommand({project.projectFile, "--excel", scratch.file("no/s.xlsx")}), 2);
    EXPECT_EQ(runReportCommand({project.projectFile, "--pictures", scratch.path(), "--area", "5",
                                "--word-pictures", scratch.file("w.docx")}),
              2);
}

} // namespace
} // namespace tarvel::testing
