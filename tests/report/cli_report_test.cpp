// tarvel-cli report: arguments, exit codes and the documents it writes.
#include "report_fixture.h"

#include "cli/report_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

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

TEST_F(ReportCommand, MapsAndWavePicturesComeFromTheirOwnFolders) {
    const std::string maps = scratch.subdir("maps");
    writePng(maps + "/dengzhi0.png", 800, 400);
    const std::string pictures = scratch.subdir("pictures");
    writeWavePictures(pictures, "测区1.pip", 3);
    // A map among the wave pictures is not taken for one.
    writePng(pictures + "/dengzhi0.png", 800, 400);
    const std::string word = scratch.file("r.docx");
    const std::string wordPictures = scratch.file("w.docx");
    EXPECT_EQ(runReportCommand({project.projectFile, "--word", word, "--maps", maps, "--pictures",
                                pictures, "--area", "0", "--word-pictures", wordPictures}),
              0);
    EXPECT_EQ(OfficeFacts("docx", word).value({"section-pictures", "1"}), "1");
    const OfficeFacts picturesFacts("docx", wordPictures);
    EXPECT_EQ(picturesFacts.value({"section-pictures", "1"}), "2");
    EXPECT_EQ(picturesFacts.value({"section-pictures", "2"}), "1");
}

TEST_F(ReportCommand, AFolderNamedButMissingExitsWithTwo) {
    const std::string word = scratch.file("r.docx");
    EXPECT_EQ(runReportCommand({project.projectFile, "--word", word, "--maps", scratch.file("no")}),
              2);
    EXPECT_FALSE(std::filesystem::exists(word));
    EXPECT_EQ(runReportCommand({project.projectFile, "--pictures", scratch.file("none"), "--area",
                                "0", "--word-pictures", scratch.file("w.docx")}),
              2);
}

// Runs the command with PATH set to `path` for its duration.
int runWithPath(const std::string& path, const std::vector<std::string>& args) {
    const std::string saved = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    setenv("PATH", path.c_str(), 1);
    const int code = runReportCommand(args);
    setenv("PATH", saved.c_str(), 1);
    return code;
}

TEST_F(ReportCommand, PdfWithoutLibreOfficeStillWritesTheDocuments) {
    const std::string excel = scratch.file("s.xlsx");
    const std::string word = scratch.file("r.docx");
    EXPECT_EQ(runWithPath(scratch.subdir("empty-bin"),
                          {project.projectFile, "--excel", excel, "--word", word, "--pdf"}),
              2);
    EXPECT_TRUE(std::filesystem::is_regular_file(excel));
    EXPECT_TRUE(std::filesystem::is_regular_file(word));
    EXPECT_FALSE(std::filesystem::exists(scratch.file("s.pdf")));
}

TEST_F(ReportCommand, PdfIsWrittenBesideEachDocument) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const std::string excel = scratch.file("s.xlsx");
    const std::string word = scratch.file("r.docx");
    EXPECT_EQ(runReportCommand({project.projectFile, "--excel", excel, "--word", word, "--pdf"}),
              0);
    EXPECT_GE(pdfPageCount(scratch.file("s.pdf")), 1);
    EXPECT_GE(pdfPageCount(scratch.file("r.pdf")), 2) << "cover and results";
    for (const auto& entry : std::filesystem::directory_iterator(scratch.path()))
        EXPECT_EQ(entry.path().filename().string().rfind(".tarvel-pdf", 0), std::string::npos)
            << "no conversion folder is left behind";
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
    EXPECT_EQ(runReportCommand({project.projectFile, "--excel", scratch.file("a.xlsx"), "--word",
                                scratch.file("a.docx"), "--pdf"}),
              1)
        << "both would make a.pdf";
}

TEST_F(ReportCommand, UnreadableInputOrFailedWriteExitsWithTwo) {
    EXPECT_EQ(runReportCommand({scratch.file("none.Prj"), "--excel", scratch.file("s.xlsx")}), 2);
    EXPECT_EQ(runReportCommand({project.projectFile, "--excel", scratch.file("no/s.xlsx")}), 2);
    EXPECT_EQ(runReportCommand({project.projectFile, "--pictures", scratch.path(), "--area", "5",
                                "--word-pictures", scratch.file("w.docx")}),
              2);
}

TEST_F(ReportCommand, WritesEveryDocumentOrNoneAndClearsWhatAKilledRunLeft) {
    // What a killed run left: its writer is gone, so the next run removes it.
    const std::string left = scratch.file(".r.docx.tarvel-save-Ab12Cd");
    std::ofstream(left) << "half a document";
    const std::string excel = scratch.file("s.xlsx");
    EXPECT_EQ(runReportCommand({project.projectFile, "--excel", excel, "--word",
                                scratch.file("missing/r.docx")}),
              2);
    EXPECT_FALSE(std::filesystem::exists(excel)) << "no finished workbook beside an error";
    EXPECT_EQ(
        runReportCommand({project.projectFile, "--excel", excel, "--word", scratch.file("r.docx")}),
        0);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(scratch.path()))
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"r.docx", "s.xlsx"}));
}

} // namespace
} // namespace tarvel::testing
