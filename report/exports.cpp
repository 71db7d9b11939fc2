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
#include "report_skeleton.h"
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

ReportInputs inputsOf(const ScrivetSettings* settings) {
    ReportInputs inputs;
    if (settings == nullptr)
        return inputs;
    if (settings->language != ScrivetChinese && settings->language != ScrivetEnglish)
        throw std::invalid_argument("no such report language " +
                                    std::to_string(static_cast<int>(settings->language)));
    inputs.criteria = settings->criteria;
    inputs.lab = settings->lab;
    inputs.pictureDir = settings->pictureDir != nullptr ? settings->pictureDir : "";
    inputs.language =
        settings->language == ScrivetEnglish ? ReportLanguage::English : ReportLanguage::Chinese;
    return inputs;
}

ScrivetSettings withPictures(const char* pictureDir) {
    return {nullptr, nullptr, pictureDir, ScrivetChinese};
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

bool openExcelWith(const ProjectInfo* project, const AreaFileList* areas,
                   const ScrivetSettings* settings, const char* outputPath, bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        writeXlsx(buildSummaryWorkbook(*project, *areas, inputsOf(settings)), path);
    });
}

bool openDoc1With(const char* templatePath, const ProjectInfo* project, const AreaFileList* areas,
                  const ScrivetSettings* settings, const char* outputPath, bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        const ReportInputs inputs = inputsOf(settings);
        WordDocument skeleton = inputs.language == ReportLanguage::English
                                    ? buildReportSkeleton(inputs.texts())
                                    : WordDocument::fromPackage(templateParts(
                                          templatePath, kEmbeddedTemplate, kEmbeddedTemplateSize));
        buildModulusReport(std::move(skeleton), *project, *areas, inputs).save(path);
    });
}

bool openDoc2With(const ProjectInfo* project, const AreaFileList* areas, int32_t fileIndex,
                  const ScrivetSettings* settings, const char* outputPath, bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        if (fileIndex < 0 || static_cast<std::size_t>(fileIndex) >= areas->size())
            throw std::invalid_argument("there is no measurement area " +
                                        std::to_string(fileIndex) + " (the project has " +
                                        std::to_string(areas->size()) + ")");
        const ReportInputs inputs = inputsOf(settings);
        if (inputs.pictureDir.empty())
            throw std::invalid_argument("no picture directory was given");
        buildPictureReport(*project, *(*areas)[static_cast<std::size_t>(fileIndex)], inputs)
            .save(path);
    });
}

bool openExcel(const ProjectInfo* project, const AreaFileList* areas, const char* outputPath,
               bool openWhenDone) {
    return openExcelWith(project, areas, nullptr, outputPath, openWhenDone);
}

bool openDoc1(const char* templatePath, const ProjectInfo* project, const AreaFileList* areas,
              const char* pictureDir, const char* outputPath, bool openWhenDone) {
    const ScrivetSettings settings = withPictures(pictureDir);
    return openDoc1With(templatePath, project, areas, &settings, outputPath, openWhenDone);
}

bool openDoc2(const char* pictureDir, const ProjectInfo* project, const AreaFileList* areas,
              int32_t fileIndex, const char* outputPath, bool openWhenDone) {
    const ScrivetSettings settings = withPictures(pictureDir);
    return openDoc2With(project, areas, fileIndex, &settings, outputPath, openWhenDone);
}

bool openExcel_EWith(const ProjectInfo* project, const AreaFileList* areas,
                     const ScrivetSettings* settings, const char* outputPath, bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        writeXlsx(buildPileSummaryWorkbook(*project, *areas, inputsOf(settings)), path);
    });
}

bool openDoc1_EWith(const char* templatePath, const ProjectInfo* project, const AreaFileList* areas,
                    const ScrivetSettings* settings, const char* outputPath, bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        buildPileTestReport(
            templateParts(templatePath, kEmbeddedEnglishTemplate, kEmbeddedEnglishTemplateSize),
            *project, *areas, inputsOf(settings))
            .save(path);
    });
}

bool openDoc2_EWith(const ProjectInfo* project, const AreaFileList* areas,
                    const ScrivetSettings* settings, const char* outputPath, bool openWhenDone) {
    return runExport(outputPath, openWhenDone, [&](const std::string& path) {
        requireRecords(project, areas);
        buildPilePictureReport(*project, *areas, inputsOf(settings)).save(path);
    });
}

bool openExcel_E(const ProjectInfo* project, const AreaFileList* areas, const char* outputPath,
                 bool openWhenDone) {
    return openExcel_EWith(project, areas, nullptr, outputPath, openWhenDone);
}

bool openDoc1_E(const char* templatePath, const ProjectInfo* project, const AreaFileList* areas,
                const char* outputPath, bool openWhenDone) {
    return openDoc1_EWith(templatePath, project, areas, nullptr, outputPath, openWhenDone);
}

bool openDoc2_E(const char* pictureDir, const ProjectInfo* project, const AreaFileList* areas,
                const char* outputPath, bool openWhenDone) {
    const ScrivetSettings settings = withPictures(pictureDir);
    return openDoc2_EWith(project, areas, &settings, outputPath, openWhenDone);
}

const char* scrivetLastError() {
    return lastError.c_str();
}
