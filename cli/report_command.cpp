#include "report_command.h"

#include "report_pictures.h"

#include "analysis/project_loader.h"
#include "data/acceptance_file.h"
#include "data/gbk_text.h"
#include "data/lab_profile.h"
#include "data/project_file.h"
#include "data/temporary_files.h"
#include "report/installed_template.h"
#include "report/pdf_conversion.h"
#include "report/scrivet.h"
#include "report/temporary_directory.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>

namespace tarvel {
namespace {

constexpr const char* kUsage =
    "usage: tarvel-cli report PATH.Prj [--excel FILE] [--word FILE] [--word-pictures FILE --area "
    "N]\n"
    "                         [--maps DIR] [--pictures DIR] [--lab FILE] [--lang zh|en] [--pdf]\n"
    "  --excel FILE          summary workbook (.xlsx)\n"
    "  --word FILE           test report (.docx) with the distribution map of every area\n"
    "  --word-pictures FILE  wave-picture report (.docx) of area N (from 1): its waves marked\n"
    "                        for printing\n"
    "  --maps DIR            maps dengzhi<n>.png (n from 1) to use instead of drawing them\n"
    "  --pictures DIR        wave pictures <area file>-<k>.png to use instead of drawing them\n"
    "  --lab FILE            the lab profile (default: lab.json in the configuration folder)\n"
    "  --lang zh|en          the documents' language (default zh)\n"
    "  --pdf                 also a PDF beside each document (LibreOffice)\n"
    "  each area is judged against PATH.acceptance.json (PATH without .Prj) when it is there\n"
    "   or: tarvel-cli report PATH.Prj --pile [--excel FILE] [--word FILE] [--word-pictures FILE]\n"
    "                         [--pictures DIR] [--exclude NAME]... [--lab FILE] [--pdf]\n"
    "  --pile                the pile integrity reports in English: every area is a pile\n"
    "  --exclude NAME        leaves the pile of that area name or file name out\n";

struct ReportRequest {
    std::string projectPath;
    std::string excelPath;
    std::string wordPath;
    std::string mapsDir;
    std::string picturesDir;
    std::string wordPicturesPath;
    std::string labPath;
    std::optional<int> area; // from 1
    bool english = false;
    bool pdf = false;
    bool pile = false;
    bool pileByOldName = false;        // --english
    std::vector<std::string> excluded; // area or file names
};

bool parseArea(const std::string& text, int& area) {
    try {
        std::size_t used = 0;
        area = std::stoi(text, &used);
        return used == text.size() && area >= 1;
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

// Two documents of one stem in one folder would want the same PDF: says so.
std::string pdfNamesClash(const std::vector<std::string>& outputs) {
    for (std::size_t i = 0; i < outputs.size(); ++i)
        for (std::size_t j = i + 1; j < outputs.size(); ++j)
            if (pdfPathFor(outputs[i]) == pdfPathFor(outputs[j]))
                return outputs[i] + " and " + outputs[j] + " would both make " +
                       pdfPathFor(outputs[i]);
    return {};
}

// Returns the request, or nothing when the arguments do not make one (with
// `why` set when there is more to say than the usage).
std::optional<ReportRequest> parseRequest(const std::vector<std::string>& args, std::string& why) {
    ReportRequest request;
    bool languageGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            if (!request.projectPath.empty())
                return std::nullopt;
            request.projectPath = arg;
            continue;
        }
        if (arg == "--pdf") {
            request.pdf = true;
            continue;
        }
        if (arg == "--pile" || arg == "--english") {
            request.pile = true;
            request.pileByOldName = request.pileByOldName || arg == "--english";
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
        } else if (arg == "--lab") {
            request.labPath = value;
        } else if (arg == "--lang") {
            if (value != "zh" && value != "en")
                return std::nullopt;
            request.english = value == "en";
            languageGiven = true;
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
    // The pile picture report shows every pile, so it takes no area.
    const bool picturesComplete =
        request.wordPicturesPath.empty() || request.area.has_value() != request.pile;
    const bool optionsFit =
        request.pile ? request.mapsDir.empty() && !languageGiven : request.excluded.empty();
    if (request.pdf)
        why = pdfNamesClash(outputs);
    if (request.projectPath.empty() || outputs.empty() || !picturesComplete || !optionsFit ||
        !why.empty())
        return std::nullopt;
    return request;
}

int failure(const std::string& message) {
    std::cerr << "tarvel-cli report: " << message << '\n';
    return 2;
}

int reportFailure(const std::string& reason = scrivetLastError()) {
    return failure(reason);
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

// A folder that is named must be there: pictures from a mistyped name would
// be drawn instead without a word.
std::string missingFolder(const ReportRequest& request) {
    for (const std::string* dir : {&request.mapsDir, &request.picturesDir}) {
        std::error_code ec;
        if (!dir->empty() && !std::filesystem::is_directory(*dir, ec))
            return *dir + ": no such folder";
    }
    return {};
}

// All PDFs in one LibreOffice run; a missing font is said once.
int writePdfs(const std::vector<std::string>& documents) {
    const std::string soffice = findSoffice();
    if (soffice.empty())
        return failure("LibreOffice (soffice) is not on the PATH: no PDF was written; "
                       "the documents themselves were");
    const PdfRun run = convertDocumentsToPdf(soffice, documents);
    if (!run.fontWarning.empty())
        std::cerr << "tarvel-cli report: " << run.fontWarning << '\n';
    for (const std::string& line : run.failures)
        std::cerr << "tarvel-cli report: " << line << '\n';
    return run.failures.empty() ? 0 : 2;
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

// A folder of pictures that lives as long as the command.
struct PictureFolder {
    TemporaryDirectory dir{temporaryPattern("tarvel-report-")};
};

int writePileReports(const ReportRequest& request, ProjectLoad& project,
                     const ScrivetSettings& base, const PictureSources& sources,
                     DocumentSet& documents) {
    if (std::string unknown = excludePiles(request.excluded, project.files); !unknown.empty())
        return failure(request.projectPath + ": there is no pile \"" + unknown + "\"");
    ScrivetSettings settings = base;
    if (!request.excelPath.empty() && !openExcel_EWith(&project.info, &project.files, &settings,
                                                       request.excelPath.c_str(), false))
        return reportFailure(documents.reasonOfFailure());
    if (std::string error = documents.written(); !error.empty())
        return failure(error);
    if (!request.wordPath.empty() &&
        !openDoc1_EWith(scrivet::installedTemplatePath("report_en.docx").c_str(), &project.info,
                        &project.files, &settings, request.wordPath.c_str(), false))
        return reportFailure(documents.reasonOfFailure());
    if (std::string error = documents.written(); !error.empty())
        return failure(error);
    if (!request.wordPicturesPath.empty()) {
        PictureFolder pictures;
        if (!pictures.dir.ok())
            return failure("cannot create a temporary folder for the pictures");
        if (std::string error = gatherPileWaves(project, sources, pictures.dir.path());
            !error.empty())
            return failure(error);
        settings.pictureDir = pictures.dir.path().c_str();
        if (!openDoc2_EWith(&project.info, &project.files, &settings,
                            request.wordPicturesPath.c_str(), false))
            return reportFailure(documents.reasonOfFailure());
    }
    return 0;
}

int writeReports(const ReportRequest& request, ProjectLoad& project, const ScrivetSettings& base,
                 const PictureSources& mapSources, const PictureSources& waveSources,
                 DocumentSet& documents) {
    ScrivetSettings settings = base;
    if (!request.excelPath.empty() &&
        !openExcelWith(&project.info, &project.files, &settings, request.excelPath.c_str(), false))
        return reportFailure(documents.reasonOfFailure());
    if (std::string error = documents.written(); !error.empty())
        return failure(error);
    if (!request.wordPath.empty()) {
        PictureFolder maps;
        // Without a painter and without --maps the report has no map chapter.
        const bool withMaps = mapSources.painter != nullptr || !mapSources.overrides.empty();
        if (withMaps) {
            if (!maps.dir.ok())
                return failure("cannot create a temporary folder for the maps");
            if (std::string error =
                    gatherMaps(project.files, settings.criteria, mapSources, maps.dir.path());
                !error.empty())
                return failure(error);
        }
        settings.pictureDir = withMaps ? maps.dir.path().c_str() : nullptr;
        if (!openDoc1With(scrivet::installedTemplatePath("report.docx").c_str(), &project.info,
                          &project.files, &settings, request.wordPath.c_str(), false))
            return reportFailure(documents.reasonOfFailure());
    }
    if (std::string error = documents.written(); !error.empty())
        return failure(error);
    if (!request.wordPicturesPath.empty()) {
        const std::size_t area = static_cast<std::size_t>(*request.area);
        PictureFolder pictures;
        if (!pictures.dir.ok())
            return failure("cannot create a temporary folder for the pictures");
        if (std::string error =
                gatherAreaWaves(project, area - 1, waveSources, pictures.dir.path());
            !error.empty())
            return failure(error);
        settings.pictureDir = pictures.dir.path().c_str();
        if (!openDoc2With(&project.info, &project.files, static_cast<int32_t>(area - 1), &settings,
                          request.wordPicturesPath.c_str(), false))
            return reportFailure(documents.reasonOfFailure());
    }
    return 0;
}

} // namespace

int runReportCommand(const std::vector<std::string>& args) {
    std::string why;
    std::optional<ReportRequest> request = parseRequest(args, why);
    const std::unique_ptr<ReportPainter> painter =
        request ? makeReportPainter(request->english || request->pile) : nullptr;
    return runReportCommand(args, painter.get());
}

int runReportCommand(const std::vector<std::string>& args, ReportPainter* painter) {
    std::string why;
    std::optional<ReportRequest> request = parseRequest(args, why);
    if (!request) {
        if (!why.empty())
            std::cerr << "tarvel-cli report: " << why << '\n';
        std::cerr << kUsage;
        return 1;
    }
    if (request->pileByOldName)
        std::cerr << "tarvel-cli report: --english is now --pile (the English drop-ball "
                     "documents are --lang en)\n";
    if (std::string missing = missingFolder(*request); !missing.empty())
        return failure(missing);

    // The lab: the named profile must be there; the user's may be missing.
    const std::string labPath =
        request->labPath.empty() ? defaultLabProfilePath() : request->labPath;
    const LabProfileRead lab = labPath.empty() ? LabProfileRead{} : readLabProfile(labPath);
    if (!lab.ok())
        return failure(lab.error);
    if (!request->labPath.empty() && !lab.found)
        return failure(request->labPath + ": no such lab profile");

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
        return failure(error);

    for (const SkippedEntry& entry : project.skipped)
        std::cerr << "tarvel-cli report: " << entry.path << ": skipped: " << entry.reason << '\n';

    ScrivetSettings settings{nullptr, lab.found ? &lab.lab : nullptr, nullptr,
                             request->english ? ScrivetEnglish : ScrivetChinese};
    // A criteria file that cannot be read would print verdicts against
    // nothing: refuse it rather than judge silently without it.
    const AcceptanceRead acceptance =
        request->pile ? AcceptanceRead{}
                      : readAcceptanceFile(acceptanceFilePath(request->projectPath));
    if (!acceptance.ok())
        return failure(acceptance.error);
    settings.criteria = acceptance.found ? &acceptance.criteria : nullptr;
    if (!request->pile && !request->wordPicturesPath.empty() &&
        static_cast<std::size_t>(*request->area) > project.files.size())
        return failure(request->projectPath + ": there is no area " +
                       std::to_string(*request->area) + " (the project has " +
                       std::to_string(project.files.size()) + ")");

    ReportRequest toTemporaries = *request;
    DocumentSet documents;
    if (std::string error = documents.prepare(toTemporaries); !error.empty())
        return failure(error);
    const int failed =
        request->pile ? writePileReports(toTemporaries, project, settings,
                                         {painter, request->picturesDir}, documents)
                      : writeReports(toTemporaries, project, settings, {painter, request->mapsDir},
                                     {painter, request->picturesDir}, documents);
    if (failed != 0)
        return failed;
    if (std::string error = documents.commit(); !error.empty())
        return failure(error);
    return request->pdf ? writePdfs(outputsOf(*request)) : 0;
}

} // namespace tarvel
