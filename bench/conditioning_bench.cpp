// Load + condition + results for a whole project, and the filter alone
// against the naive radix-2 transform, side by side in one run.
//
// The project benchmarks are warm: every iteration runs in a process whose
// heap has already grown, whose FFTW plans are made and whose files are in
// the page cache; only the sample blocks are mapped afresh. A user's run of
// tarvel-cli pays for all of that: tarvel-end-to-end-bench measures it.
#include "analysis/area_loader.h"
#include "analysis/marking.h"
#include "analysis/results.h"
#include "analysis/spectral_filter.h"
#include "bench_project.h"
#include "data/project_file.h"
#include "naive_fft.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace tarvel::bench {
namespace {

// With `resultsOnly`, as tarvel-cli analyze loads: no point keeps its
// conditioned samples.
void loadWholeProject(benchmark::State& state, bool bandPass, bool resultsOnly = false) {
    const std::string& dir = benchProjectDir(bandPass);
    ConditioningWorkspace workspace;
    for (auto _ : state) {
        AreaFileList files;
        scanProjectDirectory(dir, files);
        for (auto& file : files)
            resultsOnly ? loadAreaResults(file->path(), *file, workspace)
                        : loadAreaFile(file->path(), *file, workspace);
        benchmark::DoNotOptimize(files.back()->points.back().results.deformationModulus);
    }
    state.counters["points/s"] = benchmark::Counter(static_cast<double>(kAreas * kPointsPerArea),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}

// The same chain with the old transform: the unfiltered files are loaded and
// every point is then band-passed the old way, marked and evaluated again.
void BM_WarmLoadProjectNaiveBandPass(benchmark::State& state) {
    const std::string& dir = benchProjectDir(false);
    ConditioningWorkspace workspace;
    for (auto _ : state) {
        AreaFileList files;
        scanProjectDirectory(dir, files);
        for (auto& file : files) {
            loadAreaFile(file->path(), *file, workspace);
            const ResultParameters parameters = resultParametersOf(file->header);
            for (MeasurePoint& point : file->points) {
                naiveBandPass(point.accel.data(), kSamples, 0, 81);
                markPoint(point, file->header);
                updatePointResults(point, parameters);
            }
        }
        benchmark::DoNotOptimize(files.back()->points.back().results.deformationModulus);
    }
    state.counters["points/s"] = benchmark::Counter(static_cast<double>(kAreas * kPointsPerArea),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}

void BM_WarmLoadProjectUnfiltered(benchmark::State& state) {
    loadWholeProject(state, false);
}
void BM_WarmLoadProjectBandPass(benchmark::State& state) {
    loadWholeProject(state, true);
}
void BM_WarmLoadProjectBandPassResultsOnly(benchmark::State& state) {
    loadWholeProject(state, true, true);
}

std::vector<double> impactWave() {
    std::vector<double> wave(kSamples, 0.0);
    for (int k = 500; k < 1200; ++k)
        wave[static_cast<std::size_t>(k)] = 3000 * std::sin(3.14159265 * (k - 500) / 700.0);
    return wave;
}

void BM_FilterPointFftw(benchmark::State& state) {
    const std::vector<double> wave = impactWave();
    std::vector<double> work;
    PassBand band = passBand(FilterMode::BandPass, kSamples, 100000, 20, 2000);
    SpectralFilter filter(kSamples);
    for (auto _ : state) {
        work = wave;
        filter.filter(work.data(), band);
        benchmark::DoNotOptimize(work.data());
    }
    state.counters["points/s"] =
        benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_FilterPointNaiveRadix2(benchmark::State& state) {
    const std::vector<double> wave = impactWave();
    std::vector<double> work;
    for (auto _ : state) {
        work = wave;
        naiveBandPass(work.data(), kSamples, 0, 81);
        benchmark::DoNotOptimize(work.data());
    }
    state.counters["points/s"] =
        benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_WarmLoadProjectUnfiltered)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WarmLoadProjectBandPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WarmLoadProjectBandPassResultsOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WarmLoadProjectNaiveBandPass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterPointFftw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FilterPointNaiveRadix2)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tarvel::bench

BENCHMARK_MAIN();
