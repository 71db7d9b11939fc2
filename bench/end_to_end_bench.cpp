// What a user waits for: tarvel-cli analyze run as a process on generated
// projects of 1, 20 and 200 areas (100 points of 4096 samples, band-pass on
// every point), against the floor program on the same files, in one run.
// Wall time, processor time and peak resident memory come from each child's
// wait4. The floor runs on one core; tarvel-cli uses every core, so its
// processor time against the floor's is the ratio on a single core.
//
//   tarvel-end-to-end-bench [--before OLD_TARVEL_CLI] [--runs N] [--areas A,B,...]
//
// With --before, an older tarvel-cli is measured beside this one and the
// outputs of both are compared byte for byte.
#include "child_process.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using tarvel::bench::Measure;
using tarvel::bench::median;
using tarvel::bench::runProcess;

std::string projectFileIn(const std::string& dir) {
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".Prj")
            return entry.path().string();
    return {};
}

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<int> areaCounts(const std::string& text) {
    std::vector<int> counts;
    std::stringstream list(text);
    for (std::string item; std::getline(list, item, ',');)
        counts.push_back(std::stoi(item));
    return counts;
}

} // namespace

int main(int argc, char** argv) {
    std::string before;
    int runs = 3;
    std::vector<int> areas = {1, 20, 200};
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--before")
            before = std::filesystem::absolute(argv[i + 1]).string();
        else if (option == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (option == "--areas")
            areas = areaCounts(argv[i + 1]);
    }
    const std::string cli = TARVEL_CLI_PATH;
    const std::string floorProgram = TARVEL_FLOOR_PATH;
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvel-e2e-XXXXXX").string();
    const std::string work = mkdtemp(pattern.data());

    std::printf("tarvel-cli analyze, 100 points x 4096 samples an area, band-pass on every "
                "point; median of %d runs, peak RSS the largest\n\n",
                runs);
    std::printf("%6s | %9s %8s | %9s %8s %7s | %9s %8s %7s %7s | %s\n", "areas", "floor s", "MiB",
                "before s", "MiB", "xfloor", "after s", "MiB", "xfloor", "cpu x", "output");
    for (int count : areas) {
        const std::string dir = work + "/areas-" + std::to_string(count);
        runProcess({cli, "simulate", dir, "--areas", std::to_string(count), "--rows", "10",
                    "--columns", "10", "--samples", "4096", "--seed", "1"});
        const std::string project = projectFileIn(dir);
        runProcess({cli, "set", project, "filterType=4", "filterF1=20", "filterF2=2000"});

        std::vector<Measure> floorRuns, beforeRuns, afterRuns;
        for (int run = 0; run < runs; ++run) {
            floorRuns.push_back(runProcess({floorProgram, dir}));
            if (!before.empty())
                beforeRuns.push_back(runProcess({before, "analyze", project}));
            afterRuns.push_back(runProcess({cli, "analyze", project}));
        }
        const Measure floor = median(floorRuns);
        const Measure after = median(afterRuns);
        std::string same = "-";
        char beforeColumns[64] = "        -        -       -";
        if (!before.empty()) {
            const Measure old = median(beforeRuns);
            std::snprintf(beforeColumns, sizeof beforeColumns, "%9.3f %8.1f %7.2f", old.seconds,
                          old.peakMiB, old.seconds / floor.seconds);
            runProcess({before, "analyze", project}, work + "/before.json");
            runProcess({cli, "analyze", project}, work + "/after.json");
            same = contents(work + "/before.json") == contents(work + "/after.json") ? "identical"
                                                                                     : "DIFFERS";
        }
        std::printf("%6d | %9.3f %8.1f | %s | %9.3f %8.1f %7.2f %7.2f | %s\n", count, floor.seconds,
                    floor.peakMiB, beforeColumns, after.seconds, after.peakMiB,
                    after.seconds / floor.seconds, after.cpuSeconds / floor.cpuSeconds,
                    same.c_str());
        std::fflush(stdout);
        std::filesystem::remove_all(dir);
    }
    std::filesystem::remove_all(work);
    return 0;
}
