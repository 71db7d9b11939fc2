// Hostile file systems: special files, folders that cannot be listed, sparse
// giants, and saves through links, onto read-only files and after a kill.
#include "data/atomic_file.h"
#include "data/input_file.h"
#include "data/project_file.h"
#include "data/view_options.h"
#include "fixtures.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace tarvel::test {
namespace {

namespace fs = std::filesystem;

// Runs the body with the effective user "nobody" when the tests run as root,
// so that permissions apply to the process as they do to a user.
template <typename Body> void asOrdinaryUser(Body body) {
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(seteuid(65534), 0);
    }
    body();
    if (root) {
        ASSERT_EQ(seteuid(0), 0);
    }
}

TEST(SpecialFiles, EveryReaderRefusesWhatIsNotARegularFileWithoutWaiting) {
    TempDir dir;
    const std::string fifo = dir.file("x.pip");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const std::string folder = dir.file("folder.Prj");
    fs::create_directory(folder);

    for (const std::string& path : {fifo, folder, std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        // A FIFO without a writer would block open() for ever.
        EXPECT_EQ(checkReadableFile(path), "not a regular file");
        NamePipeFile area;
        LoadResult result = readAreaFile(path, area);
        EXPECT_EQ(result.status, LoadStatus::Failed);
        EXPECT_EQ(result.message, "not a regular file");
        ProjectInfo info{};
        EXPECT_EQ(readProjectFile(path, info), "not a regular file");
        ViewOptions options{};
        options.waveHeight = 123;
        EXPECT_FALSE(loadViewOptions(options, path));
        EXPECT_EQ(int32_t{options.waveHeight}, 123); // a copy: the field is packed
    }
}

TEST(SpecialFiles, EmptyProjectFileIsReportedAsIncomplete) {
    TempDir dir;
    writeBytes(dir.file("empty.Prj"), {});
    ProjectInfo info{};
    info.hiddenCount = 7;
    EXPECT_EQ(readProjectFile(dir.file("empty.Prj"), info),
              "the project file is incomplete: 0 of 1724 bytes");
    EXPECT_EQ(int32_t{info.hiddenCount}, 0); // a copy: the field is packed
}

TEST(SparseFiles, OnlyTheNamedPointsAreReadAndTheTailIsNoted) {
    TempDir dir;
    const std::string path = dir.file("sparse.pip");
    NamePipeFile written = makeArea(24);
    ASSERT_EQ(writeAreaFile(written, path), "");
    const off_t giant = off_t{2} << 30;
    ASSERT_EQ(truncate(path.c_str(), giant), 0);
    const auto dataSize = 901 + 24 * (736 + 2 * 1024);

    auto start = std::chrono::steady_clock::now();
    NamePipeFile area;
    LoadResult result = readAreaFile(path, area);
    auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(area.pointCount(), 24);
    EXPECT_EQ(result.note,
              std::to_string(giant - dataSize) + " bytes after the last point ignored");
    EXPECT_LT(elapsed, std::chrono::seconds(2)); // a whole read takes tens of seconds

    // A header naming every point an int32 can is refused from the sizes alone.
    const int32_t most = 0x7FFFFFFF;
    int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(pwrite(fd, &most, sizeof most, offsetof(PipHeader, pointCount)), 4);
    ::close(fd);
    result = readAreaFile(path, area);
    EXPECT_EQ(result.status, LoadStatus::Failed);
    EXPECT_NE(result.message.find("too many points"), std::string::npos);
    EXPECT_TRUE(area.points.empty());
}

TEST(ProjectFolders, AFolderThatCannotBeListedIsAnErrorNotAnEmptyProject) {
    TempDir dir;
    const std::string project = dir.file("project/");
    fs::create_directory(project);
    writeBytes(project + "a.pip", {});
    chmod(dir.path().c_str(), 0711);
    chmod(project.c_str(), 0711); // may be entered, not listed

    AreaFileList files;
    std::string error;
    asOrdinaryUser([&] { error = scanProjectDirectory(project, files); });
    EXPECT_NE(error.find("cannot list the folder"), std::string::npos) << error;
    EXPECT_NE(error.find("project"), std::string::npos) << error;
    EXPECT_TRUE(files.empty());

    chmod(project.c_str(), 0755);
    EXPECT_EQ(scanProjectDirectory(project, files), "");
    EXPECT_EQ(files.size(), 1u);
    EXPECT_EQ(scanProjectDirectory(dir.file("gone/"), files), "");
}

class Saves : public ::testing::Test {
protected:
    std::string content(const std::string& path) {
        std::vector<unsigned char> bytes = readBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
    std::vector<std::string> names() {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            found.push_back(entry.path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }
    TempDir dir;
};

TEST_F(Saves, ThroughALinkReplaceTheTargetAndKeepTheLink) {
    const std::string real = dir.file("real.pip");
    const std::string link = dir.file("link.pip");
    ASSERT_EQ(writeFileAtomically(real, "old", 3), "");
    ASSERT_EQ(symlink("real.pip", link.c_str()), 0);

    ASSERT_EQ(writeFileAtomically(link, "new", 3), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(content(real), "new");
}

TEST_F(Saves, ReadOnlyFileIsRefusedBeforeAnythingIsWritten) {
    const std::string path = dir.file("locked.pip");
    ASSERT_EQ(writeFileAtomically(path, "old", 3), "");
    chmod(path.c_str(), 0444);

    EXPECT_EQ(writeFileAtomically(path, "new", 3), "the file is read-only");
    EXPECT_EQ(content(path), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"locked.pip"});
}

TEST_F(Saves, KeepModeAndOwnerOfTheReplacedFile) {
    const std::string path = dir.file("shared.pip");
    ASSERT_EQ(writeFileAtomically(path, "old", 3), "");
    chmod(path.c_str(), 0640);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
    }
    struct stat before {};
    stat(path.c_str(), &before);

    ASSERT_EQ(writeFileAtomically(path, "new", 3), "");
    struct stat after {};
    stat(path.c_str(), &after);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
}

TEST_F(Saves, RemoveEveryTemporaryWhoseWriterIsGoneHoweverYoung) {
    const std::string path = dir.file("area.pip");
    const std::string stale = dir.file(".area.pip.tarvel-save-abc123");
    const std::string running = dir.file(".area.pip.tarvel-save-def456");
    const std::string other = dir.file(".other.pip.tarvel-save-abc123");
    for (const std::string& name : {stale, running, other})
        writeBytes(name, {'x'});
    // A save still writing holds its temporary locked.
    const int held = open(running.c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    ASSERT_EQ(writeFileAtomically(path, "new", 3), "");
    EXPECT_EQ(names(), (std::vector<std::string>{".area.pip.tarvel-save-def456", "area.pip"}));
    close(held);
}

} // namespace
} // namespace tarvel::test
