// tarvel-cli report: arguments, exit codes, the pictures it gathers and the
// documents it writes.
#include "report_fixture.h"

#include "analysis/area_map.h"
#include "cli/report_command.h"
#include "cli/report_painter.h"
#include "data/acceptance_file.h"
#include "data/gbk_text.h"
#include "data/lab_profile.h"
#include "data/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tarvel::testing {
namespace {

namespace fs = std::filesystem;

// Draws plain pictures and remembers what it was asked for.
class RecordingPainter : public ReportPainter {
public:
    struct Map {
        std::string fileName;
        MapScale scale;
        std::optional<double> required;
    };
    std::vector<Map> maps;
    std::vector<std::pair<std::string, int>> waves; // file name, point index

    std::string drawMap(const NamePipeFile& area, const MapScale& scale,
                        std::optional<double> required, const std::string& path) override {
        maps.push_back({area.fileName, scale, required});
        writePng(path, 800, 400);
        return {};
    }
    std::string drawWave(NamePipeFile& area, int pointIndex, const std::string& path) override {
        EXPECT_FALSE(area.points[static_cast<std::size_t>(pointIndex)].raw.empty())
            << "a wave is drawn from its samples";
        waves.emplace_back(area.fileName, pointIndex);
        writePng(path, 800, 400);
        return {};
    }
};

class ReportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        project = makeProject(scratch.subdir("p"), {syntheticArea("测区1", 2, 2, "uniform:60"),
                                                    syntheticArea("测区2", 2, 3, "uniform:140")});
        // Area 1 has points 2 and 4 marked for printing, area 2 point 1.
        mark(0, {1, 3});
        mark(1, {0});
        // The user's configuration folder is the test's own.
        setenv("XDG_CONFIG_HOME", scratch.subdir("config").c_str(), 1);
    }

    void mark(std::size_t area, const std::vector<std::size_t>& points) {
        NamePipeFile& file = *project.areas[area];
        for (std::size_t point : points)
            file.points[point].header.printMark = 2;
        ASSERT_EQ(writeAreaFile(file, file.path()), "");
    }

    int run(std::vector<std::string> args, ReportPainter* painter) {
        args.insert(args.begin(), project.projectFile);
        return runReportCommand(args, painter);
    }

    ScratchDir scratch;
    LoadedProject project;
    RecordingPainter painter;
};

TEST_F(ReportCommand, WritesTheThreeDocumentsDrawingTheirPictures) {
    const std::string excel = scratch.file("s.xlsx");
    const std::string word = scratch.file("r.docx");
    const std::string wordPictures = scratch.file("w.docx");
    EXPECT_EQ(
        run({"--excel", excel, "--word", word, "--area", "1", "--word-pictures", wordPictures},
            &painter),
        0);
    for (const std::string& file : {excel, word, wordPictures})
        EXPECT_TRUE(fs::is_regular_file(file)) << file;

    // One map an area, all on the project's one scale.
    ASSERT_EQ(painter.maps.size(), 2u);
    EXPECT_EQ(painter.maps[0].fileName, "测区1.pip");
    EXPECT_EQ(painter.maps[1].fileName, "测区2.pip");
    EXPECT_EQ(painter.maps[0].scale.lower, painter.maps[1].scale.lower);
    EXPECT_EQ(painter.maps[0].scale.upper, painter.maps[1].scale.upper);
    // The soft area's lowest and the stiff area's highest value both on it.
    EXPECT_LE(painter.maps[0].scale.lower, buildAreaMap(*project.areas[0]).minValue);
    EXPECT_GE(painter.maps[0].scale.upper, buildAreaMap(*project.areas[1]).maxValue);
    EXPECT_LT(buildAreaMap(*project.areas[0]).maxValue, buildAreaMap(*project.areas[1]).minValue);
    const OfficeFacts report("docx", word);
    EXPECT_TRUE(report.has({"paragraph", "图1  测区1 变形模量分布图"}));
    EXPECT_TRUE(report.has({"paragraph", "图2  测区2 变形模量分布图"}));

    // --area counts from 1, as render and the desktop do.
    EXPECT_EQ(painter.waves,
              (std::vector<std::pair<std::string, int>>{{"测区1.pip", 1}, {"测区1.pip", 3}}));
    const OfficeFacts pictures("docx", wordPictures);
    EXPECT_EQ(pictures.value({"section-pictures", "1"}), "2");
    EXPECT_EQ(pictures.value({"cell", "2.1.1.1", "1", "1"}), "测区名称:测区1");
}

TEST_F(ReportCommand, TheCriteriaOutlineTheMapsAndLastAreaIsTheLastNumber) {
    AcceptanceCriteria criteria;
    criteria.requiredDeformationModulus = 80;
    criteria.areas["测区2.pip"].deformationModulus = {true, std::nullopt};
    ASSERT_EQ(writeAcceptanceFile(acceptanceFilePath(project.projectFile), criteria), "");
    const std::string word = scratch.file("r.docx");
    const std::string wordPictures = scratch.file("w.docx");
    EXPECT_EQ(run({"--word", word, "--area", "2", "--word-pictures", wordPictures}, &painter), 0);
    ASSERT_EQ(painter.maps.size(), 2u);
    EXPECT_EQ(painter.maps[0].required, std::optional<double>(80));
    EXPECT_EQ(painter.maps[1].required, std::nullopt) << "nothing required in area 2";
    EXPECT_EQ(painter.waves, (std::vector<std::pair<std::string, int>>{{"测区2.pip", 0}}));

    EXPECT_EQ(run({"--area", "3", "--word-pictures", wordPictures}, &painter), 2)
        << "there is no area 3";
    EXPECT_EQ(run({"--area", "0", "--word-pictures", wordPictures}, &painter), 1)
        << "areas count from 1";
}

TEST_F(ReportCommand, PicturesOfTheUsersFoldersAreTakenInsteadOfDrawn) {
    const std::string maps = scratch.subdir("maps");
    writePng(maps + "/dengzhi2.png", 800, 400);
    const std::string pictures = scratch.subdir("pictures");
    writePng(pictures + "/测区1.pip-2.png", 800, 400);
    writePng(pictures + "/dengzhi1.png", 800, 400); // a map among them is no wave picture
    EXPECT_EQ(run({"--word", scratch.file("r.docx"), "--maps", maps, "--pictures", pictures,
                   "--area", "1", "--word-pictures", scratch.file("w.docx")},
                  &painter),
              0);
    ASSERT_EQ(painter.maps.size(), 1u);
    EXPECT_EQ(painter.maps[0].fileName, "测区1.pip") << "only the map not given is drawn";
    EXPECT_EQ(painter.waves, (std::vector<std::pair<std::string, int>>{{"测区1.pip", 1}}));
}

TEST_F(ReportCommand, WithoutAPainterEveryPictureMustBeGivenAndAMissingOneIsNamed) {
    // No --maps: the report has no map chapter.
    const std::string word = scratch.file("r.docx");
    EXPECT_EQ(run({"--word", word}, nullptr), 0);
    EXPECT_FALSE(OfficeFacts("docx", word).has({"paragraph", "四、变形模量分布图"}));

    const std::string maps = scratch.subdir("maps");
    writePng(maps + "/dengzhi1.png", 800, 400);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--word", word, "--maps", maps}, nullptr), 2);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("dengzhi2.png"), std::string::npos);

    const std::string pictures = scratch.subdir("pictures");
    writePng(pictures + "/测区1.pip-1.png", 800, 400);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(
        run({"--pictures", pictures, "--area", "1", "--word-pictures", scratch.file("w.docx")},
            nullptr),
        2);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("测区1.pip-2.png"), std::string::npos);
    EXPECT_FALSE(fs::exists(scratch.file("w.docx")));
}

TEST_F(ReportCommand, AnAreaWithoutMarkedWavesHasNoPictureReport) {
    NamePipeFile& file = *project.areas[1];
    for (MeasurePoint& point : file.points)
        point.header.printMark = 0;
    ASSERT_EQ(writeAreaFile(file, file.path()), "");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--area", "2", "--word-pictures", scratch.file("w.docx")}, &painter), 2);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("no wave marked for printing"),
              std::string::npos);
}

TEST_F(ReportCommand, TheLabComesFromTheConfigurationFolderOrTheFileNamed) {
    LabProfile lab;
    lab.name = "配置中的检测单位";
    lab.approver = "赵批准";
    ASSERT_EQ(writeLabProfile(defaultLabProfilePath(), lab), "");
    const std::string word = scratch.file("r.docx");
    EXPECT_EQ(run({"--word", word}, nullptr), 0);
    EXPECT_TRUE(OfficeFacts("docx", word).has({"paragraph", "检测单位（盖章）：配置中的检测单位"}));

    lab.name = "另一个单位";
    const std::string other = scratch.file("other.json");
    ASSERT_EQ(writeLabProfile(other, lab), "");
    EXPECT_EQ(run({"--word", word, "--lab", other}, nullptr), 0);
    EXPECT_TRUE(OfficeFacts("docx", word).has({"paragraph", "检测单位（盖章）：另一个单位"}));

    EXPECT_EQ(run({"--word", word, "--lab", scratch.file("none.json")}, nullptr), 2)
        << "a profile that is named must be there";
    std::ofstream(other) << R"({"name": "x", "stamp": "y"})";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--word", word, "--lab", other}, nullptr), 2);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("stamp"), std::string::npos);
}

TEST_F(ReportCommand, EnglishDocumentsWithLangEn) {
    const std::string word = scratch.file("r.docx");
    const std::string excel = scratch.file("s.xlsx");
    EXPECT_EQ(run({"--word", word, "--excel", excel, "--lang", "en"}, &painter), 0);
    EXPECT_EQ(OfficeFacts("docx", word).value({"header", "1"}),
              "Report No.: " + decodeGbk(project.info.reportNo));
    EXPECT_TRUE(OfficeFacts("xlsx", excel).has({"sheet", "Summary"}));
    EXPECT_EQ(run({"--word", word, "--lang", "fr"}, &painter), 1);
}

TEST_F(ReportCommand, AFolderNamedButMissingExitsWithTwo) {
    const std::string word = scratch.file("r.docx");
    EXPECT_EQ(run({"--word", word, "--maps", scratch.file("no")}, &painter), 2);
    EXPECT_FALSE(fs::exists(word));
    EXPECT_EQ(run({"--pictures", scratch.file("none"), "--area", "1", "--word-pictures",
                   scratch.file("w.docx")},
                  &painter),
              2);
}

// Runs the command with PATH set to `path` for its duration.
int runWithPath(const std::string& path, const std::vector<std::string>& args) {
    const std::string saved = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    setenv("PATH", path.c_str(), 1);
    const int code = runReportCommand(args, nullptr);
    setenv("PATH", saved.c_str(), 1);
    return code;
}

TEST_F(ReportCommand, PdfWithoutLibreOfficeStillWritesTheDocuments) {
    const std::string excel = scratch.file("s.xlsx");
    const std::string word = scratch.file("r.docx");
    EXPECT_EQ(runWithPath(scratch.subdir("empty-bin"),
                          {project.projectFile, "--excel", excel, "--word", word, "--pdf"}),
              2);
    EXPECT_TRUE(fs::is_regular_file(excel));
    EXPECT_TRUE(fs::is_regular_file(word));
    EXPECT_FALSE(fs::exists(scratch.file("s.pdf")));
}

TEST_F(ReportCommand, OneLibreOfficeRunConvertsEveryDocument) {
    // A stand-in that notes each start and makes a PDF of each input.
    const std::string bin = scratch.subdir("bin");
    const std::string log = scratch.file("soffice.log");
    std::ofstream(bin + "/soffice")
        << "#!/bin/sh\n"
           "echo \"$*\" >> '"
        << log
        << "'\n"
           "out=''\n"
           "while [ $# -gt 0 ]; do\n"
           "  case \"$1\" in\n"
           "    --outdir) out=\"$2\"; shift ;;\n"
           "    -*|pdf) ;;\n"
           "    *) n=$(basename \"$1\"); echo '%PDF' > \"$out/${n%.*}.pdf\" ;;\n"
           "  esac\n"
           "  shift\n"
           "done\n";
    fs::permissions(bin + "/soffice", fs::perms::owner_all);
    const std::string other = scratch.subdir("other");
    const std::string excel = scratch.file("s.xlsx");
    const std::string word = scratch.file("r.docx");
    const std::string wordPictures = other + "/r.docx"; // the same name in another folder
    writePng(scratch.subdir("pictures") + "/测区1.pip-1.png", 800, 400);
    writePng(scratch.file("pictures") + "/测区1.pip-2.png", 800, 400);
    EXPECT_EQ(runWithPath(bin + ":" + std::getenv("PATH"),
                          {project.projectFile, "--excel", excel, "--word", word, "--pictures",
                           scratch.file("pictures"), "--area", "1", "--word-pictures", wordPictures,
                           "--pdf"}),
              0);
    std::ifstream lines(log);
    std::string first;
    std::string second;
    std::getline(lines, first);
    EXPECT_FALSE(std::getline(lines, second)) << "LibreOffice started once";
    for (const std::string& pdf : {scratch.file("s.pdf"), scratch.file("r.pdf"), other + "/r.pdf"})
        EXPECT_TRUE(fs::is_regular_file(pdf)) << pdf;
}

TEST_F(ReportCommand, PdfIsWrittenBesideEachDocument) {
    if (!haveSoffice())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    const std::string excel = scratch.file("s.xlsx");
    const std::string word = scratch.file("r.docx");
    EXPECT_EQ(run({"--excel", excel, "--word", word, "--pdf"}, &painter), 0);
    EXPECT_GE(pdfPageCount(scratch.file("s.pdf")), 1);
    EXPECT_GE(pdfPageCount(scratch.file("r.pdf")), 3) << "cover, results, signatures";
    for (const auto& entry : fs::directory_iterator(scratch.path()))
        EXPECT_EQ(entry.path().filename().string().rfind(".tarvel-pdf", 0), std::string::npos)
            << "no conversion folder is left behind";
}

TEST_F(ReportCommand, BadUsageExitsWithOne) {
    const std::string out = scratch.file("s.xlsx");
    EXPECT_EQ(runReportCommand({}, &painter), 1);
    EXPECT_EQ(run({}, &painter), 1) << "nothing to write";
    EXPECT_EQ(run({"--excel"}, &painter), 1);
    EXPECT_EQ(run({"--bogus", out}, &painter), 1);
    EXPECT_EQ(run({"--word-pictures", out}, &painter), 1) << "which area?";
    EXPECT_EQ(run({"--area", "x", "--word-pictures", out}, &painter), 1);
    EXPECT_EQ(run({"--excel", scratch.file("a.xlsx"), "--word", scratch.file("a.docx"), "--pdf"},
                  &painter),
              1)
        << "both would make a.pdf";
}

TEST_F(ReportCommand, UnreadableInputOrFailedWriteExitsWithTwo) {
    EXPECT_EQ(
        runReportCommand({scratch.file("none.Prj"), "--excel", scratch.file("s.xlsx")}, &painter),
        2);
    EXPECT_EQ(run({"--excel", scratch.file("no/s.xlsx")}, &painter), 2);
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
