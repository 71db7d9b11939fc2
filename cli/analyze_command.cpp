// tarvel-cli analyze: the marks, results and quality flags of every point and
// the acceptance of every area, as JSON, CSV or text.
#include "analysis/ordered_work.h"
#include "analysis/result_fields.h"
#include "analysis/results.h"
#include "cli_common.h"
#include "data/clean_text.h"
#include "data/gbk_text.h"
#include "fit_output.h"
#include "held_output.h"
#include "json_writer.h"
#include "quality_output.h"

#include <cmath>
#include <iostream>
#include <set>
#include <string_view>
#include <vector>

namespace tarvel::cli {
namespace {

struct Column {
    const char* name;
    double MeasurePoint::*mark;          // a mark of the point, or
    const ResultField* result = nullptr; // one of its results
    double of(const MeasurePoint& p) const { return result ? p.results.*result->value : p.*mark; }
};

// The per-point numbers, in output order, shared by JSON and CSV: the marks,
// then the results as the result table lists them.
const std::vector<Column> kColumns = [] {
    std::vector<Column> columns = {
        {"startMs", &MeasurePoint::startMarkMs},
        {"endMs", &MeasurePoint::endMarkMs},
        {"peakMs", &MeasurePoint::peakTime},
        {"peakAccel", &MeasurePoint::peakValue},
    };
    for (const ResultField& field : kResultFields)
        columns.push_back({field.key, nullptr, &field});
    return columns;
}();

void writeAreaJson(JsonWriter& json, const NamePipeFile& file, const AreaRequirement& requirement) {
    AreaMeans means = computeAreaMeans(file);
    json.beginObject();
    json.key("fileName");
    json.value(file.fileName);
    json.key("sampleCount");
    json.value(file.sampleCount());
    json.key("pointCount");
    json.value(file.pointCount());
    json.key("areaDeformationModulus");
    means.valid ? json.value(means.deformationModulus) : json.null();
    json.key("areaResilientModulus");
    means.valid ? json.value(means.resilientModulus) : json.null();
    json.key("points");
    json.beginArray();
    for (std::size_t index = 0; index < file.points.size(); ++index) {
        const MeasurePoint& point = file.points[index];
        if (point.isDeleted())
            continue;
        json.beginObject();
        json.key("index");
        json.value(static_cast<int>(index));
        json.key("pointNo");
        json.value(point.header.pointNo);
        json.key("pointColumn");
        json.value(point.header.pointColumn);
        for (const Column& column : kColumns) {
            json.key(column.name);
            json.value(column.of(point));
        }
        writeFlagsJson(json, point.results.flags);
        writeFitJson(json, point);
        json.endObject();
    }
    json.endArray();
    writeAcceptanceJson(json, judgeArea(file, requirement));
    writeCalibrationJson(json, computeAreaCalibration(file));
    json.endObject();
}

std::string csvField(const std::string& raw) {
    std::string text = cleanText(raw);
    // A spreadsheet would run a cell beginning like a formula ("=HYPERLINK(...)"
    // as a file name): the apostrophe makes it text, as spreadsheets agree.
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        text.insert(0, 1, '\'');
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void writeCsvHeader(std::ostream& out) {
    out << "fileName,index,pointNo,pointColumn";
    for (const Column& column : kColumns)
        out << ',' << column.name;
    out << ",flags" << fitCsvHeader() << "\r\n";
}

void writeAreaCsv(std::ostream& out, const NamePipeFile& file) {
    for (std::size_t index = 0; index < file.points.size(); ++index) {
        const MeasurePoint& point = file.points[index];
        if (point.isDeleted())
            continue;
        out << csvField(file.fileName) << ',' << index << ',' << point.header.pointNo << ','
            << point.header.pointColumn;
        for (const Column& column : kColumns) {
            std::string number = jsonNumber(column.of(point));
            out << ',' << (number == "null" ? "" : number); // an empty cell for non-finite
        }
        out << ',' << flagsCsvField(point.results.flags) << fitCsvFields(point.results) << "\r\n";
    }
}

void writeAreaText(std::ostream& out, const NamePipeFile& file,
                   const AreaRequirement& requirement) {
    out << "测区文件: " << cleanText(file.fileName) << "  ("
        << cleanText(decodeGbk(file.header.areaName)) << ", " << file.pointCount() << " 测点)\n";
    for (std::size_t index = 0; index < file.points.size(); ++index) {
        const MeasurePoint& point = file.points[index];
        if (point.isDeleted())
            continue;
        out << "\n测点 " << index + 1 << " (行 " << point.header.pointNo << ", 列 "
            << point.header.pointColumn << ")\n";
        for (const std::string& line : resultLines(point.results))
            out << "  " << line << '\n';
        out << "  " << fitResultLine(point.results) << '\n';
        if (point.results.flags.any())
            out << "  " << flagsTextLine(point.results.flags) << '\n';
    }
    AreaMeans means = computeAreaMeans(file);
    out << "\n测区变形模量(MPa): "
        << (means.valid ? formatFixed(means.deformationModulus, 2) : std::string("-"))
        << " (调和平均)\n"
        << "测区回弹模量(MPa): "
        << (means.valid ? formatFixed(means.resilientModulus, 2) : std::string("-"))
        << " (调和平均)\n";
    writeAcceptanceText(out, judgeArea(file, requirement));
    writeCalibrationText(out, computeAreaCalibration(file));
}

double requiredModulus(const std::string& option, const std::string& value) {
    std::size_t used = 0;
    double mpa = 0;
    try {
        mpa = std::stod(value, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != value.size() || !(mpa > 0) || !std::isfinite(mpa))
        throw std::invalid_argument(option + " needs a positive modulus in MPa, not '" + value +
                                    "'");
    return mpa;
}

struct AnalyzeOptions {
    std::string path;
    std::string format = "json";
    AcceptanceOverrides overrides;
    bool failOnError = false;
};

AnalyzeOptions parseOptions(const std::vector<std::string>& args) {
    AnalyzeOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--format" && hasValue) {
            options.format = args[++i];
        } else if (arg.rfind("--format=", 0) == 0) {
            options.format = arg.substr(9);
        } else if (arg == "--require-ed" && hasValue) {
            options.overrides.deformationModulus = requiredModulus(arg, args[++i]);
        } else if (arg == "--require-er" && hasValue) {
            options.overrides.resilientModulus = requiredModulus(arg, args[++i]);
        } else if (arg == "--guarantee" && hasValue) {
            const std::string& rate = args[++i];
            if (rate != "95" && rate != "90")
                throw std::invalid_argument("--guarantee takes 95 or 90, not '" + rate + "'");
            options.overrides.guaranteeRate = rate == "95" ? 0.95 : 0.90;
        } else if (arg == "--fail-on" && hasValue) {
            if (args[++i] != "error")
                throw std::invalid_argument("--fail-on takes only 'error'");
            options.failOnError = true;
        } else if (options.path.empty() && arg.rfind("--", 0) != 0) {
            options.path = arg;
        } else {
            throw std::invalid_argument("unexpected argument '" + arg + "'");
        }
    }
    if (options.path.empty())
        throw std::invalid_argument("analyze needs a .pip or .Prj path");
    if (options.format != "json" && options.format != "csv" && options.format != "text")
        throw std::invalid_argument("unknown format '" + options.format + "' (json, csv or text)");
    return options;
}

// The project's criteria file, when there is one; a bad one stops the run
// before any area is loaded.
AcceptanceCriteria projectCriteria(const std::string& projectPath) {
    AcceptanceRead read = readAcceptanceFile(acceptanceFilePath(projectPath));
    if (!read.ok())
        throw InputError{read.error};
    return read.criteria;
}

void warnUnusedCriteria(const std::string& projectPath, const AcceptanceCriteria& criteria,
                        const AreaFileList& files) {
    std::set<std::string> names;
    for (const auto& file : files)
        names.insert(file->fileName);
    for (const auto& [name, area] : criteria.areas)
        if (!names.count(name))
            std::cerr << "tarvel-cli: " << acceptanceFilePath(projectPath) << ": no area file "
                      << name << " in the project; its criteria are not used\n";
}

bool anyErrorFlag(const NamePipeFile& file) {
    for (const MeasurePoint& point : file.points)
        if (!point.isDeleted() && point.results.flags.hasError())
            return true;
    return false;
}

// Formats areas one after another into `out`, with the project's frame
// around them when there is a project.
class AnalysisWriter {
public:
    AnalysisWriter(std::ostream& out, const std::string& format, const std::string* projectName)
        : out_(out), format_(format), projectName_(projectName), json_(out) {
        if (format_ == "json" && projectName_) {
            json_.beginObject();
            json_.key("projectName");
            json_.value(*projectName_);
            json_.key("areas");
            json_.beginArray();
        } else if (format_ == "csv") {
            writeCsvHeader(out_);
        } else if (format_ == "text" && projectName_) {
            out_ << "工程: " << *projectName_ << '\n';
        }
    }

    void area(const NamePipeFile& file, const AreaRequirement& requirement) {
        if (format_ == "json") {
            writeAreaJson(json_, file, requirement);
        } else if (format_ == "csv") {
            writeAreaCsv(out_, file);
        } else {
            if (projectName_)
                out_ << '\n';
            writeAreaText(out_, file, requirement);
        }
    }

    void finish() {
        if (format_ != "json")
            return;
        if (projectName_) {
            json_.endArray();
            json_.endObject();
        }
        out_ << '\n';
    }

private:
    std::ostream& out_;
    const std::string& format_;
    const std::string* projectName_;
    JsonWriter json_;
};

} // namespace

int runAnalyzeCommand(const std::vector<std::string>& args) {
    const AnalyzeOptions options = parseOptions(args);
    const std::string& path = options.path;
    InputKind kind = inputKindOf(path);
    if (kind == InputKind::Unknown)
        throw InputError{path + ": not a .pip area file or a .Prj project file"};

    // Areas are conditioned a few at a time, each worker reusing its own
    // record, and formatted in the project's order: memory follows a few
    // areas, not the project. The output is held until every area has gone
    // through, so a failure prints no partial result.
    HeldOutput held;
    std::ostream out(&held);
    bool flagged = false;
    if (kind == InputKind::AreaFile) {
        // A lone area file has no project and so no criteria file.
        std::unique_ptr<NamePipeFile> file = loadAreaOrThrow(path, true);
        AnalysisWriter writer(out, options.format, nullptr);
        writer.area(*file, applyOverrides(requirementFor({}, file->fileName), options.overrides));
        writer.finish();
        flagged = anyErrorFlag(*file);
    } else {
        ProjectLoad project = listProjectOrThrow(path);
        const AcceptanceCriteria criteria = projectCriteria(path);
        const std::string projectName = cleanText(decodeGbk(project.info.projectName));
        AnalysisWriter writer(out, options.format, &projectName);
        struct Worker {
            NamePipeFile area;
            ConditioningWorkspace workspace;
        };
        const int workers = workerCount();
        std::vector<Worker> slots(static_cast<std::size_t>(workers));
        runInOrder(
            project.files.size(), workers,
            [&](std::size_t item, int worker) {
                Worker& slot = slots[static_cast<std::size_t>(worker)];
                slot.area.dirPath = project.files[item]->dirPath;
                slot.area.fileName = project.files[item]->fileName;
                loadProjectAreaResultsOrThrow(slot.area, slot.workspace);
            },
            [&](std::size_t, int worker) {
                const NamePipeFile& area = slots[static_cast<std::size_t>(worker)].area;
                writer.area(area, applyOverrides(requirementFor(criteria, area.fileName),
                                                 options.overrides));
                flagged |= anyErrorFlag(area);
            });
        writer.finish();
        warnUnusedCriteria(path, criteria, project.files);
    }
    if (!held.writeTo(std::cout))
        return kBadInput;
    return options.failOnError && flagged ? kErrorFlagged : kSuccess;
}

} // namespace tarvel::cli
