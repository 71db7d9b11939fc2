// The project's life without a screen: what a save writes, and that it
// never overwrites a change someone else made, never works beside another
// writer, replaces its areas together and keeps the originals.
#include "data/change_journal.h"
#include "data/folder_lock.h"
#include "data/original_copy.h"
#include "data/project_file.h"
#include "fixtures.h"
#include "session/project_document.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvel::test {
namespace {

namespace fs = std::filesystem;

class ProjectDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.pip", "b.pip"})
            ASSERT_EQ(writeAreaFile(makeArea(2), dir.file(name)), "");
        ProjectInfo info{};
        ASSERT_EQ(writeProjectFile(dir.file("p.Prj"), info), "");
        ASSERT_TRUE(document.openProject(dir.file("p.Prj")).opened);
    }
    // What a user's edit does to the record: a value and the flag.
    void edit(int index, float dropHeight) {
        NamePipeFile& file = *document.state().files[static_cast<std::size_t>(index)];
        file.header.dropHeight = dropHeight;
        file.modified = true;
        document.state().saveNeeded = true;
    }
    float storedDropHeight(const std::string& name) {
        NamePipeFile file;
        EXPECT_TRUE(readAreaFile(dir.file(name), file).ok());
        return file.header.dropHeight;
    }
    fs::file_time_type stamp(const std::string& name) {
        return fs::last_write_time(dir.file(name));
    }

    TempDir dir;
    ProjectDocument document{"tarvel"};
};

TEST_F(ProjectDocumentTest, WritesOnlyWhatChanged) {
    const auto a = stamp("a.pip");
    fs::remove(dir.file("p.Prj"));
    EXPECT_TRUE(document.save().ok());
    EXPECT_FALSE(fs::exists(dir.file("p.Prj"))) << "an unchanged project writes nothing";
    EXPECT_EQ(stamp("a.pip"), a);

    ProjectInfo info{};
    info.projectName[0] = 'X';
    document.setProjectInfo(info);
    EXPECT_TRUE(document.save().ok());
    EXPECT_TRUE(fs::exists(dir.file("p.Prj")));
    EXPECT_EQ(stamp("a.pip"), a);
    EXPECT_FALSE(document.state().projectModified);
    EXPECT_FALSE(document.hasUnsavedChanges());
}

TEST_F(ProjectDocumentTest, AnAreaFromElsewhereMovesIntoTheProject) {
    TempDir other;
    ASSERT_EQ(writeAreaFile(makeArea(3), other.file("far.pip")), "");
    document.appendFile(ProjectDocument::readArea(other.file("far.pip")));
    EXPECT_TRUE(document.hasUnsavedChanges());
    EXPECT_TRUE(document.save().ok());
    EXPECT_TRUE(fs::exists(dir.file("far.pip")));
    EXPECT_EQ(document.state().files.back()->dirPath, dir.path());
    EXPECT_FALSE(document.hasUnsavedChanges());
}

TEST_F(ProjectDocumentTest, AFailedWriteLeavesEveryAreaAsItWasAndStillModified) {
    edit(0, 0.7f);
    edit(1, 0.8f);
    chmod(dir.file("b.pip").c_str(), 0444);
    const SaveOutcome outcome = document.save();
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].first, dir.file("b.pip"));
    EXPECT_EQ(storedDropHeight("a.pip"), 0.5f);
    EXPECT_TRUE(document.state().files[0]->modified);
    EXPECT_TRUE(document.state().files[1]->modified);
    EXPECT_FALSE(fs::exists(dir.file("原始数据")));
}

TEST_F(ProjectDocumentTest, AChangeMadeOnDiskIsNeverOverwrittenUnasked) {
    edit(0, 0.7f);
    // `tarvel-cli set` (or anyone) changes the file meanwhile.
    NamePipeFile changed = makeArea(2);
    changed.header.ballMass = 30;
    ASSERT_EQ(writeAreaFile(changed, dir.file("a.pip")), "");
    EXPECT_EQ(document.areasChangedOnDisk(), std::vector<int>{0});

    SaveOutcome outcome = document.save();
    EXPECT_EQ(outcome.changedOnDisk, std::vector<int>{0});
    EXPECT_EQ(storedDropHeight("a.pip"), 0.5f) << "nothing written";
    EXPECT_TRUE(document.state().files[0]->modified);

    document.overwriteDiskChange(0);
    EXPECT_TRUE(document.save().ok());
    EXPECT_EQ(storedDropHeight("a.pip"), 0.7f);
    EXPECT_TRUE(document.areasChangedOnDisk().empty());
}

TEST_F(ProjectDocumentTest, TheSameContentWrittenAgainIsNoChange) {
    const std::vector<unsigned char> bytes = readBytes(dir.file("b.pip"));
    fs::remove(dir.file("b.pip"));
    writeBytes(dir.file("b.pip"), bytes); // new inode and time, same bytes
    EXPECT_FALSE(document.changedOnDisk(1));
    fs::remove(dir.file("b.pip"));
    EXPECT_TRUE(document.changedOnDisk(1));
}

TEST_F(ProjectDocumentTest, HoldsTheFolderWhileUnsavedAndAnotherWriterIsNamed) {
    edit(0, 0.7f);
    ASSERT_TRUE(document.holdFolder(std::chrono::milliseconds(0)).acquired);
    FolderLock set;
    const LockAttempt refused =
        set.acquire(dir.path(), "tarvel-cli set", std::chrono::milliseconds(0));
    EXPECT_TRUE(refused.busy);
    EXPECT_EQ(refused.holder.program, "tarvel");
    EXPECT_TRUE(document.save().ok());
    EXPECT_FALSE(document.holdsFolder()) << "let go once everything is saved";

    // And the other way round: a running `set` keeps the save out.
    ASSERT_TRUE(set.acquire(dir.path(), "tarvel-cli set", std::chrono::milliseconds(0)).acquired);
    edit(1, 0.9f);
    const SaveOutcome busy = document.save();
    EXPECT_TRUE(busy.busy);
    EXPECT_EQ(busy.holder.program, "tarvel-cli set");
    EXPECT_EQ(storedDropHeight("b.pip"), 0.5f);
    EXPECT_TRUE(document.state().files[1]->modified);
}

TEST_F(ProjectDocumentTest, TheOriginalIsKeptAtTheFirstSaveAndNeverReplaced) {
    const std::vector<unsigned char> instrument = readBytes(dir.file("a.pip"));
    edit(0, 0.7f);
    ASSERT_TRUE(document.save().ok());
    edit(0, 0.8f);
    ASSERT_TRUE(document.save().ok());
    EXPECT_EQ(readBytes(dir.file("原始数据/a.pip")), instrument);
    EXPECT_FALSE(fs::exists(dir.file("原始数据/b.pip")));
    // Renaming takes the original along.
    EXPECT_EQ(document.renameFile(0, "c.pip"), RenameRefusal::None);
    EXPECT_EQ(readBytes(dir.file("原始数据/c.pip")), instrument);
    EXPECT_EQ(document.renameFile(0, "b.pip"), RenameRefusal::Duplicate);
    EXPECT_EQ(document.renameFile(0, "c.txt"), RenameRefusal::WrongSuffix);
    EXPECT_EQ(document.renameFile(0, "../c.pip"), RenameRefusal::Failed);
}

TEST_F(ProjectDocumentTest, ALinkedAreaIsSavedThroughItsLink) {
    TempDir real;
    ASSERT_EQ(writeAreaFile(makeArea(2), real.file("x.pip")), "");
    ASSERT_EQ(symlink(real.file("x.pip").c_str(), dir.file("linked.pip").c_str()), 0);
    ASSERT_TRUE(document.openProject(dir.file("p.Prj")).opened);
    ASSERT_EQ(document.state().files.size(), 3u);
    ASSERT_EQ(document.state().files[2]->fileName, "linked.pip");
    EXPECT_FALSE(document.state().files[2]->damaged);
    edit(2, 0.7f);
    ASSERT_TRUE(document.save().ok());
    EXPECT_TRUE(fs::is_symlink(dir.file("linked.pip")));
    NamePipeFile saved;
    ASSERT_TRUE(readAreaFile(real.file("x.pip"), saved).ok());
    const float height = saved.header.dropHeight; // packed: no reference into it
    EXPECT_EQ(height, 0.7f);
}

TEST_F(ProjectDocumentTest, EntriesThatAreNoAreasAreListedDamagedAndNeverWritten) {
    ASSERT_EQ(mkfifo(dir.file("fifo.pip").c_str(), 0644), 0);
    writeBytes(dir.file("short.pip"), {1, 2, 3});
    const OpenOutcome outcome = document.openProject(dir.file("p.Prj"));
    ASSERT_TRUE(outcome.opened);
    ASSERT_EQ(outcome.problems.size(), 2u);
    std::vector<std::string> damaged;
    for (const auto& file : document.state().files)
        if (file->damaged)
            damaged.push_back(file->fileName);
    EXPECT_EQ(damaged, (std::vector<std::string>{"fifo.pip", "short.pip"}));
    document.state().files[3]->modified = true; // whatever happens, never written
    EXPECT_TRUE(document.save().ok());
    EXPECT_EQ(readBytes(dir.file("short.pip")), (std::vector<unsigned char>{1, 2, 3}));
}

int stopAfter = 0;
int steps = 0;
void stopHere(ChangeStep, std::size_t) {
    if (steps++ == stopAfter)
        _exit(9);
}

TEST_F(ProjectDocumentTest, OpeningCompletesAChangeAKilledWriterLeft) {
    const pid_t child = fork();
    if (child == 0) {
        stopAfter = 3; // two temporaries, the journal, one rename
        setChangeStepHook(stopHere);
        edit(0, 0.7f);
        edit(1, 0.7f);
        document.save();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 9);
    ASSERT_TRUE(hasPendingChange(dir.path()));

    ProjectDocument next{"tarvel"};
    const OpenOutcome outcome = next.openProject(dir.file("p.Prj"));
    ASSERT_TRUE(outcome.opened);
    EXPECT_EQ(outcome.completedFiles, 1u);
    EXPECT_EQ(outcome.completionError, "");
    const float first = next.state().files[0]->header.dropHeight; // packed
    const float second = next.state().files[1]->header.dropHeight;
    EXPECT_EQ(first, 0.7f);
    EXPECT_EQ(second, 0.7f);
    EXPECT_FALSE(next.holdsFolder());
}

} // namespace
} // namespace tarvel::test
