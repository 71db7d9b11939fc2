// tarvel-cli analyze: the marks and results of every point, as JSON, CSV or text.
#include "analysis/results.h"
#include "cli_common.h"
#include "data/clean_text.h"
#include "data/gbk_text.h"
#include "json_writer.h"

#include <iostream>
#include <sstream>

namespace tarvel::cli {
namespace {

struct Column {
    const char* name;
    double (*get)(const MeasurePoint&);
};

// The per-point numbers, in output order, shared by JSON and CSV.
const Column kColumns[] = {
    {"startMs", [](const MeasurePoint& p) { return p.startMarkMs; }},
    {"endMs", [](const MeasurePoint& p) { return p.endMarkMs; }},
    {"peakMs", [](const MeasurePoint& p) { return p.peakTime; }},
    {"peakAccel", [](const MeasurePoint& p) { return p.peakValue; }},
    {"tc", [](const MeasurePoint& p) { return p.results.tc; }},
    {"settlement", [](const MeasurePoint& p) { return p.results.settlement; }},
    {"impactForce", [](const MeasurePoint& p) { return p.results.impactForce; }},
    {"contactDiameter", [](const MeasurePoint& p) { return p.results.contactDiameter; }},
    {"deformationModulus", [](const MeasurePoint& p) { return p.results.deformationModulus; }},
    {"k30", [](const MeasurePoint& p) { return p.results.k30; }},
    {"cbr", [](const MeasurePoint& p) { return p.results.cbr; }},
    {"resilientModulus", [](const MeasurePoint& p) { return p.results.resilientModulus; }},
    {"deflection", [](const MeasurePoint& p) { return p.results.deflection; }},
    {"dryDensity", [](const MeasurePoint& p) { return p.results.dryDensity; }},
    {"compactionDegree", [](const MeasurePoint& p) { return p.results.compactionDegree; }},
    {"relativeDensity", [](const MeasurePoint& p) { return p.results.relativeDensity; }},
};

void writeAreaJson(JsonWriter& json, const NamePipeFile& file) {
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
            json.value(column.get(point));
        }
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

std::string csvField(const std::string& raw) {
    const std::string text = cleanText(raw);
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
    out << "\r\n";
}

void writeAreaCsv(std::ostream& out, const NamePipeFile& file) {
    for (std::size_t index = 0; index < file.points.size(); ++index) {
        const MeasurePoint& point = file.points[index];
        if (point.isDeleted())
            continue;
        out << csvField(file.fileName) << ',' << index << ',' << point.header.pointNo << ','
            << point.header.pointColumn;
        for (const Column& column : kColumns) {
            std::string number = jsonNumber(column.get(point));
            out << ',' << (number == "null" ? "" : number); // an empty cell for non-finite
        }
        out << "\r\n";
    }
}

void writeAreaText(std::ostream& out, const NamePipeFile& file) {
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
    }
    AreaMeans means = computeAreaMeans(file);
    out << "\n测区变形模量(MPa): "
        << (means.valid ? formatFixed(means.deformationModulus, 2) : std::string("-")) << '\n'
        << "测区回弹模量(MPa): "
        << (means.valid ? formatFixed(means.resilientModulus, 2) : std::string("-")) << '\n';
}

} // namespace

int runAnalyzeCommand(const std::vector<std::string>& args) {
    std::string path;
    std::string format = "json";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format" && i + 1 < args.size())
            format = args[++i];
        else if (args[i].rfind("--format=", 0) == 0)
            format = args[i].substr(9);
        else if (path.empty() && args[i].rfind("--", 0) != 0)
            path = args[i];
        else
            throw std::invalid_argument("unexpected argument '" + args[i] + "'");
    }
    if (path.empty())
        throw std::invalid_argument("analyze needs a .pip or .Prj path");
    if (format != "json" && format != "csv" && format != "text")
        throw std::invalid_argument("unknown format '" + format + "' (json, csv or text)");

    InputKind kind = inputKindOf(path);
    if (kind == InputKind::Unknown)
        throw InputError{path + ": not a .pip area file or a .Prj project file"};

    // Everything is loaded before anything is printed: a failure prints no
    // partial result.
    std::ostringstream out;
    if (kind == InputKind::AreaFile) {
        auto file = loadAreaOrThrow(path);
        if (format == "json") {
            JsonWriter json(out);
            writeAreaJson(json, *file);
            out << '\n';
        } else if (format == "csv") {
            writeCsvHeader(out);
            writeAreaCsv(out, *file);
        } else {
            writeAreaText(out, *file);
        }
    } else {
        ProjectLoad project = loadProjectOrThrow(path);
        if (format == "json") {
            JsonWriter json(out);
            json.beginObject();
            json.key("projectName");
            json.value(decodeGbk(project.info.projectName));
            json.key("areas");
            json.beginArray();
            for (const auto& file : project.files)
                writeAreaJson(json, *file);
            json.endArray();
            json.endObject();
            out << '\n';
        } else if (format == "csv") {
            writeCsvHeader(out);
            for (const auto& file : project.files)
                writeAreaCsv(out, *file);
        } else {
            out << "工程: " << cleanText(decodeGbk(project.info.projectName)) << '\n';
            for (const auto& file : project.files) {
                out << '\n';
                writeAreaText(out, *file);
            }
        }
    }
    std::cout << out.str();
    return std::cout.flush() ? kSuccess : kBadInput;
}

} // namespace tarvel::cli
