// What a user waits for with --pdf: tarvel-cli report run as a process on a
// project of 10 areas of 100 points, writing one document (the test report)
// and three (the workbook, the test report and the picture report of area 1),
// each with its PDF. Goal: the three in under 1.5 times the time of the one,
// since every PDF comes from one LibreOffice run.
//
//   tarvel-report-pdf-bench [--runs N]
#include "analysis/synthetic.h"
#include "child_process.h"
#include "data/area_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using tarvel::bench::median;
using tarvel::bench::runProcess;

// Ten areas; the first has three waves marked for printing.
std::string makeProject(const std::string& dir) {
    tarvel::SyntheticProject project;
    for (int i = 0; i < 10; ++i) {
        tarvel::SyntheticArea area;
        area.areaName = "测区" + std::to_string(i + 1);
        area.rows = 10;
        area.columns = 10;
        area.sampleCount = 1024;
        area.seed = static_cast<uint32_t>(i + 1);
        area.moduliMPa = tarvel::modulusPattern("random:40:160", 10, 10, area.seed);
        project.areas.push_back(area);
    }
    if (std::string error = tarvel::writeSyntheticProject(dir, project); !error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    tarvel::NamePipeFile first;
    const std::string path = dir + "/测区1.pip";
    tarvel::readAreaFile(path, first);
    for (int point : {0, 4, 9})
        first.points[static_cast<std::size_t>(point)].header.printMark = 2;
    tarvel::writeAreaFile(first, path);
    return dir + "/" + project.projectFileName;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 3;
    if (argc == 3 && std::string(argv[1]) == "--runs")
        runs = std::max(1, std::atoi(argv[2]));
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) {
        std::fprintf(stderr, "LibreOffice (soffice) is not installed: nothing to measure\n");
        return 1;
    }
    std::string pattern = (fs::temp_directory_path() / "tarvel-pdf-bench-XXXXXX").string();
    const std::string dir = mkdtemp(pattern.data());
    const std::string project = makeProject(dir + "/project");
    const std::string cli = TARVEL_CLI_PATH;

    std::vector<double> one;
    std::vector<double> three;
    for (int run = 0; run < runs; ++run) {
        one.push_back(
            runProcess({cli, "report", project, "--word", dir + "/one.docx", "--pdf"}).seconds);
        three.push_back(runProcess({cli, "report", project, "--excel", dir + "/s.xlsx", "--word",
                                    dir + "/r.docx", "--area", "1", "--word-pictures",
                                    dir + "/w.docx", "--pdf"})
                            .seconds);
    }
    const double oneSeconds = median(one);
    const double threeSeconds = median(three);
    std::printf("report --pdf, 10 areas: one document %.2f s, three documents %.2f s "
                "(%.2fx, goal under 1.5x), median of %d\n",
                oneSeconds, threeSeconds, threeSeconds / oneSeconds, runs);
    fs::remove_all(dir);
    return 0;
}
