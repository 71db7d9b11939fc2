// The Word-like document model: a .docx package whose main part is edited
// as XML, plus the pictures and the page footer the reports add.
#pragma once

#include "word_paragraph.h"
#include "zip_archive.h"

#include <pugixml.hpp>

#include <string>
#include <vector>

namespace tarvel::scrivet {

// A4 portrait with 2.54 cm top and bottom and 3.17 cm side margins.
inline constexpr int kPageWidthTwips = 11906;
inline constexpr int kPageHeightTwips = 16838;
inline constexpr int kSideMarginTwips = 1800;
inline constexpr int kTextWidthTwips = kPageWidthTwips - 2 * kSideMarginTwips;

class WordDocument {
public:
    // An empty document: one empty paragraph, A4 pages, "宋体" 10.5 pt.
    static WordDocument blank();
    // A document from the parts of a .docx package; throws
    // std::runtime_error when the package has no readable main part.
    static WordDocument fromPackage(ZipEntries entries);

    pugi::xml_node body() const { return document_.document_element().child("w:body"); }
    // The last paragraph of the body: where "end of document" puts the cursor.
    pugi::xml_node endOfDocument() const;

    // Makes `paragraph` the end of a section so the text after it starts on
    // a new page, and returns a new empty paragraph after it.
    pugi::xml_node insertNextPageBreak(pugi::xml_node paragraph);

    // Adds the PNG to the package; returns its relationship id.
    std::string addPicture(const std::string& pngBytes);
    // A picture in its own run at the end of `paragraph`, in line with text.
    void appendInlinePicture(pugi::xml_node paragraph, const std::string& relationshipId,
                             int widthTwips, int heightTwips);
    // A picture floating behind the text at the top left of `paragraph`'s
    // cell or column.
    void appendPictureBehindText(pugi::xml_node paragraph, const std::string& relationshipId,
                                 int widthTwips, int heightTwips);

    // The centred footer "第 <page> 页 / 共 <pages> 页 " on every page, with
    // fields the viewer keeps up to date; other texts around the two numbers
    // when given.
    void addPageFooter(const std::string& before = "第 ", const std::string& between = " 页 / 共 ",
                       const std::string& after = " 页 ");
    // A right-aligned line at the top of every page.
    void addPageHeader(const std::string& text);

    // The font of text that names none, for every script.
    void setDefaultFont(const std::string& name);

    // Title, author and creation time shown by the viewer's document
    // properties; the application is "Tarvel".
    void setProperties(const std::string& title, const std::string& creator);

    // Markup (elements of the main part) that is written in place of a
    // marker appended to `parent`, and never becomes nodes: a hundred point
    // tables are hundreds of thousands of nodes, too slow to build and too
    // big to hold. Code that reads the model does not see it.
    void appendMarkup(pugi::xml_node parent, std::string markup);

    ZipEntries toPackage() const;
    // Writes the package; the main part goes into the archive as it is
    // serialised.
    void save(const std::string& path) const;

private:
    WordDocument() = default;

    std::string addRelationship(const char* type, const std::string& target);
    void addContentTypeDefault(const char* extension, const char* type);
    void addContentTypeOverride(const std::string& part, const char* type);
    pugi::xml_node appendDrawing(pugi::xml_node paragraph, const std::string& drawingXml);
    void addHeaderOrFooter(const char* part, const char* relationshipType, const char* contentType,
                           const char* referenceName, const pugi::xml_document& content);
    void addFontTable();
    ZipEntries toPackage(bool withMainPart) const;
    std::vector<pugi::xml_node> sectionEnds() const;
    void setOtherPart(const std::string& name, std::string content);

    ZipEntries otherParts_;
    pugi::xml_document document_;
    pugi::xml_document relationships_;
    pugi::xml_document contentTypes_;
    std::vector<std::string> markups_;
    int pictureCount_ = 0;
    int drawingCount_ = 0;
};

} // namespace tarvel::scrivet
