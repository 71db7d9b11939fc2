#include "bench_project.h"

#include "analysis/synthetic.h"

#include <cstdlib>
#include <filesystem>

namespace tarvel::bench {

const std::string& benchProjectDir(bool bandPass) {
    static std::string dirs[2];
    std::string& dir = dirs[bandPass ? 1 : 0];
    if (!dir.empty())
        return dir;
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvel-bench-XXXXXX").string();
    dir = std::string(mkdtemp(pattern.data())) + "/";
    for (int a = 0; a < kAreas; ++a) {
        SyntheticArea spec;
        spec.rows = 10;
        spec.columns = kPointsPerArea / 10;
        spec.sampleCount = kSamples;
        spec.sampleIntervalUs = 10;
        spec.seed = static_cast<uint32_t>(a + 1);
        spec.contactNoiseCounts = 1;
        spec.moduliMPa = modulusPattern("random:30:180", spec.rows, spec.columns, spec.seed);
        NamePipeFile file = makeSyntheticArea(spec, "bench");
        if (bandPass)
            for (MeasurePoint& point : file.points) {
                point.header.params.filterType = 4;
                point.header.params.filterF1 = 20;
                point.header.params.filterF2 = 2000;
            }
        writeAreaFile(file, dir + "area-" + std::to_string(a) + ".pip");
    }
    return dir;
}

} // namespace tarvel::bench
