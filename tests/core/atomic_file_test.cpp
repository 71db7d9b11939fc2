// Saves never leave a half-written file behind.
#include "data/area_file.h"
#include "data/atomic_file.h"
#include "fixtures.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace tarvel::test {
namespace {

// Lowers the largest file this process may write, so writes fail part-way
// even for root, and restores it afterwards.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int);
};

std::size_t filesIn(const std::string& dir) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
        ++count;
    return count;
}

TEST(AtomicWrite, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    TempDir dir;
    std::string path = dir.file("area.pip");
    NamePipeFile small = makeArea(1);
    ASSERT_EQ(writeAreaFile(small, path), "");
    std::vector<unsigned char> before = readBytes(path);

    NamePipeFile large = makeArea(40);
    std::string error;
    {
        FileSizeLimit limit(before.size() + 10);
        error = writeAreaFile(large, path);
    }
    EXPECT_NE(error, "");
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

TEST(AtomicWrite, MissingFolderIsReported) {
    TempDir dir;
    const char data[] = "x";
    EXPECT_NE(writeFileAtomically(dir.file("no/such/folder/file"), data, 1), "");
}

TEST(AtomicWrite, ReplacesContentWhole) {
    TempDir dir;
    std::string path = dir.file("f");
    ASSERT_EQ(writeFileAtomically(path, "long content", 12), "");
    ASSERT_EQ(writeFileAtomically(path, "short", 5), "");
    std::vector<unsigned char> bytes = readBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "short");
}

} // namespace
} // namespace tarvel::test
