// libFuzzer target: hostile texts through the report and JSON writers.
//
// The input is a project record, then an area header, then the area's file
// name. The test report, the summary workbook and the JSON strings built
// from them must hold only what their formats allow: well-formed XML 1.0
// without forbidden characters or references to them, valid UTF-8.
#include "cli/json_writer.h"
#include "data/clean_text.h"
#include "report/excel_summary.h"
#include "report/modulus_report.h"
#include "report/xlsx_writer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <pugixml.hpp>
#include <string>
#include <unistd.h>

namespace {

using namespace tarvel;

// Valid UTF-8 without control characters other than tab, newline and the
// carriage return of line ends, which cleanText would have replaced.
void requireCleanText(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    if (cleanText(text) != text)
        std::abort();
}

// Numeric references to characters XML 1.0 forbids are as fatal as the
// characters themselves.
void requireNoForbiddenReferences(const std::string& xml) {
    for (std::size_t at = xml.find("&#"); at != std::string::npos; at = xml.find("&#", at + 2)) {
        const bool hex = at + 2 < xml.size() && xml[at + 2] == 'x';
        const long code = std::strtol(xml.c_str() + at + (hex ? 3 : 2), nullptr, hex ? 16 : 10);
        if (code < 0x20 && code != '\t' && code != '\n' && code != '\r')
            std::abort();
    }
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void requireWellFormedXml(const std::string& name, const std::string& content) {
    if (!endsWith(name, ".xml") && !endsWith(name, ".rels"))
        return;
    pugi::xml_document document;
    if (!document.load_buffer(content.data(), content.size()))
        std::abort();
    requireCleanText(content);
    requireNoForbiddenReferences(content);
}

const scrivet::ZipEntries& reportTemplate() {
    static const scrivet::ZipEntries entries = scrivet::readZipFile(REPORT_TEMPLATE);
    return entries;
}

std::string scratchWorkbookPath() {
    return "/tmp/tarvel-text-fuzz-" + std::to_string(getpid()) + ".xlsx";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    ProjectInfo project{};
    std::size_t used = std::min(size, sizeof project);
    std::memcpy(&project, data, used);

    auto area = std::make_unique<NamePipeFile>();
    const std::size_t headerBytes = std::min(size - used, sizeof area->header);
    std::memcpy(&area->header, data + used, headerBytes);
    used += headerBytes;
    area->header.pointCount = 0; // the texts are under test, not the samples
    area->fileName.assign(reinterpret_cast<const char*>(data) + used, size - used);
    AreaFileList areas;
    areas.push_back(std::move(area));

    scrivet::WordDocument report = scrivet::buildModulusReport(
        scrivet::WordDocument::fromPackage(reportTemplate()), project, areas, {});
    for (const auto& [name, content] : report.toPackage())
        requireWellFormedXml(name, content);

    const std::string workbookPath = scratchWorkbookPath();
    scrivet::writeXlsx(scrivet::buildSummaryWorkbook(project, areas, {}), workbookPath);
    for (const auto& [name, content] : scrivet::readZipFile(workbookPath))
        requireWellFormedXml(name, content);
    unlink(workbookPath.c_str());

    requireCleanText(cli::jsonString(areas.front()->fileName));
    requireCleanText(cli::jsonString(std::string(project.projectName, sizeof project.projectName)));
    return 0;
}
