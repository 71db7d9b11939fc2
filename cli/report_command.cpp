#include "report_command.h"

#include "analysis/project_loader.h"
#include "data/acceptance_file.h"
#include "data/gbk_text.h"
#include "data/project_file.h"
#include "data/temporary_files.h"
#include "report/installed_template.h"
#include "report/pdf_conversion.h"
#include "report/scrivet.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>

namespace tarvel {
namespace {

constexpr const char* kUsage =
    "usage: tarvel-cli report PATH.Prj [--excel FILE] [--word FILE [--maps DIR]]\n"
    "                         [--pictures DIR --area N --word-pictures FILE] [--pdf]\n"
    "  --excel FILE          summary workbook (.xlsx)\n"
    "  --word FILE           test report (.docx)\n"
    "  --maps DIR            distribution maps dengzhi<i>.png of the test report\n"
    "  --word-pictures FILE  wave-picture report (.docx) of area N (from 0) with the\n"
    "                        pictures <area file>-<n>.png in --pictures DIR\n"
    "  --pdf                 also a PDF beside each document (LibreOffice)\n"
    "  each area is judged against PATH.acceptance.json (PATH without .Prj) when it is there\n"
    "   or: tarvel-cli report PATH.Prj --english [--excel FILE] [--word FILE]\n"
    "                         [--pictures DIR --word-pictures FILE] [--exclude NAME]... [--pdf]\n"
    "  --english             the pile integrity reports in English: every area is a pile\n"
    "  --exclude NAME        leaves the pile of that area name or file name out\n";

struct ReportRequest {
    std::string projectPath;
    std::string excelPath;
    std::string wordPath;
    std::string mapsDir;
    std::string picturesDir;
    std::string wordPicturesPath;
    std::optional<int> area;
    bool pdf = false;
    bool english = false;
    std::vector<std::string> excluded; // area or file names
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

// The documents the request writes, in the order they are written.
std::vector<std::string> outputsOf(const ReportRequest& request) {
    std::vector<std::string> outputs;
    for (const std::string* path :
         {&request.excelPath, &request.wordPath, &request.wordPicturesPath})
        if (!path->empty())
            outputs.push_back(*path);
    return outputs;
}

// Two documents of one stem in one folder would want the same PDF.
bool pdfNamesClash(const std::vector<std::string>& outputs) {
    for (std::size_t i = 0; i < outputs.size(); ++i)
        for (std::size_t j = i + 1; j < outputs.size(); ++j)
            if (pdfPathFor(outputs[i]) == pdfPathFor(outputs[j]))
                return true;
    return false;
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
        if (arg == "--pdf" || arg == "--english") {
            (arg == "--pdf" ? request.pdf : request.english) = true;
            continue;
        }
        if (i + 1 >= args.size())
            return std::nullopt;
        const std::string& value = args[++i];
        if (arg == "--excel") {
            request.excelPath = value;
        } else if (arg == "--word") {
            request.wordPath = value;
        } else if (arg == "--maps") {
            request.mapsDir = value;
        } else if (arg == "--pictures") {
            request.picturesDir = value;
        } else if (arg == "--word-pictures") {
            request.wordPicturesPath = value;
        } else if (arg == "--exclude") {
            request.excluded.push_back(value);
        } else if (arg == "--area") {
            int area = 0;
            if (!parseArea(value, area))
                return std::nullopt;
            request.area = area;
        } else {
            return std::nullopt;
        }
    }
    const std::vector<std::string> outputs = outputsOf(request);
    // The English picture report shows every pile, so it takes no area.
    const bool picturesComplete =
        request.wordPicturesPath.empty() ||
        (!request.picturesDir.empty() && request.area.has_value() != request.english);
    const bool optionsFit = request.english ? request.mapsDir.empty() : request.excluded.empty();
    if (request.projectPath.empty() || outputs.empty() || !picturesComplete || !optionsFit ||
        (request.pdf && pdfNamesClash(outputs)))
        return std::nullopt;
    return request;
}

int reportFailure(const std::string& reason = scrivetLastError()) {
    std::cerr << "tarvel-cli report: " << reason << '\n';
    return 2;
}

int inputFailure(const std::string& message) {
    std::cerr << "tarvel-cli report: " << message << '\n';
    return 2;
}

// A folder that is named must be there: an empty map chapter or picture
// report from a mistyped name would pass unnoticed.
std::string missingFolder(const ReportRequest& request) {
    for (const std::string* dir : {&request.mapsDir, &request.picturesDir}) {
        std::error_code ec;
        if (!dir->empty() && !std::filesystem::is_directory(*dir, ec))
            return *dir + ": no such folder";
    }
    return {};
}

int writePdfs(const std::vector<std::string>& documents) {
    const std::string soffice = findSoffice();
    if (soffice.empty())
        return inputFailure("LibreOffice (soffice) is not on the PATH: no PDF was written; "
                            "the documents themselves were");
    for (const std::string& document : documents) {
        const std::string error = convertDocumentToPdf(soffice, document);
        if (!error.empty())
            return inputFailure(error);
    }
    return 0;
}

// Marks the piles named by --exclude; returns a name that matched no pile.
std::string excludePiles(const std::vector<std::string>& names, AreaFileList& files) {
    for (const std::string& name : names) {
        bool found = false;
        for (auto& file : files) {
            const std::string stem = std::filesystem::path(file->fileName).stem().string();
            if (name == decodeGbk(file->header.areaName) || name == file->fileName ||
                name == stem) {
                file->excluded = true;
                found = true;
            }
        }
        if (!found)
            return name;
    }
    return {};
}

// The documents of one run are written to temporaries beside their names
// and renamed into place only once every one is written: a failure leaves
// no finished document beside an error, and what a killed run leaves is
// removed by the next run in that folder.
class DocumentSet {
public:
    // Points each output of `request` at a temporary beside it.
    std::string prepare(ReportRequest& request) {
        for (std::string* path :
             {&request.excelPath, &request.wordPath, &request.wordPicturesPath}) {
            if (path->empty())
                continue;
            std::string folder;
            std::string name;
            splitPath(*path, folder, name);
            removeStaleTemporaries(folder);
            LockedTemporary temporary;
            if (std::string error = temporary.create(folder, name); !error.empty())
                return *path + ": " + error;
            destinations_.push_back(*path);
            *path = temporary.path();
            temporaries_.push_back(std::move(temporary));
        }
        return {};
    }

    // The library's reason, naming the documents rather than their
    // temporaries.
    std::string reasonOfFailure() const {
        std::string text = scrivetLastError();
        for (std::size_t i = 0; i < temporaries_.size(); ++i) {
            const std::string& temporary = temporaries_[i].path();
            for (std::size_t at; (at = text.find(temporary)) != std::string::npos;)
                text.replace(at, temporary.size(), destinations_[i]);
        }
        return text;
    }

    // The library replaces each temporary with a file of its own: lock that
    // one, so the next document's clean-up leaves it alone.
    std::string written() {
        for (LockedTemporary& temporary : temporaries_) {
            if (std::string error = temporary.relock(); !error.empty())
                return temporary.path() + ": " + error;
        }
        return {};
    }

    std::string commit() {
        for (std::size_t i = 0; i < temporaries_.size(); ++i) {
            if (std::rename(temporaries_[i].path().c_str(), destinations_[i].c_str()) != 0)
                return destinations_[i] + ": " + writeFailure("cannot replace the file", errno);
            temporaries_[i].forget();
        }
        return {};
    }

private:
    std::vector<LockedTemporary> temporaries_; // removed unless committed
    std::vector<std::string> destinations_;
};

int markExcludedPiles(const ReportRequest& request, ProjectLoad& project) {
    if (std::string unknown = excludePiles(request.excluded, project.files); !unknown.empty())
        return inputFailure(request.projectPath + ": there is no pile \"" + unknown + "\"");
    return 0;
}

int writeEnglishDocuments(const ReportRequest& request, ProjectLoad& project,
                          DocumentSet& documents) {
    if (!request.excelPath.empty() &&
        !openExcel_E(&project.info, &project.files, request.excelPath.c_str(), false))
        return reportFailure(documents.reasonOfFailure());
    if (std::string error = documents.written(); !error.empty())
        return inputFailure(error);
    if (!request.wordPath.empty() &&
        !openDoc1_E(scrivet::installedTemplatePath("report_en.docx").c_str(), &project.info,
                    &project.files, request.wordPath.c_str(), false))
        return reportFailure(documents.reasonOfFailure());
    if (std::string error = documents.written(); !error.empty())
        return inputFailure(error);
    if (!request.wordPicturesPath.empty() &&
        !openDoc2_E(request.picturesDir.c_str(), &project.info, &project.files,
                    request.wordPicturesPath.c_str(), false))
        return reportFailure(documents.reasonOfFailure());
    if (std::string error = documents.written(); !error.empty())
        return inputFailure(error);
    return 0;
}

int writeDocuments(const ReportRequest& request, ProjectLoad& project,
                   const AcceptanceCriteria* criteria, DocumentSet& documents) {
    if (!request.excelPath.empty() &&
        !openExcelJudged(&project.info, &project.files, criteria, request.excelPath.c_str(), false))
        return reportFailure(documents.reasonOfFailure());
    if (std::string error = documents.written(); !error.empty())
        return inputFailure(error);
    if (!request.wordPath.empty() &&
        !openDoc1Judged(scrivet::installedTemplatePath("report.docx").c_str(), &project.info,
                        &project.files, criteria, request.mapsDir.c_str(), request.wordPath.c_str(),
                        false))
        return reportFailure(documents.reasonOfFailure());
    if (std::string error = documents.written(); !error.empty())
        return inputFailure(error);
    if (!request.wordPicturesPath.empty() &&
        !openDoc2(request.picturesDir.c_str(), &project.info, &project.files, *request.area,
                  request.wordPicturesPath.c_str(), false))
        return reportFailure(documents.reasonOfFailure());
    if (std::string error = documents.written(); !error.empty())
        return inputFailure(error);
    return 0;
}

} // namespace

int runReportCommand(const std::vector<std::string>& args) {
    std::optional<ReportRequest> request = parseRequest(args);
    if (!request) {
        std::cerr << kUsage;
        return 1;
    }
    if (std::string missing = missingFolder(*request); !missing.empty())
        return inputFailure(missing);
    // The reports print results only, so each area's samples go before the
    // next area is read. A damaged area would make a report that silently
    // lacks it: refuse.
    ProjectLoad project = loadProjectResults(request->projectPath);
    std::string error = !project.projectError.empty()
                            ? request->projectPath + ": " + project.projectError
                        : !project.folderError.empty()
                            ? project.folderError
                            : (project.fileErrors.empty() ? std::string() : project.fileErrors[0]);
    if (!error.empty())
        return inputFailure(error);
    for (const SkippedEntry& entry : project.skipped)
        std::cerr << "tarvel-cli report: " << entry.path << ": skipped: " << entry.reason << '\n';
    if (request->english) {
        if (const int failed = markExcludedPiles(*request, project); failed != 0)
            return failed;
    }
    // A criteria file that cannot be read would print verdicts against
    // nothing: refuse it rather than judge silently without it.
    const AcceptanceRead acceptance =
        request->english ? AcceptanceRead{}
                         : readAcceptanceFile(acceptanceFilePath(request->projectPath));
    if (!acceptance.ok())
        return inputFailure(acceptance.error);
    if (!request->english && !request->wordPicturesPath.empty() &&
        *request->area >= static_cast<int>(project.files.size()))
        return inputFailure(request->projectPath + ": there is no area " +
                            std::to_string(*request->area) + " (the project has " +
                            std::to_string(project.files.size()) + ")");
    ReportRequest toTemporaries = *request;
    DocumentSet documents;
    if (std::string error = documents.prepare(toTemporaries); !error.empty())
        return inputFailure(error);
    const int failed =
        request->english
            ? writeEnglishDocuments(toTemporaries, project, documents)
            : writeDocuments(toTemporaries, project,
                             acceptance.found ? &acceptance.criteria : nullptr, documents);
    if (failed != 0)
        return failed;
    if (std::string error = documents.commit(); !error.empty())
        return inputFailure(error);
    return request->pdf ? writePdfs(outputsOf(*request)) : 0;
}

} // namespace tarvel
