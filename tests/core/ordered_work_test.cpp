// Areas conditioned on several threads: what follows from each still comes
// in the project's order, and a project loads the same as one area at a time.
#include "analysis/area_loader.h"
#include "analysis/conditioning_workspace.h"
#include "analysis/ordered_work.h"
#include "analysis/project_loader.h"
#include "data/project_file.h"
#include "fixtures.h"

#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace tarvel::test {
namespace {

TEST(OrderedWork, EachItemIsDoneInOrderAfterItsWorkAndNoWorkerIsSharedInFlight) {
    constexpr int kWorkers = 3;
    constexpr std::size_t kItems = 11; // not a whole number of batches
    std::atomic<int> busy[kWorkers] = {};
    std::vector<int> worked(kItems, 0);
    std::vector<std::size_t> doneOrder;
    std::atomic<bool> overlapped = false;
    runInOrder(
        kItems, kWorkers,
        [&](std::size_t item, int worker) {
            if (busy[worker].fetch_add(1) != 0)
                overlapped = true;
            worked[item] = worker + 1;
            busy[worker].fetch_sub(1);
        },
        [&](std::size_t item, int worker) {
            EXPECT_EQ(worked[item], worker + 1) << "done before its work, or with another worker";
            doneOrder.push_back(item);
        });
    EXPECT_FALSE(overlapped);
    ASSERT_EQ(doneOrder.size(), kItems);
    for (std::size_t i = 0; i < kItems; ++i)
        EXPECT_EQ(doneOrder[i], i);
}

TEST(OrderedWork, AFailureReachesTheCallerAfterEveryEarlierItemAndStopsTheRest) {
    for (std::size_t failing : {std::size_t{0}, std::size_t{4}, std::size_t{5}}) {
        std::vector<std::size_t> done;
        EXPECT_THROW(runInOrder(
                         9, 2,
                         [&](std::size_t item, int) {
                             if (item == failing)
                                 throw std::runtime_error("damaged");
                         },
                         [&](std::size_t item, int) { done.push_back(item); }),
                     std::runtime_error);
        ASSERT_EQ(done.size(), failing) << "failing item " << failing;
        for (std::size_t i = 0; i < done.size(); ++i)
            EXPECT_EQ(done[i], i);
    }
}

TEST(OrderedWork, AProjectLoadsAsItsAreasDoOneByOneAndNamesItsDamagedAreasInOrder) {
    TempDir dir;
    ASSERT_EQ(writeProjectFile(dir.file("p.Prj"), ProjectInfo{}), "");
    constexpr int kAreas = 9;
    for (int area = 1; area <= kAreas; ++area) {
        const std::string path = dir.file("area-" + std::to_string(area) + ".pip");
        if (area % 3 == 0) {
            writeBytes(path, {'n', 'o', 't', ' ', 'a', 'n', ' ', 'a', 'r', 'e', 'a'});
            continue;
        }
        NamePipeFile file = makeArea(area + 2);
        for (MeasurePoint& point : file.points)
            for (std::size_t k = 0; k < point.raw.size(); ++k)
                point.raw[k] = static_cast<uint16_t>(32768 - (k * (5 + area)) % 700);
        ASSERT_EQ(writeAreaFile(file, path), "");
    }
    const ProjectLoad project = loadProject(dir.file("p.Prj"));
    ASSERT_EQ(project.files.size(), static_cast<std::size_t>(kAreas));
    ASSERT_EQ(project.fileErrors.size(), 3u);
    for (std::size_t e = 0; e < project.fileErrors.size(); ++e)
        EXPECT_EQ(project.fileErrors[e].rfind(dir.file("area-" + std::to_string(3 * (e + 1))), 0),
                  0u)
            << project.fileErrors[e];

    for (const auto& loaded : project.files) {
        NamePipeFile alone;
        ConditioningWorkspace workspace;
        if (!loadAreaFile(loaded->path(), alone, workspace).ok())
            continue;
        ASSERT_EQ(alone.points.size(), loaded->points.size()) << loaded->fileName;
        for (std::size_t p = 0; p < alone.points.size(); ++p) {
            const PointResults& a = alone.points[p].results;
            const PointResults& b = loaded->points[p].results;
            EXPECT_EQ(a.flags.bits, b.flags.bits);
            EXPECT_TRUE(a.deformationModulus == b.deformationModulus ||
                        (std::isnan(a.deformationModulus) && std::isnan(b.deformationModulus)))
                << loaded->fileName << " point " << p;
        }
    }
}

} // namespace
} // namespace tarvel::test
