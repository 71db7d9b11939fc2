// tarvel-cli analyze against output saved before areas were analyzed one at a
// time: the same simulated project must give the same bytes, alone and in a
// project, and a damaged later area must still fail the run before printing.
#include "fixtures.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

namespace tarvel::test {
namespace {

struct CliRun {
    int exitCode;
    std::string out;
};

CliRun runCli(const std::string& arguments) {
    const std::string command = std::string(TARVEL_CLI_PATH) + " " + arguments + " 2>/dev/null";
    CliRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const char* const kFormats[] = {"json", "csv", "text"};

class CliSavedOutput : public ::testing::Test {
protected:
    // The simulator is seeded, so this is the project the saved output came from.
    void SetUp() override {
        ASSERT_EQ(runCli("simulate " + dir.path() +
                         " --areas 3 --rows 3 --columns 4 --samples 1024 --seed 11 --noise 40")
                      .exitCode,
                  0);
        ASSERT_EQ(runCli("set " + dir.file("demo.Prj") + " filterType=4 filterF1=20 filterF2=2000")
                      .exitCode,
                  0);
    }

    CliRun analyzeArea(int area, const std::string& format) {
        return runCli("analyze " + dir.file("area-" + std::to_string(area) + ".pip") +
                      " --format " + format);
    }

    TempDir dir;
};

std::string saved(const std::string& format) {
    std::vector<unsigned char> bytes =
        readBytes(std::string(TARVEL_SOURCE_DIR) + "/tests/core/data/simulated-areas." + format);
    return {bytes.begin(), bytes.end()};
}

TEST_F(CliSavedOutput, EveryAreaGivesTheSavedBytesInEveryFormat) {
    for (const std::string format : kFormats) {
        std::string areas;
        for (int area = 1; area <= 3; ++area) {
            CliRun run = analyzeArea(area, format);
            ASSERT_EQ(run.exitCode, 0) << format;
            areas += run.out;
        }
        EXPECT_EQ(areas, saved(format)) << format;
    }
}

// The folder's listing order varies between file systems, so each area is
// looked for in the project's output, not compared at a fixed place.
TEST_F(CliSavedOutput, AProjectGivesEveryAreaAsItIsAlone) {
    CliRun json = runCli("analyze " + dir.file("demo.Prj"));
    ASSERT_EQ(json.exitCode, 0);
    std::map<std::string, nlohmann::json> inProject;
    const nlohmann::json project = nlohmann::json::parse(json.out);
    for (const nlohmann::json& area : project["areas"])
        inProject[area["fileName"]] = area;
    ASSERT_EQ(inProject.size(), 3u);
    for (int area = 1; area <= 3; ++area) {
        nlohmann::json alone = nlohmann::json::parse(analyzeArea(area, "json").out);
        EXPECT_EQ(inProject[alone["fileName"]], alone);
    }

    CliRun csv = runCli("analyze " + dir.file("demo.Prj") + " --format csv");
    CliRun text = runCli("analyze " + dir.file("demo.Prj") + " --format text");
    for (int area = 1; area <= 3; ++area) {
        std::string rows = analyzeArea(area, "csv").out;
        rows.erase(0, rows.find("\r\n") + 2); // every run starts with the header
        EXPECT_NE(csv.out.find(rows), std::string::npos) << "area-" << area;
        EXPECT_NE(text.out.find("\n" + analyzeArea(area, "text").out), std::string::npos)
            << "area-" << area;
    }
}

TEST_F(CliSavedOutput, ADamagedLaterAreaFailsTheRunBeforeAnythingIsPrinted) {
    CliRun json = runCli("analyze " + dir.file("demo.Prj"));
    ASSERT_EQ(json.exitCode, 0);
    const std::string last = nlohmann::json::parse(json.out)["areas"].back()["fileName"];
    // Inside the first point block: the earlier areas have gone through.
    std::filesystem::resize_file(dir.file(last), 2000);
    for (const std::string format : kFormats) {
        CliRun run = runCli("analyze " + dir.file("demo.Prj") + " --format " + format);
        EXPECT_EQ(run.exitCode, 2) << format;
        EXPECT_EQ(run.out, "") << format;
    }
}

} // namespace
} // namespace tarvel::test
