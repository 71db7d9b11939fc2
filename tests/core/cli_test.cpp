// tarvel-cli end to end: exit codes, output formats, and no partial output on failure.
#include "analysis/synthetic.h"
#include "fixtures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvel::test {
namespace {

struct CliRun {
    int exitCode;
    std::string out;
};

// Standard error is dropped, or mixed into `out` when asked for.
CliRun runCli(const std::string& arguments, bool withErrors = false) {
    std::string command =
        std::string(TARVEL_CLI_PATH) + " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
    CliRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, got);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(runCli("simulate " + dir.path() +
                         " --areas 2 --rows 2 --columns 3 "
                         "--moduli uniform:80 --samples 1024")
                      .exitCode,
                  0);
    }
    TempDir dir;
};

TEST_F(CliTest, AnalyzeAreaAsJson) {
    CliRun run = runCli("analyze " + dir.file("area-1.pip"));
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        run.out.rfind("{\"fileName\":\"area-1.pip\",\"sampleCount\":1024,\"pointCount\":6,", 0),
        0u);
    EXPECT_NE(run.out.find("\"points\":[{\"index\":0,\"pointNo\":0,\"pointColumn\":0,"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"index\":5,\"pointNo\":1,\"pointColumn\":2,"), std::string::npos);
}

TEST_F(CliTest, AnalyzeProjectInEveryFormat) {
    CliRun json = runCli("analyze " + dir.file("demo.Prj") + " --format json");
    ASSERT_EQ(json.exitCode, 0);
    EXPECT_EQ(json.out.rfind("{\"projectName\":\"示范工程\",\"areas\":[{", 0), 0u);

    CliRun csv = runCli("analyze " + dir.file("demo.Prj") + " --format csv");
    ASSERT_EQ(csv.exitCode, 0);
    std::size_t rows = 0;
    for (char c : csv.out)
        rows += c == '\n';
    EXPECT_EQ(rows, 1u + 12u);

    CliRun text = runCli("analyze " + dir.file("demo.Prj") + " --format text");
    ASSERT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("变形模量 (MPa): 8"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("测区变形模量(MPa): "), std::string::npos);
}

TEST(CliAnalyze, RecordsWithoutBaselineNoiseGiveTheSameNumbersAsBefore) {
    // The sample project has noise only during the contact. The saved output
    // predates the skipping of noise pulses, flags, acceptance and the
    // whole-pulse fit.
    const std::string source = TARVEL_SOURCE_DIR;
    CliRun run = runCli("analyze " + source + "/samples/demo/demo.Prj");
    ASSERT_EQ(run.exitCode, 0);
    nlohmann::json now = nlohmann::json::parse(run.out);
    for (nlohmann::json& area : now["areas"]) {
        area.erase("acceptance");
        area.erase("calibrationRatio");
        area.erase("areaFlags");
        for (nlohmann::json& point : area["points"]) {
            for (const char* key :
                 {"flags", "noisePulsesSkipped", "fitDeformationModulus", "fitResilientModulus",
                  "fitInterval", "fitResidual", "calibrationRatio", "baseline", "level"})
                point.erase(key);
        }
    }
    std::vector<unsigned char> bytes = readBytes(source + "/tests/core/data/demo-analyze.json");
    nlohmann::json saved = nlohmann::json::parse(bytes.begin(), bytes.end());
    // The saved output lists the areas in the folder's order; they now come
    // in the natural order of their names.
    auto byName = [](const nlohmann::json& a, const nlohmann::json& b) {
        return a["fileName"] < b["fileName"];
    };
    std::sort(saved["areas"].begin(), saved["areas"].end(), byName);
    EXPECT_EQ(now, saved);
}

TEST_F(CliTest, AcceptanceFromTheCriteriaFileAndTheOptions) {
    const std::string criteria = R"({"requiredDeformationModulus": 200,
        "areas": {"area-2.pip": {"requiredDeformationModulus": 60}}})";
    writeBytes(dir.file("demo.acceptance.json"), {criteria.begin(), criteria.end()});
    auto acceptanceOf = [&](const std::string& options) {
        CliRun run = runCli("analyze " + dir.file("demo.Prj") + options);
        EXPECT_EQ(run.exitCode, 0);
        // Areas come in directory-listing order: index them by name.
        std::map<std::string, nlohmann::json> areas;
        const nlohmann::json project = nlohmann::json::parse(run.out);
        for (const nlohmann::json& area : project["areas"])
            areas[area["fileName"]] = area["acceptance"];
        return std::vector<nlohmann::json>{areas["area-1.pip"], areas["area-2.pip"]};
    };

    std::vector<nlohmann::json> fromFile = acceptanceOf("");
    ASSERT_EQ(fromFile.size(), 2u);
    EXPECT_EQ(fromFile[0]["requiredDeformationModulus"], 200);
    EXPECT_EQ(fromFile[0]["verdict"], "不合格");
    EXPECT_EQ(fromFile[0]["n"], 6);
    EXPECT_EQ(fromFile[0]["excluded"], 0);
    EXPECT_EQ(fromFile[0]["passShare"], 0);
    EXPECT_EQ(fromFile[1]["requiredDeformationModulus"], 60);
    EXPECT_EQ(fromFile[1]["verdict"], "合格");
    EXPECT_EQ(fromFile[1]["guaranteeRate"], 0.95);
    EXPECT_FALSE(fromFile[1].contains("resilientModulus"));

    std::vector<nlohmann::json> overridden =
        acceptanceOf(" --require-ed 50 --require-er 500 --guarantee 90");
    for (const nlohmann::json& area : overridden) {
        EXPECT_EQ(area["requiredDeformationModulus"], 50);
        EXPECT_EQ(area["verdict"], "合格");
        EXPECT_EQ(area["guaranteeRate"], 0.9);
        EXPECT_EQ(area["resilientModulus"]["requiredResilientModulus"], 500);
        EXPECT_EQ(area["resilientModulus"]["verdict"], "不合格");
    }
    EXPECT_LT(overridden[0]["representativeValue"].get<double>(),
              overridden[0]["mean"].get<double>());

    CliRun text = runCli("analyze " + dir.file("demo.Prj") + " --format text");
    EXPECT_NE(text.out.find("  判定: 不合格\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("  判定: 合格\n"), std::string::npos);

    EXPECT_EQ(runCli("analyze " + dir.file("demo.Prj") + " --guarantee 80").exitCode, 1);
    EXPECT_EQ(runCli("analyze " + dir.file("demo.Prj") + " --require-ed -3").exitCode, 1);
    EXPECT_EQ(runCli("analyze " + dir.file("demo.Prj") + " --require-er 7x").exitCode, 1);
    EXPECT_EQ(runCli("analyze " + dir.file("demo.Prj") + " --fail-on warning").exitCode, 1);
}

TEST_F(CliTest, MalformedCriteriaFileIsRefusedWithItsPath) {
    writeBytes(dir.file("demo.acceptance.json"), {'{', '"', 'x', '"'});
    CliRun run = runCli("analyze " + dir.file("demo.Prj") + " --require-ed 80", true);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out.rfind("tarvel-cli: " + dir.file("demo.acceptance.json") + ": ", 0), 0u)
        << run.out;
    EXPECT_EQ(run.out.find('{'), std::string::npos); // no analysis printed
}

TEST(CliFlags, ErrorFlagsShowInEveryFormatAndCanFailTheRun) {
    // A 1 MPa point's contact outlasts the 1024-sample record: no return.
    TempDir dir;
    ASSERT_EQ(runCli("simulate " + dir.path() +
                     " --areas 1 --rows 1 --columns 3 --moduli 80,1,90 --samples 1024")
                  .exitCode,
              0);
    const std::string area = "analyze " + dir.file("area-1.pip");
    CliRun json = runCli(area);
    EXPECT_EQ(json.exitCode, 0);
    nlohmann::json points = nlohmann::json::parse(json.out)["points"];
    EXPECT_EQ(points[0]["flags"], nlohmann::json::array());
    EXPECT_EQ(points[1]["flags"], (nlohmann::json{"noReturn", "contactTime"}));
    EXPECT_EQ(nlohmann::json::parse(json.out)["acceptance"]["excluded"], 1);

    CliRun csv = runCli(area + " --format csv");
    EXPECT_NE(csv.out.find(",flags,"), std::string::npos);
    EXPECT_NE(csv.out.find(",level\r\n"), std::string::npos);
    EXPECT_NE(csv.out.find(",noReturn;contactTime,"), std::string::npos);
    EXPECT_NE(csv.out.find(",error\r\n"), std::string::npos);
    CliRun text = runCli(area + " --format text");
    EXPECT_NE(text.out.find("  质量: 撞击未回到基线 (错误), 接触时间异常 (错误)\n"),
              std::string::npos)
        << text.out;

    CliRun failing = runCli(area + " --fail-on error");
    EXPECT_EQ(failing.exitCode, 3);
    EXPECT_EQ(failing.out, json.out); // the results are still printed
}

TEST_F(CliTest, AWrongDropHeightInTheHeaderMakesTheAreasCalibrationSuspect) {
    const std::string area = dir.file("area-1.pip");
    nlohmann::json right = nlohmann::json::parse(runCli("analyze " + area).out);
    EXPECT_NEAR(right["calibrationRatio"].get<double>(), 1, 0.01);
    EXPECT_EQ(right["areaFlags"], nlohmann::json::array());
    ASSERT_EQ(runCli("set " + area + " dropHeight=0.8").exitCode, 0);
    nlohmann::json wrong = nlohmann::json::parse(runCli("analyze " + area).out);
    EXPECT_NEAR(wrong["calibrationRatio"].get<double>(), std::sqrt(0.5 / 0.8), 0.01);
    EXPECT_EQ(wrong["areaFlags"], nlohmann::json{"calibrationSuspect"});
    EXPECT_NE(runCli("analyze " + area + " --format text").out.find("仪器标定可疑"),
              std::string::npos);
}

TEST_F(CliTest, FailOnErrorPassesCleanRecords) {
    EXPECT_EQ(runCli("analyze " + dir.file("demo.Prj") + " --fail-on error").exitCode, 0);
}

TEST_F(CliTest, InfoDecodesTexts) {
    CliRun run = runCli("info " + dir.file("area-1.pip"));
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("测区名称: 测区1"), std::string::npos);
    CliRun project = runCli("info " + dir.file("demo.Prj"));
    EXPECT_NE(project.out.find("工程名称: 示范工程"), std::string::npos);
}

TEST_F(CliTest, ExitCodesAndNoPartialOutput) {
    EXPECT_EQ(runCli("").exitCode, 1);
    EXPECT_EQ(runCli("frobnicate").exitCode, 1);
    EXPECT_EQ(runCli("analyze " + dir.file("area-1.pip") + " --format xml").exitCode, 1);
    EXPECT_EQ(runCli("simulate " + dir.path() + " --rows 0").exitCode, 1);
    EXPECT_EQ(runCli("simulate " + dir.path() + " --moduli wobble:3").exitCode, 1);

    EXPECT_EQ(runCli("analyze " + dir.file("missing.pip")).exitCode, 2);
    EXPECT_EQ(runCli("analyze " + dir.file("notes.txt")).exitCode, 2);

    // A damaged area in a project fails the whole run and prints nothing.
    std::vector<unsigned char> bytes = readBytes(dir.file("area-2.pip"));
    bytes.resize(bytes.size() - 10);
    writeBytes(dir.file("area-2.pip"), bytes);
    CliRun damaged = runCli("analyze " + dir.file("demo.Prj"));
    EXPECT_EQ(damaged.exitCode, 2);
    EXPECT_EQ(damaged.out, "");
}

// The commands this build has, as the full usage lists them.
std::vector<std::string> listedCommands() {
    const std::string usage = runCli("--help").out;
    std::vector<std::string> commands;
    const std::string lead = "\n  tarvel-cli ";
    for (std::size_t at = usage.find(lead); at != std::string::npos; at = usage.find(lead, at)) {
        at += lead.size();
        std::string command = usage.substr(at, usage.find(' ', at) - at);
        if (std::find(commands.begin(), commands.end(), command) == commands.end())
            commands.push_back(command);
    }
    return commands;
}

TEST(CliHelp, EveryCommandPrintsItsOwnUsageAndSucceeds) {
    const std::vector<std::string> commands = listedCommands();
    ASSERT_GE(commands.size(), 4u);
    for (const std::string& command : commands) {
        for (const char* help : {"--help", "-h"}) {
            CliRun run = runCli(command + " " + help);
            EXPECT_EQ(run.exitCode, 0) << command << " " << help;
            EXPECT_EQ(run.out.rfind("usage:\n  tarvel-cli " + command + " ", 0), 0u) << run.out;
            for (const std::string& other : commands) {
                if (other != command) {
                    EXPECT_EQ(run.out.find("tarvel-cli " + other + " "), std::string::npos)
                        << command << " usage names " << other;
                }
            }
        }
    }
}

TEST_F(CliTest, HelpAmongACommandsArgumentsShowsTheUsageAndDoesNothingElse) {
    // Each of these would otherwise write, or read "--help" as a value.
    const std::string out = dir.file("out");
    const std::vector<unsigned char> area = readBytes(dir.file("area-1.pip"));
    for (const std::string& arguments :
         {"simulate " + out + " --project --help", "simulate " + out + " --help",
          "set " + dir.file("demo.Prj") + " dropHeight=0.6 --help",
          "analyze " + dir.file("missing.pip") + " --help"}) {
        CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 0) << arguments;
        EXPECT_EQ(run.out.rfind("usage:\n", 0), 0u) << arguments;
    }
    struct stat info {};
    EXPECT_NE(stat(out.c_str(), &info), 0) << "simulate ran";
    EXPECT_EQ(readBytes(dir.file("area-1.pip")), area) << "set ran";
}

TEST(CliHelp, VersionAndUnknownCommands) {
    CliRun version = runCli("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("tarvel-cli ", 0), 0u);
    EXPECT_EQ(version.out.back(), '\n');
    EXPECT_EQ(runCli("frobnicate --help").exitCode, 1);
}

TEST_F(CliTest, NamesInAnotherEncodingAreOpenedByTheirBytesAndPrintedAsValidUtf8) {
    const std::string latin1 = dir.file("Pr\xfc"
                                        "fung.pip");
    ASSERT_EQ(std::rename(dir.file("area-1.pip").c_str(), latin1.c_str()), 0);
    CliRun run = runCli("analyze '" + latin1 + "'");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("{\"fileName\":\"Pr\xEF\xBF\xBD"
                            "fung.pip\",",
                            0),
              0u)
        << run.out;
}

TEST_F(CliTest, NamesWithQuotesBackslashesAndControlBytesAreEscapedInJson) {
    const std::string odd = dir.file("q\"uo\\te\x7f\t.pip");
    ASSERT_EQ(std::rename(dir.file("area-1.pip").c_str(), odd.c_str()), 0);
    CliRun run = runCli("analyze '" + odd + "'");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("{\"fileName\":\"q\\\"uo\\\\te\xEF\xBF\xBD\\t.pip\",", 0), 0u)
        << run.out;
    EXPECT_EQ(nlohmann::json::parse(run.out)["fileName"], "q\"uo\\te\xEF\xBF\xBD\t.pip");
}

TEST_F(CliTest, SpecialFilesAreRefusedWithoutWaiting) {
    ASSERT_EQ(mkfifo(dir.file("fifo.pip").c_str(), 0644), 0);
    ASSERT_EQ(mkfifo(dir.file("fifo.Prj").c_str(), 0644), 0);
    for (const char* name : {"fifo.pip", "fifo.Prj"}) {
        CliRun run = runCli("analyze " + dir.file(name));
        EXPECT_EQ(run.exitCode, 2) << name;
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(CliTest, ProjectsFollowLinksToAreasAndNameWhatTheySkip) {
    ASSERT_EQ(mkfifo(dir.file("fifo.pip").c_str(), 0644), 0);
    TempDir elsewhere;
    ASSERT_EQ(std::rename(dir.file("area-2.pip").c_str(), elsewhere.file("real.pip").c_str()), 0);
    ASSERT_EQ(symlink(elsewhere.file("real.pip").c_str(), dir.file("linked.pip").c_str()), 0);
    CliRun json = runCli("analyze " + dir.file("demo.Prj"));
    ASSERT_EQ(json.exitCode, 0);
    const auto areas = nlohmann::json::parse(json.out)["areas"];
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(areas[1]["fileName"], "linked.pip");
    EXPECT_FALSE(areas[1]["points"].empty());
    CliRun all = runCli("analyze " + dir.file("demo.Prj") + " --format csv", true);
    EXPECT_NE(all.out.find(dir.file("fifo.pip") + ": skipped: a FIFO, not an area file\n"),
              std::string::npos)
        << all.out;
    CliRun info = runCli("info " + dir.file("demo.Prj"), true);
    EXPECT_NE(info.out.find("fifo.pip: skipped"), std::string::npos) << info.out;
}

TEST_F(CliTest, CsvCellsNeverStartAFormula) {
    for (const char* name : {"=HYPERLINK(1).pip", "+1.pip", "-2.pip", "@SUM.pip"}) {
        ASSERT_EQ(std::rename(dir.file("area-1.pip").c_str(), dir.file(name).c_str()), 0);
        CliRun csv = runCli("analyze '" + dir.file(name) + "' --format csv");
        ASSERT_EQ(csv.exitCode, 0) << name;
        EXPECT_NE(csv.out.find("\r\n'" + std::string(name) + ","), std::string::npos) << csv.out;
        // JSON keeps the name as it is.
        EXPECT_EQ(nlohmann::json::parse(runCli("analyze '" + dir.file(name) + "'").out)["fileName"],
                  name);
        ASSERT_EQ(std::rename(dir.file(name).c_str(), dir.file("area-1.pip").c_str()), 0);
    }
}

} // namespace
} // namespace tarvel::test
