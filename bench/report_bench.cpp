// Time and output size of the reports: the summary workbook and the test
// report for 1, 10 and 100 areas of 100 points, the picture report for 2, 8
// and 50 pictures. The goal: 100 areas (10 000 point rows) in under 1 s.
#include "report/modulus_report.h"
#include "report/scrivet.h"
#include "tests/report/report_fixture.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <memory>

namespace {

using namespace tarvel;
using namespace tarvel::testing;

ScratchDir& scratch() {
    static ScratchDir dir;
    return dir;
}

// Projects of n areas of 10 x 10 points, built once per size.
const LoadedProject& projectOf(int areaCount) {
    static std::map<int, std::unique_ptr<LoadedProject>> projects;
    auto& project = projects[areaCount];
    if (!project) {
        std::vector<SyntheticArea> areas;
        for (int i = 0; i < areaCount; ++i)
            areas.push_back(syntheticArea("测区" + std::to_string(i + 1), 10, 10, "random:40:160"));
        project = std::make_unique<LoadedProject>(
            makeProject(scratch().subdir("project" + std::to_string(areaCount)), areas));
    }
    return *project;
}

void reportSize(benchmark::State& state, const std::string& path) {
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}

void BM_ExcelSummary(benchmark::State& state) {
    const LoadedProject& project = projectOf(static_cast<int>(state.range(0)));
    const std::string path = scratch().file("summary.xlsx");
    for (auto _ : state)
        if (!openExcel(&project.info, &project.areas, path.c_str(), false))
            state.SkipWithError(scrivetLastError());
    reportSize(state, path);
    state.counters["rows"] = benchmark::Counter(static_cast<double>(state.range(0) * 100),
                                                benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ExcelSummary)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_TestReport(benchmark::State& state) {
    const LoadedProject& project = projectOf(static_cast<int>(state.range(0)));
    const std::string path = scratch().file("report.docx");
    for (auto _ : state)
        if (!openDoc1(REPORT_TEMPLATE, &project.info, &project.areas, "", path.c_str(), false))
            state.SkipWithError(scrivetLastError());
    reportSize(state, path);
}
BENCHMARK(BM_TestReport)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// The test report's document model alone, without writing the file: the
// rest of BM_TestReport is serialising and compressing.
void BM_TestReportModel(benchmark::State& state) {
    const LoadedProject& project = projectOf(static_cast<int>(state.range(0)));
    const scrivet::ZipEntries parts = scrivet::readZipFile(REPORT_TEMPLATE);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            scrivet::buildModulusReport(parts, project.info, project.areas, ""));
}
BENCHMARK(BM_TestReportModel)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_PictureReport(benchmark::State& state) {
    const LoadedProject& project = projectOf(1);
    const int count = static_cast<int>(state.range(0));
    const std::string pictures = scratch().subdir("pictures" + std::to_string(count));
    writeWavePictures(pictures, project.areas[0]->fileName, count);
    const std::string path = scratch().file("pictures.docx");
    for (auto _ : state)
        if (!openDoc2(pictures.c_str(), &project.info, &project.areas, 0, path.c_str(), false))
            state.SkipWithError(scrivetLastError());
    reportSize(state, path);
}
BENCHMARK(BM_PictureReport)->Arg(2)->Arg(8)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace
