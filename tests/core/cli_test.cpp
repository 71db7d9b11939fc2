// tarvel-cli end to end: exit codes, output formats, and no partial output on failure.
#include "analysis/synthetic.h"
#include "fixtures.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace tarvel::test {
namespace {

struct CliRun {
    int exitCode;
    std::string out;
};

CliRun runCli(const std::string& arguments) {
    std::string command = std::string(TARVEL_CLI_PATH) + " " + arguments + " 2>/dev/null";
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

TEST_F(CliTest, SpecialFilesAreRefusedWithoutWaiting) {
    ASSERT_EQ(mkfifo(dir.file("fifo.pip").c_str(), 0644), 0);
    ASSERT_EQ(mkfifo(dir.file("fifo.Prj").c_str(), 0644), 0);
    for (const char* name : {"fifo.pip", "fifo.Prj"}) {
        CliRun run = runCli("analyze " + dir.file(name));
        EXPECT_EQ(run.exitCode, 2) << name;
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
} // namespace tarvel::test
