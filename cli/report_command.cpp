#include "report_command.h"

#include "analysis/project_loader.h"
#include "report/scrivet.h"

#include <filesystem>
#include <iostream>
#include <optional>

namespace tarvel {
namespace {

constexpr const char* kUsage =
    "usage: tarvel-cli report PATH.Prj [--excel FILE] [--word FILE]\n"
    "                         [--pictures DIR] [--area N --word-pictures FILE]\n"
    "  --excel FILE          summary workbook (.xlsx)\n"
    "  --word FILE           test report (.docx); distribution maps dengzhi<i>.png\n"
    "                        are taken from --pictures DIR when given\n"
    "  --word-pictures FILE  wave-picture report (.docx) of area N (from 0) with the\n"
    "                        pictures <area file>-<n>.png in --pictures DIR\n";

struct ReportRequest {
    std::string projectPath;
    std::string excelPath;
    std::string wordPath;
    std::string picturesDir;
    std::string wordPicturesPath;
    std::optional<int> area;
};

bool parseArea(const std::string& text, int& area) {
    try {
        std::size_t used = 0;
        area = std::stoi(text, &used);
        return used == text.size() && area >= 0;
    } catch (const std::exception&) {
        return false;
    }
}

// Returns the request, or nothing when the arguments do not make one.
std::optional<ReportRequest> parseRequest(const std::vector<std::string>& args) {
    ReportRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            if (!request.projectPath.empty())
                return std::nullopt;
            request.projectPath = arg;
            continue;
        }
        if (i + 1 >= args.size())
            return std::nullopt;
        const std::string& value = args[++i];
        if (arg == "--excel") {
            request.excelPath = value;
        } else if (arg == "--word") {
            request.wordPath = value;
        } else if (arg == "--pictures") {
            request.picturesDir = value;
        } else if (arg == "--word-pictures") {
            request.wordPicturesPath = value;
        } else if (arg == "--area") {
            int area = 0;
            if (!parseArea(value, area))
                return std::nullopt;
            request.area = area;
        } else {
            return std::nullopt;
        }
    }
    const bool anyOutput = !request.excelPath.empty() || !request.wordPath.empty() ||
                           !request.wordPicturesPath.empty();
    const bool picturesComplete = request.wordPicturesPath.empty() ||
                                  (!request.picturesDir.empty() && request.area.has_value());
    if (request.projectPath.empty() || !anyOutput || !picturesComplete)
        return std::nullopt;
    return request;
}

// The template installed beside the program; the library falls back to its
// built-in copy when it is missing.
std::string installedTemplatePath() {
    std::error_code ec;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("report.docx") : (program.parent_path() / "report.docx").string();
}

int reportFailure() {
    std::cerr << "tarvel-cli report: " << scrivetLastError() << '\n';
    return 2;
}

} // namespace

int runReportCommand(const std::vector<std::string>& args) {
    std::optional<ReportRequest> request = parseRequest(args);
    if (!request) {
        std::cerr << kUsage;
        return 1;
    }
    // A damaged area would make a report that silently lacks it: refuse.
    ProjectLoad project = loadProject(request->projectPath);
    std::string error = !project.projectError.empty()
                            ? request->projectPath + ": " + project.projectError
                        : !project.folderError.empty()
                            ? project.folderError
                            : (project.fileErrors.empty() ? std::string() : project.fileErrors[0]);
    if (!error.empty()) {
        std::cerr << "tarvel-cli report: " << error << '\n';
        return 2;
    }
    if (!request->excelPath.empty() &&
        !openExcel(&project.info, &project.files, request->excelPath.c_str(), false))
        return reportFailure();
    if (!request->wordPath.empty() &&
        !openDoc1(installedTemplatePath().c_str(), &project.info, &project.files,
                  request->picturesDir.c_str(), request->wordPath.c_str(), false))
        return reportFailure();
    if (!request->wordPicturesPath.empty()) {
        if (*request->area >= static_cast<int>(project.files.size())) {
            std::cerr << "tarvel-cli report: " << request->projectPath << ": there is no area "
                      << *request->area << " (the project has " << project.files.size() << ")\n";
            return 2;
        }
        if (!openDoc2(request->picturesDir.c_str(), &project.info, &project.files, *request->area,
                      request->wordPicturesPath.c_str(), false))
            return reportFailure();
    }
    return 0;
}

} // namespace tarvel
