// Peak memory of a loaded and conditioned project against the size of its
// raw and conditioned samples.
#include "analysis/area_loader.h"
#include "bench_project.h"
#include "data/project_file.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

long peakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main() {
    using namespace tarvel;
    const std::string& dir = bench::benchProjectDir(true);
    const long before = residentKb();
    const long peakBefore = peakKb();
    AreaFileList files;
    scanProjectDirectory(dir, files);
    for (auto& file : files)
        loadAreaFile(file->path(), *file);
    const long peak = peakKb();
    const double samples =
        static_cast<double>(bench::kAreas) * bench::kPointsPerArea * bench::kSamples;
    const double payloadKb = samples * (sizeof(uint16_t) + sizeof(double)) / 1024;
    const double grownKb = static_cast<double>(peak - (peakBefore > before ? peakBefore : before));
    std::printf("project: %d areas x %d points x %d samples (band-pass on every point)\n",
                bench::kAreas, bench::kPointsPerArea, bench::kSamples);
    std::printf("raw + conditioned samples: %.1f MiB\n", payloadKb / 1024);
    std::printf("peak memory growth while loading: %.1f MiB\n", grownKb / 1024);
    std::printf("ratio: %.3f (goal <= 1.5)\n", grownKb / payloadKb);
    return 0;
}
