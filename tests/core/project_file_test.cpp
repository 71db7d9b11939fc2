// Project files, discovery of a project's areas, saving, and the options file.
#include "analysis/area_order.h"
#include "analysis/project_loader.h"
#include "data/app_state.h"
#include "data/project_file.h"
#include "data/view_options.h"
#include "fixtures.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tarvel::test {
namespace {

std::vector<std::string> names(const AreaFileList& files) {
    std::vector<std::string> result;
    for (const auto& file : files)
        result.push_back(file->fileName);
    std::sort(result.begin(), result.end());
    return result;
}

TEST(ProjectDiscovery, TakesPipFilesOfAnyCaseAndLinksToThemAndNamesWhatItSkips) {
    TempDir dir;
    writeBytes(dir.file("a.pip"), {});
    writeBytes(dir.file("B.PIP"), {});
    writeBytes(dir.file("c.txt"), {});
    std::filesystem::create_directory(dir.file("d.pip"));
    std::filesystem::create_symlink(dir.file("a.pip"), dir.file("e.pip"));
    std::filesystem::create_symlink(dir.file("gone"), dir.file("f.pip"));
    ASSERT_EQ(mkfifo(dir.file("g.pip").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/null", dir.file("h.pip"));
    AreaFileList files;
    std::vector<SkippedEntry> skipped;
    EXPECT_EQ(scanProjectDirectory(dir.path(), files, &skipped), "");
    EXPECT_EQ(names(files), (std::vector<std::string>{"B.PIP", "a.pip", "e.pip"}));
    EXPECT_EQ(files[0]->dirPath, dir.path());
    std::sort(skipped.begin(), skipped.end(),
              [](const SkippedEntry& a, const SkippedEntry& b) { return a.path < b.path; });
    ASSERT_EQ(skipped.size(), 4u);
    EXPECT_EQ(skipped[0].path, dir.file("d.pip"));
    EXPECT_EQ(skipped[0].reason, "a folder, not an area file");
    EXPECT_EQ(skipped[1].reason, "a link to nothing");
    EXPECT_EQ(skipped[2].reason, "a FIFO, not an area file");
    EXPECT_EQ(skipped[3].reason, "a device, not an area file");

    AreaFileList none;
    scanProjectDirectory(dir.file("missing/"), none);
    EXPECT_TRUE(none.empty());
}

TEST(ProjectDiscovery, AreasComeInNaturalOrderOfTheirNames) {
    TempDir dir;
    for (const char* name : {"测区10.pip", "测区2.pip", "测区1.pip", "b.pip", "A3.pip", "a20.pip"})
        ASSERT_EQ(writeAreaFile(makeArea(1), dir.file(name)), "");
    ASSERT_EQ(writeProjectFile(dir.file("p.Prj"), ProjectInfo{}), "");
    ProjectLoad load = loadProject(dir.file("p.Prj"));
    std::vector<std::string> order;
    for (const auto& file : load.files)
        order.push_back(file->fileName);
    EXPECT_EQ(order, (std::vector<std::string>{"A3.pip", "a20.pip", "b.pip", "测区1.pip",
                                               "测区2.pip", "测区10.pip"}));
}

TEST(ProjectDiscovery, NaturalOrderIsTotalAndIgnoresLeadingZeros) {
    EXPECT_TRUE(naturalNameLess("x2", "x10"));
    EXPECT_FALSE(naturalNameLess("x10", "x2"));
    EXPECT_TRUE(naturalNameLess("x2", "x02") != naturalNameLess("x02", "x2"))
        << "equal numbers still have one order";
    EXPECT_TRUE(naturalNameLess("area", "Area1"));
    EXPECT_TRUE(naturalNameLess("a9b", "a10"));
    EXPECT_FALSE(naturalNameLess("same", "same"));
    EXPECT_TRUE(naturalNameLess("x99999999999999999999", "x100000000000000000000"))
        << "no overflow on long digit runs";
}

TEST(ProjectFile, ShortFileIsReportedAndLeavesTheTailZero) {
    TempDir dir;
    std::vector<unsigned char> bytes(100, 'x');
    writeBytes(dir.file("p.Prj"), bytes);
    ProjectInfo info;
    std::memset(&info, 0x55, sizeof info);
    EXPECT_NE(readProjectFile(dir.file("p.Prj"), info), "");
    EXPECT_EQ(info.projectName[74], 'x');
    EXPECT_EQ(info.projectName[75], '\0');
    EXPECT_EQ(info.pileKind[0], '\0');
}

TEST(ViewOptionsFile, ShortFileSetsOnlyItsLeadingOptions) {
    TempDir dir;
    std::vector<unsigned char> bytes = {1, 0, 0, 0, 200, 0, 0, 0};
    writeBytes(dir.file("Kestrine.dat"), bytes);
    ViewOptions options = defaultViewOptions();
    EXPECT_TRUE(loadViewOptions(options, dir.file("Kestrine.dat")));
    EXPECT_EQ(options.currentWaveOnly, 1);
    EXPECT_EQ(options.waveHeight, 200);
    EXPECT_EQ(options.abscissaTime, 1); // the default time axis, not read
    EXPECT_EQ(options.hideGrid, 0);

    options.hideGrid = 1;
    ASSERT_EQ(saveViewOptions(options, dir.file("Kestrine.dat")), "");
    std::vector<unsigned char> saved = readBytes(dir.file("Kestrine.dat"));
    ASSERT_EQ(saved.size(), 40u);
    EXPECT_EQ(saved[20], 1);

    ViewOptions untouched{};
    untouched.waveHeight = 7;
    EXPECT_FALSE(loadViewOptions(untouched, dir.file("missing.dat")));
    EXPECT_EQ(untouched.waveHeight, 7);
}

} // namespace
} // namespace tarvel::test
