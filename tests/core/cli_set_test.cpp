// tarvel-cli set: only the named bytes change, all areas or none, and the
// printed means are the ones analyze reports afterwards.
#include "data/change_journal.h"
#include "data/folder_lock.h"
#include "data/project_file.h"
#include "fixtures.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvel::test {
namespace {

struct CliOutput {
    int exitCode = -1;
    std::string out;
};

// `prefix` runs in the shell first (a resource limit); stderr joins stdout
// with `withErrors`.
CliOutput cli(const std::string& arguments, bool withErrors = false,
              const std::string& prefix = "") {
    const std::string command = prefix + std::string(TARVEL_CLI_PATH) + " " + arguments +
                                (withErrors ? " 2>&1" : " 2>/dev/null");
    CliOutput run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, got);
    const int status = pipe ? pclose(pipe) : -1;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const std::size_t kBlock = kPointHeaderSize + 2 * 1024;

void put(std::vector<unsigned char>& bytes, std::size_t at, const void* value) {
    std::memcpy(bytes.data() + at, value, 4);
}

class SetCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        NamePipeFile withDeleted = makeArea(4);
        fillReservedBytes(withDeleted);
        withDeleted.points[1].header.deleted = 1;
        // Without a legend the loader builds one and clears ampZoom: neither
        // may reach the disk.
        NamePipeFile withoutLegend = makeArea(3);
        withoutLegend.header.legendBuilt = 0;
        withoutLegend.points[2].header.defects[0].position = 2.5f;
        for (MeasurePoint& point : withoutLegend.points)
            point.header.params.ampZoom = 40;
        NamePipeFile plain = makeArea(2);
        const NamePipeFile* areas[3] = {&withDeleted, &withoutLegend, &plain};
        for (int i = 0; i < 3; ++i) {
            std::vector<unsigned char> bytes = serializeAreaFile(*areas[i]);
            if (i == 0) // a block beyond the count the header claims, which loading skips
                bytes.insert(bytes.end(), bytes.end() - kBlock, bytes.end());
            writeBytes(dir.file(names[i]), bytes);
            before[i] = readBytes(dir.file(names[i]));
        }
        ProjectInfo info{};
        ASSERT_EQ(writeProjectFile(dir.file("p.Prj"), info), "");
    }

    void expectUntouched() {
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(readBytes(dir.file(names[i])), before[i]) << names[i];
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 4);
    }

    TempDir dir;
    const char* names[3] = {"deleted.pip", "nolegend.pip", "plain.pip"};
    std::vector<unsigned char> before[3];
};

TEST_F(SetCommandTest, ChangesOnlyTheNamedBytesOfKeptBlocks) {
    const CliOutput run =
        cli("set " + dir.file("p.Prj") + " dropHeight=0.6 filterType=4 filterF2=000000000900");
    ASSERT_EQ(run.exitCode, 0);
    const float height = 0.6f;
    const int32_t type = 4;
    const int32_t upper = 900;
    for (int i = 0; i < 3; ++i) {
        std::vector<unsigned char> expected = before[i];
        put(expected, offsetof(PipHeader, dropHeight), &height);
        int32_t claimed = 0;
        std::memcpy(&claimed, expected.data() + offsetof(PipHeader, pointCount), sizeof claimed);
        for (int32_t block = 0; block < claimed; ++block) {
            const std::size_t at = kPipHeaderSize + kBlock * static_cast<std::size_t>(block);
            if (expected[at + offsetof(PointHeader, deleted)] != 0)
                continue;
            put(expected, at + offsetof(PointHeader, params.filterType), &type);
            put(expected, at + offsetof(PointHeader, params.filterF2), &upper);
        }
        EXPECT_EQ(readBytes(dir.file(names[i])), expected) << names[i];
    }
}

TEST_F(SetCommandTest, PrintsTheMeansAnalyzeReportsAfterwards) {
    const CliOutput dry = cli("set " + dir.file("p.Prj") + " ballMass=25.5 filterType=2 --dry-run");
    ASSERT_EQ(dry.exitCode, 0);
    expectUntouched();
    const CliOutput run = cli("set " + dir.file("p.Prj") + " ballMass=25.5 filterType=2");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, dry.out);

    std::istringstream lines(cli("analyze " + dir.file("p.Prj") + " --format text").out);
    std::string expected;
    for (std::string line; std::getline(lines, line);) {
        // The text output names the means as harmonic; set prints the number.
        if (const std::size_t note = line.find(" ("); note != std::string::npos &&
                                                      line.rfind("测区", 0) == 0 &&
                                                      line.rfind("测区文件", 0) != 0)
            line.erase(note);
        const std::size_t colon = line.find(": ");
        if (line.rfind("测区文件: ", 0) == 0)
            expected += line.substr(colon + 2, line.find("  (") - colon - 2);
        else if (line.rfind("测区变形模量", 0) == 0)
            expected += '\t' + line.substr(colon + 2);
        else if (line.rfind("测区回弹模量", 0) == 0)
            expected += '\t' + line.substr(colon + 2) + '\n';
    }
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);
}

TEST_F(SetCommandTest, RefusalsNameTheAssignmentAndWriteNothing) {
    const std::string project = " " + dir.file("p.Prj") + " ";
    for (const char* refused :
         {"dropHeight=0,6", "dropHeight=0.05", "dropHeight=0.605", "ballModulus=2.1e11x",
          "accelCorrection=1e39", "accelCorrection=nan", "filterType=5", "filterF1=1.0",
          "filterF2=0x200", "wheelSize=1", "dropHeight="}) {
        const CliOutput run = cli("set" + project + "ballMass=30 " + refused, true);
        EXPECT_EQ(run.exitCode, 1) << refused;
        EXPECT_EQ(run.out.rfind(std::string("tarvel-cli: ") + refused + ": ", 0), 0u) << run.out;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
    }
    EXPECT_EQ(cli("set" + project + "ballMass=30 ballMass=31").exitCode, 1);
    expectUntouched();
}

TEST_F(SetCommandTest, ImplausibleValuesNeedForce) {
    const std::string project = " " + dir.file("p.Prj") + " ";
    const CliOutput refused = cli("set" + project + "ballRadius=99999", true);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, "tarvel-cli: ballRadius=99999: outside the plausible range 0.03 to 0.5: "
                           "a test ball is a few centimetres to a few decimetres in radius "
                           "(--force sets it all the same)\n");
    expectUntouched();
    ASSERT_EQ(cli("set" + project + "ballRadius=99999 --force").exitCode, 0);
    const std::vector<unsigned char> plain = readBytes(dir.file("plain.pip"));
    float radius = 0;
    std::memcpy(&radius, plain.data() + offsetof(PipHeader, ballRadius), sizeof radius);
    EXPECT_EQ(radius, 99999.0f);
}

TEST_F(SetCommandTest, DamagedAreaOrFailedWriteLeavesEveryAreaAsItWas) {
    std::vector<unsigned char> damaged = before[2];
    damaged.resize(damaged.size() - 10);
    writeBytes(dir.file(names[2]), damaged);
    const CliOutput run = cli("set " + dir.file("p.Prj") + " dropHeight=0.6", true);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.out.find(names[2]), std::string::npos) << run.out;
    writeBytes(dir.file(names[2]), before[2]);
    expectUntouched();

    // Room for no whole area: every temporary fails or is removed.
    const CliOutput full =
        cli("set " + dir.file("p.Prj") + " dropHeight=0.6", false, "trap '' XFSZ; ulimit -f 8; ");
    EXPECT_EQ(full.exitCode, 2);
    EXPECT_EQ(full.out, "");
    expectUntouched();
}

TEST_F(SetCommandTest, AnAreaThatWouldNotChangeIsNotRewritten) {
    struct stat was {};
    ASSERT_EQ(stat(dir.file(names[0]).c_str(), &was), 0);
    ASSERT_EQ(cli("set " + dir.file(names[0]) + " dropHeight=0.50 filterType=1").exitCode, 0);
    struct stat now {};
    ASSERT_EQ(stat(dir.file(names[0]).c_str(), &now), 0);
    EXPECT_EQ(now.st_ino, was.st_ino);
    expectUntouched();
}

TEST(SetCommandSample, DropHeightOfTheDemoProjectChangesOnlyItsBytes) {
    TempDir dir;
    std::filesystem::copy(TARVEL_SAMPLES_DIR, dir.path());
    ASSERT_EQ(cli("set " + dir.file("demo.Prj") + " dropHeight=0.6").exitCode, 0);
    for (const auto& entry : std::filesystem::directory_iterator(TARVEL_SAMPLES_DIR)) {
        const std::string name = entry.path().filename().string();
        std::vector<unsigned char> expected = readBytes(entry.path().string());
        if (name != "demo.Prj") {
            const float height = 0.6f;
            put(expected, offsetof(PipHeader, dropHeight), &height);
        }
        EXPECT_EQ(readBytes(dir.file(name)), expected) << name;
    }
}

float headerFloatAt(const std::string& path, std::size_t offset) {
    float value = 0;
    const int fd = open(path.c_str(), O_RDONLY);
    EXPECT_EQ(pread(fd, &value, sizeof value, static_cast<off_t>(offset)), 4) << path;
    close(fd);
    return value;
}

// A project of `areas` small areas.
void writeProject(const TempDir& dir, int areas) {
    for (int i = 0; i < areas; ++i)
        ASSERT_EQ(writeAreaFile(makeArea(3), dir.file("area-" + std::to_string(i) + ".pip")), "");
    ProjectInfo info{};
    ASSERT_EQ(writeProjectFile(dir.file("p.Prj"), info), "");
}

TEST(SetCommandWriters, TwoAtOnceLoseNoUpdateAndARefusedOneSaysWhy) {
    TempDir dir;
    writeProject(dir, 6);
    for (int round = 0; round < 12; ++round) {
        const std::string mass = std::to_string(20 + round);
        const std::string height = "0." + std::to_string(50 + round);
        FILE* first = popen((std::string(TARVEL_CLI_PATH) + " set " + dir.file("p.Prj") +
                             " ballMass=" + mass + " 2>&1")
                                .c_str(),
                            "r");
        FILE* second = popen((std::string(TARVEL_CLI_PATH) + " set " + dir.file("p.Prj") +
                              " dropHeight=" + height + " 2>&1")
                                 .c_str(),
                             "r");
        int exits[2] = {};
        std::string outputs[2];
        FILE* pipes[2] = {first, second};
        for (int i = 0; i < 2; ++i) {
            char buffer[4096];
            for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipes[i])) > 0;)
                outputs[i].append(buffer, got);
            const int status = pclose(pipes[i]);
            exits[i] = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        for (int i = 0; i < 6; ++i) {
            const std::string area = dir.file("area-" + std::to_string(i) + ".pip");
            if (exits[0] == 0) {
                EXPECT_EQ(headerFloatAt(area, offsetof(PipHeader, ballMass)), std::stof(mass));
            }
            if (exits[1] == 0) {
                EXPECT_EQ(headerFloatAt(area, offsetof(PipHeader, dropHeight)), std::stof(height));
            }
        }
        for (int i = 0; i < 2; ++i) {
            if (exits[i] != 0) {
                EXPECT_EQ(exits[i], 2);
                EXPECT_NE(outputs[i].find("being changed by tarvel-cli set (process "),
                          std::string::npos)
                    << outputs[i];
            }
        }
    }
}

TEST(SetCommandWriters, AFolderHeldByTheDesktopIsRefusedNamingIt) {
    TempDir dir;
    writeProject(dir, 2);
    const std::vector<unsigned char> before = readBytes(dir.file("area-0.pip"));
    FolderLock desktop;
    ASSERT_TRUE(desktop.acquire(dir.path(), "tarvel", std::chrono::milliseconds(0)).acquired);
    const CliOutput run = cli("set " + dir.file("p.Prj") + " ballMass=30", true);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(
        run.out.find("being changed by tarvel (process " + std::to_string(getpid()) + " on host "),
        std::string::npos)
        << run.out;
    EXPECT_EQ(readBytes(dir.file("area-0.pip")), before);
    // --dry-run writes nothing, so it needs no lock.
    EXPECT_EQ(cli("set " + dir.file("p.Prj") + " ballMass=30 --dry-run").exitCode, 0);
}

int stopAfter = 0;
int stepsSeen = 0;
void stopAtStep(ChangeStep, std::size_t) {
    if (stepsSeen++ == stopAfter)
        _exit(9);
}

TEST(SetCommandWriters, AChangeAKilledWriterLeftIsCompletedBeforeTheNext) {
    TempDir dir;
    writeProject(dir, 4);
    // A writer that put ballMass=30 into every area, killed after the first
    // rename (four temporaries, the journal, one rename).
    const pid_t child = fork();
    if (child == 0) {
        stopAfter = 5;
        setChangeStepHook(stopAtStep);
        FileChangeSet change(dir.path());
        for (int i = 0; i < 4; ++i) {
            NamePipeFile area = makeArea(3);
            area.header.ballMass = 30;
            const std::vector<unsigned char> bytes = serializeAreaFile(area);
            change.add(dir.file("area-" + std::to_string(i) + ".pip"), bytes.data(), bytes.size());
        }
        change.commit();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 9);

    const CliOutput run = cli("set " + dir.file("p.Prj") + " dropHeight=0.6", true);
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find("completed a change interrupted earlier (3 files)"), std::string::npos)
        << run.out;
    for (int i = 0; i < 4; ++i) {
        const std::string area = dir.file("area-" + std::to_string(i) + ".pip");
        EXPECT_EQ(headerFloatAt(area, offsetof(PipHeader, ballMass)), 30.0f) << area;
        EXPECT_EQ(headerFloatAt(area, offsetof(PipHeader, dropHeight)), 0.6f) << area;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file(kChangeJournalName)));
}

TEST_F(SetCommandTest, KeepsTheOriginalsOnceAndNeverTakesThemForAreas) {
    ASSERT_EQ(cli("set " + dir.file("p.Prj") + " dropHeight=0.6").exitCode, 0);
    ASSERT_EQ(cli("set " + dir.file("p.Prj") + " dropHeight=0.7").exitCode, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(readBytes(dir.file(std::string("原始数据/") + names[i])), before[i]) << names[i];
    const CliOutput info = cli("info " + dir.file("p.Prj"));
    EXPECT_NE(info.out.find("测区文件: 3\n"), std::string::npos) << info.out;
}

TEST(SetCommandLinks, AnAreaLinkedIntoTheProjectIsChangedThroughItsLink) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    std::filesystem::create_directory(dir.file("project"));
    ASSERT_EQ(writeAreaFile(makeArea(3), dir.file("real/area-1.pip")), "");
    ASSERT_EQ(symlink("../real/area-1.pip", dir.file("project/area-1.pip").c_str()), 0);
    ProjectInfo info{};
    ASSERT_EQ(writeProjectFile(dir.file("project/p.Prj"), info), "");

    const CliOutput run = cli("set " + dir.file("project/p.Prj") + " ballMass=30");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("area-1.pip\t", 0), 0u) << run.out;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("project/area-1.pip")));
    EXPECT_EQ(headerFloatAt(dir.file("real/area-1.pip"), offsetof(PipHeader, ballMass)), 30.0f);
}

TEST(SetCommandTail, TheBytesAfterTheLastPointAreKeptWithoutReadingAHole) {
    TempDir dir;
    const std::string area = dir.file("area.pip");
    ASSERT_EQ(writeAreaFile(makeArea(2), area), "");
    const off_t size = off_t(1) << 31;
    ASSERT_EQ(truncate(area.c_str(), size), 0); // 2 GB, nearly all hole
    const CliOutput run = cli("set " + area + " ballMass=30", true);
    EXPECT_EQ(run.exitCode, 0) << run.out;
    struct stat info {};
    ASSERT_EQ(stat(area.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, size);
    EXPECT_LT(info.st_blocks * 512, 4 << 20);
    EXPECT_EQ(headerFloatAt(area, offsetof(PipHeader, ballMass)), 30.0f);
    // The original keeps the hole too.
    ASSERT_EQ(stat(dir.file("原始数据/area.pip").c_str(), &info), 0);
    EXPECT_EQ(info.st_size, size);
    EXPECT_LT(info.st_blocks * 512, 4 << 20);
}

} // namespace
} // namespace tarvel::test
