// The library boundary: argument checks, error capture, opening the result.
#include "scrivet.h"

#include "desktop_open.h"
#include "embedded_template.h"
#include "english_picture_report.h"
#include "english_summary.h"
#include "english_test_report.h"
#include "excel_summary.h"
#include "modulus_report.h"
#include "picture_report.h"
#include "xlsx_writer.h"

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace {

using namespace tarvel;
using namespace tarvel::scrivet;

thread_local std::string lastError;

// Runs one export: `write` produces the file at the given path or throws.
bool runExport(const char* outputPath, bool openWhenDone,
               const std::function<void(const std::string&)>& write) {
    lastError.clear();
    const std::string path = outputPath != nullptr ? outputPath : "";
    std::string reason;
    try {
        if (path.empty())
            throw std::invalid_argument("no output file was given");
        write(path);
    } catch (const std::exception& e) {
        reason = e.what();
    } catch (...) {
        reason = "unexpected failure";
    }
    if (!reason.empty()) {
        lastError = (path.empty() ? std::string("(no path)") : path) + ": " + reason;
        return false;
    }
    if (openWhenDone) {
        // The file is written; a viewer that does not start is only reported.
        try {
            std::string openError = openWithDesktop(path);
            if (!openError.empty())
                lastError = path + ": " + openError;
        } catch (...) {
            lastError = path + ": cannot open the file";
        }
    }
    return true;
}

void requireRecords(const ProjectInfo* project, const AreaFileList* areas) {
    if (project == nullptr)
        throw std::invalid_argument("no project record was given");
    if (areas == nullptr)
        throw std::invalid_argument("no list of measurement areas was given");
}

// The template at templatePath, or the built-in one when there is no file.
ZipEntries templateParts(const char* templatePath, const unsigned char* builtIn,
                         std::size_t builtInSize) {
    std::error_code ec;
    const bool haveTemplate =
        templatePath != nullptr && std::filesystem::is_regular_file(templatePath, ec);
    return haveTemplate ? readZipFile(templatePath) : readZipBytes(builtIn, builtInSize);
}

} // namespace

bool openExcel(const ProjectInfo* project, const AreaFileList* areas, const char* outputPath,
               bool openWhenDone) {
    return openExcelJudged(project, areas, nullptr, outputPath, openWhenDone);
}

bool openExcelJudged(const ProjectInfo* project, const AreaFileList* areas,
                     const AcceptanceCriteria* criteria, const char* outputPath,
                     bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        writeXlsx(buildSummaryWorkbook(*project, *areas, criteria), path);
    });
}

bool openDoc1(const char* templatePath, const ProjectInfo* project, const AreaFileList* areas,
              const char* pictureDir, const char* outputPath, bool openWhenDone) {
    return openDoc1Judged(templatePath, project, areas, nullptr, pictureDir, outputPath,
                          openWhenDone);
}

bool openDoc1Judged(const char* templatePath, const ProjectInfo* project, const AreaFileList* areas,
                    const AcceptanceCriteria* criteria, const char* pictureDir,
                    const char* outputPath, bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        buildModulusReport(templateParts(templatePath, kEmbeddedTemplate, kEmbeddedTemplateSize),
                           *project, *areas, pictureDir != nullptr ? pictureDir : "", criteria)
            .save(path);
    });
}

bool openDoc2(const char* pictureDir, const ProjectInfo* project, const AreaFileList* areas,
              int32_t fileIndex, const char* outputPath, bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        if (fileIndex < 0 || static_cast<std::size_t>(fileIndex) >= areas->size())
            throw std::invalid_argument("there is no measurement area " +
                                        std::to_string(fileIndex) + " (the project has " +
                                        std::to_string(areas->size()) + ")");
        if (pictureDir == nullptr || *pictureDir == '\0')
            throw std::invalid_argument("no picture directory was given");
        buildPictureReport(pictureDir, *project, *(*areas)[static_cast<std::size_t>(fileIndex)])
            .save(path);
    });
}

bool openExcel_E(const ProjectInfo* project, const AreaFileList* areas, const char* outputPath,
                 bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        writeXlsx(buildPileSummaryWorkbook(*project, *areas), path);
    });
}

bool openDoc1_E(const char* templatePath, const ProjectInfo* project, const AreaFileList* areas,
                const char* outputPath, bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        buildPileTestReport(
            templateParts(templatePath, kEmbeddedEnglishTemplate, kEmbeddedEnglishTemplateSize),
            *project, *areas)
            .save(path);
    });
}

bool openDoc2_E(const char* pictureDir, const ProjectInfo* project, const AreaFileList* areas,
                const char* outputPath, bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        buildPilePictureReport(pictureDir != nullptr ? pictureDir : "", *project, *areas)
            .save(path);
    });
}

const char* scrivetLastError() {
    return lastError.c_str();
}
