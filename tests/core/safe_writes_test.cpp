// One writer at a time, changes of several files all or nothing, the
// instrument's originals kept, and temporaries that never outlive their writer.
#include "data/change_journal.h"
#include "data/folder_lock.h"
#include "data/original_copy.h"
#include "fixtures.h"

#include <algorithm>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvel::test {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

std::string content(const std::string& path) {
    std::vector<unsigned char> bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> namesIn(const std::string& dir) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir))
        found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
}

// Runs `body` in a child process and waits for it to end.
template <typename Body> int inChild(Body body) {
    const pid_t child = fork();
    if (child == 0) {
        body();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FolderLocks, ASecondWriterIsToldWhoHoldsTheFolderAndGetsItOnceFree) {
    TempDir dir;
    FolderLock first;
    ASSERT_TRUE(first.acquire(dir.path(), "tarvel", milliseconds(0)).acquired);

    FolderLock second;
    const LockAttempt refused = second.acquire(dir.path(), "tarvel-cli set", milliseconds(120));
    EXPECT_FALSE(refused.acquired);
    EXPECT_TRUE(refused.busy);
    EXPECT_EQ(refused.holder.program, "tarvel");
    EXPECT_EQ(refused.holder.processId, getpid());
    EXPECT_FALSE(refused.holder.host.empty());
    EXPECT_NE(refused.holder.describe().find("tarvel (process "), std::string::npos);
    LockHolder seen;
    EXPECT_TRUE(findLockHolder(dir.path(), seen));

    first.release();
    EXPECT_TRUE(second.acquire(dir.path(), "tarvel-cli set", milliseconds(0)).acquired);
    second.release();
    // Nothing is left in the project folder once nobody writes.
    EXPECT_TRUE(namesIn(dir.path()).empty());
    EXPECT_FALSE(findLockHolder(dir.path(), seen));
}

TEST(FolderLocks, ALockWhoseProcessDiedIsTakenOver) {
    TempDir dir;
    inChild([&] {
        FolderLock lock;
        if (!lock.acquire(dir.path(), "tarvel-cli set", milliseconds(0)).acquired)
            _exit(1);
        _exit(0); // killed, as it were: no release
    });
    ASSERT_TRUE(fs::exists(dir.file(kFolderLockName)));
    FolderLock lock;
    EXPECT_TRUE(lock.acquire(dir.path(), "tarvel", milliseconds(0)).acquired);
}

TEST(FolderLocks, AFolderThatCannotTakeALockSaysWhy) {
    TempDir dir;
    FolderLock lock;
    const LockAttempt attempt = lock.acquire(dir.file("missing/"), "tarvel", milliseconds(0));
    EXPECT_FALSE(attempt.acquired);
    EXPECT_FALSE(attempt.busy);
    EXPECT_NE(attempt.error.find("cannot lock the folder"), std::string::npos) << attempt.error;
}

TEST(Temporaries, StayWithinTheNameLimitForTheLongestNames) {
    TempDir dir;
    // 84 three-byte characters and ".pip": 256 bytes would not fit; 250 do.
    std::string name;
    for (int i = 0; i < 82; ++i)
        name += "测";
    name += ".pip";
    ASSERT_LE(name.size(), 255u);
    const std::string temporary = temporaryNameFor(dir.path(), name);
    EXPECT_LE(temporary.size(), 255u);
    EXPECT_EQ(writeFileAtomically(dir.file(name), "new", 3), "");
    EXPECT_EQ(content(dir.file(name)), "new");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{name});
    // Two long names that share their start get temporaries of their own.
    std::string other = name;
    other.replace(other.size() - 7, 3, "量");
    EXPECT_NE(temporaryNameFor(dir.path(), other), temporary);
}

TEST(Temporaries, TheBytesAfterTheDataAreCopiedWithoutReadingTheirHole) {
    TempDir dir;
    const std::string source = dir.file("sparse.pip");
    const int in = open(source.c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(in, 0);
    ASSERT_EQ(pwrite(in, "head", 4, 0), 4);
    const off_t hole = off_t(1) << 31; // 2 GB
    ASSERT_EQ(pwrite(in, "end", 3, hole), 3);

    PreparedReplacement prepared;
    const TailCopy tail{in, 4, static_cast<std::uint64_t>(hole) + 3 - 4};
    ASSERT_EQ(prepareReplacement(source, "HEAD", 4, prepared, &tail), "");
    ASSERT_EQ(commitReplacement(prepared), "");
    close(in);

    struct stat info {};
    ASSERT_EQ(stat(source.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, hole + 3);
    EXPECT_LT(info.st_blocks * 512, 1 << 20) << "the hole was written out";
    const int out = open(source.c_str(), O_RDONLY);
    char head[5] = {};
    char end[4] = {};
    EXPECT_EQ(pread(out, head, 4, 0), 4);
    EXPECT_EQ(pread(out, end, 3, hole), 3);
    close(out);
    EXPECT_STREQ(head, "HEAD");
    EXPECT_STREQ(end, "end");
}

// Three areas changed together, stopped after every step in turn.
class ChangeSets : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kNames)
            writeBytes(dir.file(name), {'o', 'l', 'd'});
    }
    std::string changeAll() {
        FileChangeSet change(dir.path());
        for (const char* name : kNames) {
            if (std::string error = change.add(dir.file(name), "new", 3); !error.empty())
                return error;
        }
        return change.commit();
    }
    // "old", "new" or "mixed".
    std::string state() {
        std::set<std::string> seen;
        for (const char* name : kNames)
            seen.insert(content(dir.file(name)));
        return seen.size() == 1 ? *seen.begin() : std::string("mixed");
    }

    static constexpr const char* kNames[3] = {"a.pip", "b.pip", "c.pip"};
    TempDir dir;
};

// Which call of the step hook ends the child.
int stopAt = -1;
int calls = 0;
void stopHere(ChangeStep, std::size_t) {
    if (calls++ == stopAt)
        _exit(9);
}

TEST_F(ChangeSets, KilledAtAnyStepTheNextWriterLeavesEveryFileOldOrEveryFileNew) {
    // Three temporaries, the journal, three renames, the journal removed.
    const char* steps[] = {"temporary 1", "temporary 2", "temporary 3", "journal",
                           "rename 1",    "rename 2",    "rename 3",    "journal removed"};
    for (int step = 0; step < 8; ++step) {
        SetUp();
        const int exit = inChild([&] {
            stopAt = step;
            setChangeStepHook(stopHere);
            changeAll();
        });
        ASSERT_EQ(exit, 9) << steps[step];
        // What a reader sees meanwhile is whole files only.
        const bool journaled = step >= 3 && step < 7;
        EXPECT_EQ(hasPendingChange(dir.path()), journaled) << steps[step];

        // The next writer, holding the lock, completes or clears it.
        FolderLock lock;
        ASSERT_TRUE(lock.acquire(dir.path(), "tarvel-cli set", milliseconds(0)).acquired);
        const PendingCompletion completion = completePendingChange(dir.path());
        EXPECT_EQ(completion.error, "") << steps[step];
        EXPECT_EQ(completion.found, journaled);
        removeStaleTemporaries(dir.path());
        lock.release();

        EXPECT_EQ(state(), step < 3 ? "old" : "new") << steps[step];
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a.pip", "b.pip", "c.pip"}))
            << steps[step];
    }
}

TEST_F(ChangeSets, AFailureBeforeTheRenamesChangesNothing) {
    chmod(dir.file("c.pip").c_str(), 0444);
    const std::string error = changeAll();
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(state(), "old");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a.pip", "b.pip", "c.pip"}));
}

TEST_F(ChangeSets, ALostTemporaryIsNamedAndTheJournalGoes) {
    inChild([&] {
        stopAt = 4; // after the first rename
        setChangeStepHook(stopHere);
        changeAll();
    });
    for (const std::string& name : namesIn(dir.path()))
        if (name.rfind(".c.pip", 0) == 0)
            fs::remove(dir.file(name));
    const PendingCompletion completion = completePendingChange(dir.path());
    EXPECT_NE(completion.error.find("c.pip"), std::string::npos) << completion.error;
    EXPECT_FALSE(hasPendingChange(dir.path()));
    EXPECT_EQ(content(dir.file("b.pip")), "new");
    EXPECT_EQ(content(dir.file("c.pip")), "old");
}

TEST_F(ChangeSets, TemporariesAreLeftAloneWhileAJournalAwaitsCompletion) {
    inChild([&] {
        stopAt = 3; // journal written, nothing renamed
        setChangeStepHook(stopHere);
        changeAll();
    });
    EXPECT_EQ(removeStaleTemporaries(dir.path()), 0);
    // Not even another file's save may take the new content away.
    EXPECT_EQ(writeFileAtomically(dir.file("other.pip"), "x", 1), "");
    EXPECT_EQ(completePendingChange(dir.path()).error, "");
    EXPECT_EQ(state(), "new");
}

TEST_F(ChangeSets, AJournalThatIsNotOursIsNamedAndLeftForAPerson) {
    writeBytes(dir.file(kChangeJournalName), {'x', '\n'});
    const PendingCompletion completion = completePendingChange(dir.path());
    EXPECT_TRUE(completion.found);
    EXPECT_NE(completion.error.find(kChangeJournalName), std::string::npos) << completion.error;
    EXPECT_EQ(state(), "old");
}

TEST(Originals, AreKeptOnceReadOnlyAndNeverReplaced) {
    TempDir dir;
    const std::string area = dir.file("area-1.pip");
    writeBytes(area, {'f', 'i', 'r', 's', 't'});
    ASSERT_EQ(keepOriginal(area, area), "");
    const std::string original = originalPathFor(area);
    EXPECT_EQ(original, dir.file("原始数据/area-1.pip"));
    EXPECT_EQ(content(original), "first");
    struct stat info {};
    ASSERT_EQ(stat(original.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0222, 0u);

    writeBytes(area, {'s', 'e', 'c', 'o', 'n', 'd'});
    ASSERT_EQ(keepOriginal(area, area), "");
    EXPECT_EQ(content(original), "first");
    EXPECT_EQ(namesIn(dir.file("原始数据/")), std::vector<std::string>{"area-1.pip"});
}

TEST(Originals, OfALinkedAreaAreItsTargetsBytesUnderTheLinksName) {
    TempDir dir;
    fs::create_directory(dir.file("real"));
    fs::create_directory(dir.file("project"));
    writeBytes(dir.file("real/x.pip"), {'r', 'e', 'a', 'l'});
    ASSERT_EQ(symlink("../real/x.pip", dir.file("project/area.pip").c_str()), 0);
    const std::string area = dir.file("project/area.pip");
    ASSERT_EQ(keepOriginal(area, area), "");
    EXPECT_EQ(content(dir.file("project/原始数据/area.pip")), "real");
    EXPECT_FALSE(fs::exists(dir.file("real/原始数据")));
}

} // namespace
} // namespace tarvel::test
