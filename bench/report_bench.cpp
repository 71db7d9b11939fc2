// Time and output size of the reports: the summary workbook and the test
// report for 1, 10 and 100 areas of 100 points, the picture report for 2, 8
// and 50 pictures, the English pile summary of 500 piles and the English
// picture report of 50 pictures. Goals: the test report of 100 areas under
// 0.3 s and linear in the areas, the workbook of 100 areas within 1.1 times
// BM_ExcelSummaryFloor, the pile summary under 1 s, the pile picture report
// under 2 s.
#include "report/excel_summary.h"
#include "report/modulus_report.h"
#include "report/scrivet.h"
#include "tests/report/report_fixture.h"

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

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

// The summary workbook's model alone, without writing the file.
void BM_ExcelSummaryModel(benchmark::State& state) {
    const LoadedProject& project = projectOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(scrivet::buildSummaryWorkbook(project.info, project.areas, {}));
}
BENCHMARK(BM_ExcelSummaryModel)->Arg(100)->Unit(benchmark::kMillisecond);

// The spreadsheet library alone writing as many numbers as the summary of n
// areas holds (114 rows of nine an area, two decimals, one format), row by
// row as the export writes them: what the export cannot go below. Nearly
// all of it is the library printing each number and deflating the sheet at
// the zip level it fixes.
void BM_ExcelSummaryFloor(benchmark::State& state) {
    constexpr int kRowsPerArea = 114;
    constexpr int kColumns = 9;
    const int rows = static_cast<int>(state.range(0)) * kRowsPerArea;
    const std::string path = scratch().file("floor.xlsx");
    for (auto _ : state) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, "floor");
        lxw_format* format = workbook_add_format(book);
        format_set_num_format(format, "0.00");
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < kColumns; ++column) {
                // Values from 40.00 to 159.99 MPa, as the synthetic areas.
                const int step = (row * kColumns + column) * 7919 % 12000;
                worksheet_write_number(sheet, static_cast<lxw_row_t>(row),
                                       static_cast<lxw_col_t>(column), 40 + step / 100.0, format);
            }
        if (workbook_close(book) != LXW_NO_ERROR)
            state.SkipWithError("the library could not write the workbook");
    }
    reportSize(state, path);
}
BENCHMARK(BM_ExcelSummaryFloor)->Arg(100)->Unit(benchmark::kMillisecond);

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
        benchmark::DoNotOptimize(scrivet::buildModulusReport(
            scrivet::WordDocument::fromPackage(parts), project.info, project.areas, {}));
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

// A pile project of n piles, built once per size.
const LoadedProject& pileProjectOf(int pileCount) {
    static std::map<int, std::unique_ptr<LoadedProject>> projects;
    auto& project = projects[pileCount];
    if (!project) {
        std::vector<PileFields> piles(static_cast<std::size_t>(pileCount));
        const char* classes[] = {"Ⅰ类桩", "Ⅱ类桩", "Ⅰ", "Ⅲ类桩", "Ⅳ"};
        for (int i = 0; i < pileCount; ++i) {
            PileFields& pile = piles[static_cast<std::size_t>(i)];
            pile.number = "ZH-" + std::to_string(i + 1);
            pile.classText = classes[i % 5];
            pile.waveSpeed = 3400.0f + static_cast<float>((i * 37) % 800);
            pile.defects = {3.5f, 7.25f};
            pile.printedPoints = 2;
        }
        project = std::make_unique<LoadedProject>(
            makePileProject(scratch().subdir("piles" + std::to_string(pileCount)), piles));
    }
    return *project;
}

void BM_PileSummary(benchmark::State& state) {
    const LoadedProject& project = pileProjectOf(static_cast<int>(state.range(0)));
    const std::string path = scratch().file("piles.xlsx");
    for (auto _ : state)
        if (!openExcel_E(&project.info, &project.areas, path.c_str(), false))
            state.SkipWithError(scrivetLastError());
    reportSize(state, path);
}
BENCHMARK(BM_PileSummary)->Arg(500)->Unit(benchmark::kMillisecond);

// 25 piles of two marked points each: 50 pictures.
void BM_PilePictureReport(benchmark::State& state) {
    const LoadedProject& project = pileProjectOf(static_cast<int>(state.range(0)) / 2);
    const std::string pictures = scratch().subdir("pile-pictures");
    for (const auto& area : project.areas)
        writeWavePictures(pictures, area->fileName, 2);
    const std::string path = scratch().file("pile-pictures.docx");
    for (auto _ : state)
        if (!openDoc2_E(pictures.c_str(), &project.info, &project.areas, path.c_str(), false))
            state.SkipWithError(scrivetLastError());
    reportSize(state, path);
}
BENCHMARK(BM_PilePictureReport)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace
