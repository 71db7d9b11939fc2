#include "report_fixture.h"

#include "analysis/area_loader.h"
#include "data/gbk_text.h"
#include "data/project_file.h"
#include "report/pdf_conversion.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace tarvel::testing {
namespace {

std::string quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct PipeCloser {
    void operator()(FILE* pipe) const { pclose(pipe); }
};

// Runs a shell command and returns its standard output; fails the test when
// the command fails.
std::string runCommand(const std::string& command) {
    std::unique_ptr<FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::string output;
    std::array<char, 4096> buffer{};
    std::size_t count = 0;
    while ((count = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0)
        output.append(buffer.data(), count);
    const int status = pclose(pipe.release());
    if (status != 0)
        throw std::runtime_error("command failed (" + std::to_string(status) + "): " + command);
    return output;
}

std::string unescape(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            text += field[i];
            continue;
        }
        const char next = field[++i];
        text += next == 't' ? '\t' : next == 'n' ? '\n' : next;
    }
    return text;
}

} // namespace

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "scrivet-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch directory");
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string ScratchDir::subdir(const std::string& name) const {
    const std::string dir = file(name);
    std::filesystem::create_directories(dir);
    return dir;
}

SyntheticArea syntheticArea(const std::string& name, int rows, int columns,
                            const std::string& pattern) {
    SyntheticArea area;
    area.areaName = name;
    area.rows = rows;
    area.columns = columns;
    area.sampleCount = 1024;
    area.moduliMPa = modulusPattern(pattern, rows, columns, 7);
    return area;
}

LoadedProject makeProject(const std::string& dir, const std::vector<SyntheticArea>& areas) {
    SyntheticProject project;
    project.areas = areas;
    const std::string error = writeSyntheticProject(dir, project);
    if (!error.empty())
        throw std::runtime_error(error);
    LoadedProject loaded;
    loaded.projectFile = dir + "/" + project.projectFileName;
    readProjectFile(loaded.projectFile, loaded.info);
    for (const SyntheticArea& area : areas) {
        auto file = std::make_unique<NamePipeFile>();
        file->fileName = area.areaName + ".pip";
        file->dirPath = dir + "/";
        loadAreaFile(file->path(), *file);
        if (!file->loadError.empty())
            throw std::runtime_error(file->loadError);
        loaded.areas.push_back(std::move(file));
    }
    return loaded;
}

LoadedProject makePileProject(const std::string& dir, const std::vector<PileFields>& piles) {
    std::vector<SyntheticArea> areas;
    for (const PileFields& pile : piles)
        areas.push_back(syntheticArea(pile.number, 1, 2));
    LoadedProject project = makeProject(dir, areas);
    project.info.hiddenInt1 = 40;
    project.info.hiddenFloat = 12.0f;
    project.info.hiddenInt2 = 800;
    encodeGbk("C30", project.info.hiddenGrade);
    encodeGbk("Bored", project.info.pileKind);
    if (std::string error = writeProjectFile(project.projectFile, project.info); !error.empty())
        throw std::runtime_error(error);
    for (std::size_t i = 0; i < piles.size(); ++i) {
        const PileFields& pile = piles[i];
        NamePipeFile& file = *project.areas[i];
        PipHeader& h = file.header;
        encodeGbk(pile.classText, h.pileClass);
        encodeGbk(pile.sectionShape, h.sectionShape);
        encodeGbk(pile.strengthGrade, h.strengthGrade);
        encodeGbk(pile.pileType, h.pileType);
        encodeGbk("20261001", h.buildDate);
        encodeGbk("20261120", h.testDate);
        h.waveSpeed = pile.waveSpeed;
        h.pileLength = pile.length;
        h.pileWidth = pile.width;
        h.pileBreadth = pile.breadth;
        h.longitude = 116.39748f;
        h.latitude = 39.90872f;
        h.elevation = 43.6f;
        for (std::size_t d = 0; d < 10; ++d)
            h.defectLegend[d].position = d < pile.defects.size() ? pile.defects[d] : 0.0f;
        for (std::size_t p = 0; p < file.points.size(); ++p)
            file.points[p].header.printMark = static_cast<int>(p) < pile.printedPoints ? 2 : 0;
        if (std::string error = writeAreaFile(file, file.path()); !error.empty())
            throw std::runtime_error(error);
    }
    return project;
}

void writePng(const std::string& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::blue, 2));
    QPointF previous(0, height / 2.0);
    for (int x = 1; x < width; ++x) {
        const double t = (x - width * 0.4) / (width * 0.05);
        const QPointF point(x, height / 2.0 - height * 0.35 * std::exp(-t * t) * std::cos(t * 3));
        painter.drawLine(previous, point);
        previous = point;
    }
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, width - 1, height - 1);
    painter.end();
    if (!image.save(QString::fromStdString(path), "PNG"))
        throw std::runtime_error("cannot write " + path);
}

void writeWavePictures(const std::string& dir, const std::string& fileName, int count) {
    for (int n = 1; n <= count; ++n)
        writePng(dir + "/" + fileName + "-" + std::to_string(n) + ".png", 800, 400);
}

OfficeFacts::OfficeFacts(const std::string& kind, const std::string& path) {
    std::istringstream lines(runCommand(std::string(TARVEL_PYTHON) + " " +
                                        quote(READ_OFFICE_SCRIPT) + " " + kind + " " +
                                        quote(path)));
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab = line.find('\t'); tab != std::string::npos;
             start = tab + 1, tab = line.find('\t', start))
            fields.push_back(unescape(line.substr(start, tab - start)));
        fields.push_back(unescape(line.substr(start)));
        rows_.push_back(std::move(fields));
    }
}

std::vector<std::vector<std::string>> OfficeFacts::rows(const std::vector<std::string>& key) const {
    std::vector<std::vector<std::string>> matching;
    for (const auto& row : rows_)
        if (row.size() >= key.size() && std::equal(key.begin(), key.end(), row.begin()))
            matching.push_back(row);
    return matching;
}

std::string OfficeFacts::value(const std::vector<std::string>& key) const {
    for (const auto& row : rows(key))
        if (row.size() > key.size())
            return row[key.size()];
    return "<none>";
}

std::string OfficeFacts::tableStartingWith(const std::string& text, int occurrence) const {
    for (const auto& row : rows({"cell"}))
        if (row.size() == 5 && row[1].find('.') == std::string::npos && row[2] == "1" &&
            row[3] == "1" && row[4] == text && --occurrence == 0)
            return row[1];
    return "<none>";
}

std::string OfficeFacts::allText() const {
    std::string text;
    for (const auto& row : rows_) {
        const std::string& kind = row[0];
        if (kind == "paragraph" || kind == "cell" || kind == "title" || kind == "sheet")
            text += row.back() + "\n";
        else if ((kind == "footer" || kind == "header") && row.size() > 2)
            text += row[2] + "\n";
    }
    return text;
}

bool haveSoffice() {
    return std::system("command -v soffice >/dev/null 2>&1") == 0;
}

std::string convertToPdf(const std::string& file) {
    // As the program converts: its own profile and fonts.
    const PdfRun run = convertDocumentsToPdf(findSoffice(), {file});
    if (!run.failures.empty())
        throw std::runtime_error(run.failures.front());
    return pdfPathFor(file);
}

int pdfPageCount(const std::string& pdf) {
    std::istringstream info(runCommand("pdfinfo " + quote(pdf)));
    std::string line;
    while (std::getline(info, line))
        if (line.rfind("Pages:", 0) == 0)
            return std::stoi(line.substr(6));
    return -1;
}

std::vector<std::string> pdfPageTexts(const std::string& pdf, bool layout) {
    std::vector<std::string> pages;
    for (int page = 1, count = pdfPageCount(pdf); page <= count; ++page) {
        const std::string number = std::to_string(page);
        pages.push_back(runCommand("pdftotext " + std::string(layout ? "-layout " : "") + "-f " +
                                   number + " -l " + number + " " + quote(pdf) + " -"));
    }
    return pages;
}

std::vector<int> pdfPicturesPerPage(const std::string& pdf) {
    std::vector<int> perPage(static_cast<std::size_t>(pdfPageCount(pdf)), 0);
    std::istringstream list(runCommand("pdfimages -list " + quote(pdf)));
    std::string line;
    // Two header lines, then "page num type ..." rows; soft masks are not pictures.
    std::getline(list, line);
    std::getline(list, line);
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        int page = 0;
        int number = 0;
        std::string type;
        if (fields >> page >> number >> type && type == "image" && page >= 1 &&
            page <= static_cast<int>(perPage.size()))
            ++perPage[static_cast<std::size_t>(page - 1)];
    }
    return perPage;
}

} // namespace tarvel::testing
