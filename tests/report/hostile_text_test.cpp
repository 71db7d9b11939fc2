// Names and texts from files never make a document its format forbids: no
// control character and no invalid UTF-8 reaches the .docx or .xlsx XML.
#include "report/spreadsheet.h"
#include "report/word_paragraph.h"
#include "report/xlsx_writer.h"
#include "report/zip_archive.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <sstream>

namespace tarvel::scrivet {
namespace {

const std::string kHostile = std::string("A\x01"
                                         "B\x1f\xff") +
                             "测区";
const std::string kCleaned = "A\xEF\xBF\xBD"
                             "B\xEF\xBF\xBD\xEF\xBF\xBD"
                             "测区";

// XML 1.0 forbids these even as character references.
void expectOnlyAllowedCharacters(const std::string& xml) {
    EXPECT_EQ(xml.find("&#"), std::string::npos);
    for (unsigned char c : xml)
        EXPECT_FALSE(c < 0x20 && c != '\t' && c != '\n' && c != '\r') << int(c);
}

TEST(HostileText, WordRunsHoldOnlyCharactersXmlAllows) {
    pugi::xml_document document;
    pugi::xml_node paragraph = document.append_child("w:body").append_child("w:p");
    appendRun(paragraph, kHostile, FontFormat{});
    appendRunLikeLast(paragraph, kHostile);

    std::ostringstream xml;
    document.save(xml, "", pugi::format_raw);
    expectOnlyAllowedCharacters(xml.str());
    EXPECT_EQ(paragraphText(paragraph), kCleaned + kCleaned);
}

TEST(HostileText, WorkbookCellsHoldOnlyCharactersXmlAllows) {
    // Texts sit in their cells when the sheet is written row by row, in the
    // shared string table when a range merged over rows keeps it whole.
    for (const char* range : {"A1", "A1:A2"}) {
        Workbook workbook;
        workbook.insertSheet(0, "Sheet1").write(range, kHostile);
        const std::string path =
            (std::filesystem::temp_directory_path() / "tarvel-hostile-text.xlsx").string();
        writeXlsx(workbook, path);
        const ZipEntries entries = readZipFile(path);
        std::filesystem::remove(path);

        bool found = false;
        for (const auto& [name, content] : entries) {
            if (name.size() < 4 || name.compare(name.size() - 4, 4, ".xml") != 0)
                continue;
            expectOnlyAllowedCharacters(content);
            found = found || content.find(kCleaned) != std::string::npos;
            pugi::xml_document parsed;
            EXPECT_TRUE(parsed.load_string(content.c_str())) << range << " " << name;
        }
        EXPECT_TRUE(found) << range;
    }
}

} // namespace
} // namespace tarvel::scrivet
