// The lab profile: the file round trip, what is refused, where it lives;
// and the overall verdict of an area the reports print.
#include "analysis/acceptance.h"
#include "analysis/result_columns.h"
#include "data/lab_profile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

namespace fs = std::filesystem;

class LabProfileFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tarvel-lab-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string dir;
};

TEST_F(LabProfileFile, RoundTripsEveryFieldAndReadsAMissingFileAsEmpty) {
    LabProfile lab{
        "江城工程检测中心", "CMA 2026-0815", "学府路 9 号", "027-8888", "张", "李", "王", "赵",
        "logo.png"};
    const std::string path = dir + "/config/tarvel/lab.json";
    ASSERT_EQ(writeLabProfile(path, lab), "") << "the folder is made";
    const LabProfileRead read = readLabProfile(path);
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_TRUE(read.found);
    // A logo named relative to the file is found beside it.
    EXPECT_EQ(read.lab.logo, dir + "/config/tarvel/logo.png");
    lab.logo = read.lab.logo;
    EXPECT_TRUE(read.lab == lab);

    const LabProfileRead none = readLabProfile(dir + "/none.json");
    EXPECT_TRUE(none.ok());
    EXPECT_FALSE(none.found);
    EXPECT_TRUE(none.lab == LabProfile{});

    // Empty fields are left out of the file; every key is optional.
    EXPECT_EQ(formatLabProfile(LabProfile{}), "{}\n");
    EXPECT_TRUE(parseLabProfile(R"({"approver": "赵"})").lab.approver == "赵");
}

TEST_F(LabProfileFile, AnythingButTextsOfTheKnownKeysIsRefusedNamingTheFileAndWhy) {
    const std::pair<const char*, const char*> bad[] = {
        {"[1]", "top level"},
        {R"({"name": 3})", "name must be a text"},
        {R"({"stamp": "x"})", "unknown key \"stamp\""},
        {R"({"name": "a", "name": "b"})", "appears twice"},
        {R"({"name": ")", ""},
    };
    for (const auto& [text, why] : bad) {
        const std::string path = dir + "/lab.json";
        std::ofstream(path) << text;
        const LabProfileRead read = readLabProfile(path);
        EXPECT_FALSE(read.ok()) << text;
        EXPECT_EQ(read.error.rfind(path + ": ", 0), 0u) << read.error;
        EXPECT_NE(read.error.find(why), std::string::npos) << read.error;
        EXPECT_TRUE(read.lab == LabProfile{}) << "nothing half read";
    }
    // Not a profile at all: a folder, or a file far larger than any profile.
    const std::string folder = dir + "/folder.json";
    fs::create_directory(folder);
    const std::string huge = dir + "/huge.json";
    std::ofstream(huge) << "{\"name\": \"" << std::string(70 * 1024, 'x') << "\"}";
    for (const std::string& path : {folder, huge}) {
        const LabProfileRead read = readLabProfile(path);
        EXPECT_FALSE(read.ok()) << path;
        EXPECT_EQ(read.error.rfind(path + ": ", 0), 0u) << read.error;
    }
    EXPECT_NE(readLabProfile(huge).error.find("larger than 64 KiB"), std::string::npos);
    const std::string longName = "{\"name\": \"" + std::string(201, 'x') + "\"}";
    EXPECT_FALSE(parseLabProfile(longName).ok());
    // Control characters never reach a document.
    EXPECT_EQ(parseLabProfile("{\"name\": \"a\\u0001b\"}").lab.name, "a\xEF\xBF\xBD"
                                                                     "b");
}

TEST_F(LabProfileFile, TheUsersProfileIsInTheConfigurationFolder) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string restore = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    EXPECT_EQ(defaultLabProfilePath(), dir + "/tarvel/lab.json");
    setenv("XDG_CONFIG_HOME", "relative", 1); // not a usable folder: HOME's
    EXPECT_EQ(defaultLabProfilePath(),
              std::string(std::getenv("HOME")) + "/.config/tarvel/lab.json");
    if (saved)
        setenv("XDG_CONFIG_HOME", restore.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST(OverallVerdict, FailsWhenOneRequiredModulusFailsAndPassesOnlyWhenAllPass) {
    AreaAcceptance a;
    EXPECT_FALSE(anyRequired(a));
    EXPECT_EQ(overallVerdict(a), Verdict::Undecided) << "nothing required";
    a.deformationModulus.required = 80;
    a.deformationModulus.verdict = Verdict::Pass;
    a.resilientModulus.verdict = Verdict::Fail; // not required: does not count
    EXPECT_EQ(overallVerdict(a), Verdict::Pass);
    a.resilientModulus.required = 90;
    EXPECT_EQ(overallVerdict(a), Verdict::Fail) << "only one modulus fails";
    a.resilientModulus.verdict = Verdict::Undecided;
    EXPECT_EQ(overallVerdict(a), Verdict::Undecided);
    a.deformationModulus.verdict = Verdict::Fail;
    EXPECT_EQ(overallVerdict(a), Verdict::Fail) << "a failure outweighs the undecided";
}

TEST(PointTableColumns, AreResultFieldsInTheirOrder) {
    ASSERT_EQ(pointTableFields().size(), kPointTableColumnCount);
    EXPECT_STREQ(pointTableFields().front()->key, "deformationModulus");
    EXPECT_STREQ(pointTableFields().back()->key, "relativeDensity");
    EXPECT_EQ(&resultField("k30"), pointTableFields()[3]);
    EXPECT_THROW(resultField("nonsense"), std::out_of_range);
}

} // namespace
} // namespace tarvel::test
