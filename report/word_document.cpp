#include "word_document.h"

#include "blank_package.h"
#include "data/clean_text.h"

#include <algorithm>
#include <ctime>
#include <sstream>
#include <stdexcept>

namespace tarvel::scrivet {
namespace {

constexpr const char* kMainPart = "word/document.xml";
constexpr const char* kMainRelationships = "word/_rels/document.xml.rels";
constexpr const char* kContentTypesPart = "[Content_Types].xml";
constexpr const char* kFooterPart = "word/footer1.xml";

constexpr const char* kImageRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
constexpr const char* kFooterRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer";
constexpr const char* kFooterContentType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml";
constexpr const char* kHeaderPart = "word/header1.xml";
constexpr const char* kHeaderRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/header";
constexpr const char* kHeaderContentType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml";
constexpr const char* kFontTablePart = "word/fontTable.xml";
constexpr const char* kFontTableRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/fontTable";
constexpr const char* kFontTableContentType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.fontTable+xml";
constexpr const char* kPackageRelationships = "_rels/.rels";
constexpr const char* kCorePropertiesPart = "docProps/core.xml";
constexpr const char* kAppPropertiesPart = "docProps/app.xml";

// 宋体 under its Latin name too, so a viewer without it picks a CJK serif
// font; Times New Roman for Latin text in the English reports.
constexpr const char* kFontTable =
    R"(<w:fonts xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:font w:name="宋体"><w:altName w:val="SimSun"/><w:panose1 w:val="02010600030101010101"/>)"
    R"(<w:charset w:val="86"/><w:family w:val="auto"/><w:pitch w:val="variable"/></w:font>)"
    R"(<w:font w:name="Times New Roman"><w:panose1 w:val="02020603050405020304"/>)"
    R"(<w:charset w:val="00"/><w:family w:val="roman"/><w:pitch w:val="variable"/></w:font>)"
    R"(</w:fonts>)";

std::string escapeXml(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string utcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// Prefixes the drawings use; a template written elsewhere may lack them.
constexpr std::pair<const char*, const char*> kNamespaces[] = {
    {"xmlns:w", "http://schemas.openxmlformats.org/wordprocessingml/2006/main"},
    {"xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships"},
    {"xmlns:wp", "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"},
    {"xmlns:a", "http://schemas.openxmlformats.org/drawingml/2006/main"},
    {"xmlns:pic", "http://schemas.openxmlformats.org/drawingml/2006/picture"},
};

// EMU per twip: 914400 per inch, 1440 twips per inch.
constexpr long kEmuPerTwip = 635;

void parsePart(pugi::xml_document& document, const std::string& xml, const std::string& name) {
    pugi::xml_parse_result result = document.load_buffer(xml.data(), xml.size());
    if (!result)
        throw std::runtime_error("part " + name +
                                 " of the document is not XML: " + result.description());
}

// Hands the markup on in the pieces pugixml writes.
class SinkWriter : public pugi::xml_writer {
public:
    explicit SinkWriter(const std::function<void(const char*, std::size_t)>& sink) : sink_(sink) {}
    void write(const void* data, std::size_t size) override {
        sink_(static_cast<const char*>(data), size);
    }

private:
    const std::function<void(const char*, std::size_t)>& sink_;
};

constexpr const char* kMarkupMarker = "scrivet-markup";

// Writes the markup, putting each stored piece in place of its marker
// "<?scrivet-markup N?>". pugixml hands the text over in pieces that may cut
// a marker anywhere, so a possible start of one is held back until it is
// complete.
class SplicingWriter : public pugi::xml_writer {
public:
    SplicingWriter(pugi::xml_writer& out, const std::vector<std::string>& markups)
        : out_(out), markups_(markups) {}

    void write(const void* data, std::size_t size) override {
        pending_.append(static_cast<const char*>(data), size);
        std::size_t done = 0;
        for (;;) {
            const std::size_t start = pending_.find(kOpening, done);
            if (start == std::string::npos) {
                // Keep a tail that may begin a marker.
                const std::size_t keep = std::min(pending_.size() - done, kOpening.size() - 1);
                flush(done, pending_.size() - keep);
                pending_.erase(0, pending_.size() - keep);
                return;
            }
            const std::size_t end = pending_.find("?>", start);
            if (end == std::string::npos) {
                flush(done, start);
                pending_.erase(0, start);
                return;
            }
            flush(done, start);
            const std::size_t index =
                std::stoul(pending_.substr(start + kOpening.size(), end - start - kOpening.size()));
            const std::string& markup = markups_.at(index);
            out_.write(markup.data(), markup.size());
            done = end + 2;
        }
    }

    void finish() {
        flush(0, pending_.size());
        pending_.clear();
    }

private:
    void flush(std::size_t from, std::size_t to) {
        if (to > from)
            out_.write(pending_.data() + from, to - from);
    }

    const std::string kOpening = std::string("<?") + kMarkupMarker + " ";
    pugi::xml_writer& out_;
    const std::vector<std::string>& markups_;
    std::string pending_;
};

// Collects the markup in one string, grown in large steps: the main part of
// a big report is tens of megabytes.
class StringWriter : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& out) : out_(out) {}
    void write(const void* data, std::size_t size) override {
        out_.append(static_cast<const char*>(data), size);
    }

private:
    std::string& out_;
};

// The part's markup after `prefix` (its XML declaration, or nothing).
std::string serialise(const pugi::xml_document& document, const std::string& prefix = "") {
    std::string out = prefix;
    StringWriter writer(out);
    document.save(writer, "", pugi::format_raw | pugi::format_no_declaration);
    return out;
}

std::string pictureGraphic(const std::string& relationshipId, int number, long cx, long cy) {
    std::ostringstream xml;
    xml << "<a:graphic><a:graphicData "
           "uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic>"
           "<pic:nvPicPr><pic:cNvPr id=\"0\" name=\"image"
        << number << ".png\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed=\""
        << relationshipId
        << "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm>"
           "<a:off x=\"0\" y=\"0\"/><a:ext cx=\""
        << cx << "\" cy=\"" << cy
        << "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr>"
           "</pic:pic></a:graphicData></a:graphic>";
    return xml.str();
}

void appendFieldRun(pugi::xml_node paragraph, const char* instruction) {
    pugi::xml_node field = paragraph.append_child("w:fldSimple");
    field.append_attribute("w:instr") = instruction;
    field.append_child("w:r").append_child("w:t").text().set("1");
}

} // namespace

WordDocument WordDocument::blank() {
    return fromPackage(blankPackage());
}

WordDocument WordDocument::fromPackage(ZipEntries entries) {
    WordDocument doc;
    bool hasMain = false;
    for (auto& [name, content] : entries) {
        if (name == kMainPart) {
            parsePart(doc.document_, content, name);
            hasMain = true;
        } else if (name == kMainRelationships) {
            parsePart(doc.relationships_, content, name);
        } else if (name == kContentTypesPart) {
            parsePart(doc.contentTypes_, content, name);
        } else {
            doc.otherParts_.emplace_back(std::move(name), std::move(content));
        }
    }
    if (!hasMain || !doc.body() || !doc.contentTypes_.document_element())
        throw std::runtime_error("not a Word document: no main part");
    if (!doc.relationships_.document_element())
        doc.relationships_.append_child("Relationships").append_attribute("xmlns") =
            "http://schemas.openxmlformats.org/package/2006/relationships";
    pugi::xml_node root = doc.document_.document_element();
    for (const auto& [prefix, uri] : kNamespaces)
        if (!root.attribute(prefix))
            root.append_attribute(prefix) = uri;
    doc.addFontTable();
    return doc;
}

pugi::xml_node WordDocument::endOfDocument() const {
    pugi::xml_node last = body().last_child();
    while (last && std::string_view(last.name()) != "w:p")
        last = last.previous_sibling();
    if (!last) {
        pugi::xml_node sectionEnd = body().child("w:sectPr");
        last =
            sectionEnd ? body().insert_child_before("w:p", sectionEnd) : body().append_child("w:p");
    }
    return last;
}

pugi::xml_node WordDocument::insertNextPageBreak(pugi::xml_node paragraph) {
    pugi::xml_node next = insertParagraphAfter(paragraph);
    pugi::xml_node properties = paragraph.child("w:pPr");
    if (!properties)
        properties = paragraph.prepend_child("w:pPr");
    // The ended section takes the page set-up of the document's last one.
    pugi::xml_node section = properties.append_copy(body().child("w:sectPr"));
    section.remove_child("w:type");
    section.prepend_child("w:type").append_attribute("w:val") = "nextPage";
    return next;
}

std::string WordDocument::addRelationship(const char* type, const std::string& target) {
    pugi::xml_node root = relationships_.document_element();
    int number = 1;
    for (;;) {
        const std::string id = "rId" + std::to_string(number);
        if (!root.find_child_by_attribute("Relationship", "Id", id.c_str()))
            break;
        ++number;
    }
    const std::string id = "rId" + std::to_string(number);
    pugi::xml_node relationship = root.append_child("Relationship");
    relationship.append_attribute("Id") = id.c_str();
    relationship.append_attribute("Type") = type;
    relationship.append_attribute("Target") = target.c_str();
    return id;
}

void WordDocument::addContentTypeDefault(const char* extension, const char* type) {
    pugi::xml_node root = contentTypes_.document_element();
    if (root.find_child_by_attribute("Default", "Extension", extension))
        return;
    pugi::xml_node entry = root.prepend_child("Default");
    entry.append_attribute("Extension") = extension;
    entry.append_attribute("ContentType") = type;
}

void WordDocument::addContentTypeOverride(const std::string& part, const char* type) {
    pugi::xml_node root = contentTypes_.document_element();
    if (root.find_child_by_attribute("Override", "PartName", part.c_str()))
        return;
    pugi::xml_node entry = root.append_child("Override");
    entry.append_attribute("PartName") = part.c_str();
    entry.append_attribute("ContentType") = type;
}

std::string WordDocument::addPicture(const std::string& pngBytes) {
    const std::string name = "media/scrivet" + std::to_string(++pictureCount_) + ".png";
    otherParts_.emplace_back("word/" + name, pngBytes);
    addContentTypeDefault("png", "image/png");
    return addRelationship(kImageRelationship, name);
}

pugi::xml_node WordDocument::appendDrawing(pugi::xml_node paragraph,
                                           const std::string& drawingXml) {
    pugi::xml_node drawing = paragraph.append_child("w:r").append_child("w:drawing");
    pugi::xml_parse_result result = drawing.append_buffer(drawingXml.data(), drawingXml.size());
    if (!result)
        throw std::logic_error(std::string("bad drawing markup: ") + result.description());
    return drawing;
}

void WordDocument::appendInlinePicture(pugi::xml_node paragraph, const std::string& relationshipId,
                                       int widthTwips, int heightTwips) {
    const long cx = widthTwips * kEmuPerTwip;
    const long cy = heightTwips * kEmuPerTwip;
    const int id = ++drawingCount_;
    std::ostringstream xml;
    xml << "<wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\"><wp:extent cx=\"" << cx
        << "\" cy=\"" << cy << "\"/><wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/>"
        << "<wp:docPr id=\"" << id << "\" name=\"Picture " << id << "\"/>"
        << "<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect=\"1\"/>"
           "</wp:cNvGraphicFramePr>"
        << pictureGraphic(relationshipId, id, cx, cy) << "</wp:inline>";
    appendDrawing(paragraph, xml.str());
}

void WordDocument::appendPictureBehindText(pugi::xml_node paragraph,
                                           const std::string& relationshipId, int widthTwips,
                                           int heightTwips) {
    const long cx = widthTwips * kEmuPerTwip;
    const long cy = heightTwips * kEmuPerTwip;
    const int id = ++drawingCount_;
    std::ostringstream xml;
    xml << "<wp:anchor distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\" simplePos=\"0\" "
           "relativeHeight=\""
        << id
        << "\" behindDoc=\"1\" locked=\"0\" layoutInCell=\"1\" allowOverlap=\"1\">"
           "<wp:simplePos x=\"0\" y=\"0\"/>"
           "<wp:positionH relativeFrom=\"column\"><wp:posOffset>0</wp:posOffset>"
           "</wp:positionH><wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>0"
           "</wp:posOffset></wp:positionV><wp:extent cx=\""
        << cx << "\" cy=\"" << cy
        << "\"/><wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/><wp:wrapNone/>"
        << "<wp:docPr id=\"" << id << "\" name=\"Picture " << id << "\"/>"
        << "<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect=\"0\"/>"
           "</wp:cNvGraphicFramePr>"
        << pictureGraphic(relationshipId, id, cx, cy) << "</wp:anchor>";
    appendDrawing(paragraph, xml.str());
}

void WordDocument::addHeaderOrFooter(const char* part, const char* relationshipType,
                                     const char* contentType, const char* referenceName,
                                     const pugi::xml_document& content) {
    setOtherPart(part, "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>" +
                           serialise(content));
    addContentTypeOverride(std::string("/") + part, contentType);
    const std::string target = std::string(part).substr(std::string("word/").size());
    const std::string id = addRelationship(relationshipType, target);

    // Every section shows the same one, as Word's "same as previous" does.
    // Header references come before footer references.
    for (pugi::xml_node section : sectionEnds()) {
        const bool isHeader = std::string_view(referenceName) == "w:headerReference";
        pugi::xml_node footer = section.child("w:footerReference");
        pugi::xml_node reference = isHeader || !footer
                                       ? section.prepend_child(referenceName)
                                       : section.insert_child_after(referenceName, footer);
        reference.append_attribute("w:type") = "default";
        reference.append_attribute("r:id") = id.c_str();
    }
}

std::vector<pugi::xml_node> WordDocument::sectionEnds() const {
    // A section ends in the body's last element or in a body paragraph's
    // properties; nowhere deeper, so the tables need no search.
    std::vector<pugi::xml_node> sections;
    for (pugi::xml_node child : body().children()) {
        const std::string_view name = child.name();
        if (name == "w:sectPr")
            sections.push_back(child);
        else if (name == "w:p")
            if (pugi::xml_node section = child.child("w:pPr").child("w:sectPr"))
                sections.push_back(section);
    }
    return sections;
}

void WordDocument::addPageFooter(const std::string& before, const std::string& between,
                                 const std::string& after) {
    pugi::xml_document footer;
    pugi::xml_node root = footer.append_child("w:ftr");
    root.append_attribute("xmlns:w") = kNamespaces[0].second;
    root.append_attribute("xmlns:r") = kNamespaces[1].second;
    pugi::xml_node paragraph = root.append_child("w:p");
    setAlignment(paragraph, Alignment::Centre);
    const FontFormat plain;
    appendRun(paragraph, before, plain);
    appendFieldRun(paragraph, " PAGE ");
    appendRun(paragraph, between, plain);
    appendFieldRun(paragraph, " NUMPAGES ");
    appendRun(paragraph, after, plain);
    addHeaderOrFooter(kFooterPart, kFooterRelationship, kFooterContentType, "w:footerReference",
                      footer);
}

void WordDocument::addPageHeader(const std::string& text) {
    pugi::xml_document header;
    pugi::xml_node root = header.append_child("w:hdr");
    root.append_attribute("xmlns:w") = kNamespaces[0].second;
    root.append_attribute("xmlns:r") = kNamespaces[1].second;
    pugi::xml_node paragraph = root.append_child("w:p");
    setAlignment(paragraph, Alignment::Right);
    appendRun(paragraph, text, FontFormat{"", false, 9});
    addHeaderOrFooter(kHeaderPart, kHeaderRelationship, kHeaderContentType, "w:headerReference",
                      header);
}

void WordDocument::setOtherPart(const std::string& name, std::string content) {
    for (auto& [partName, partContent] : otherParts_)
        if (partName == name) {
            partContent = std::move(content);
            return;
        }
    otherParts_.emplace_back(name, std::move(content));
}

void WordDocument::addFontTable() {
    for (const auto& part : otherParts_)
        if (part.first == kFontTablePart)
            return;
    setOtherPart(kFontTablePart, std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" "
                                             "standalone=\"yes\"?>\n") +
                                     kFontTable);
    addContentTypeOverride(std::string("/") + kFontTablePart, kFontTableContentType);
    addRelationship(kFontTableRelationship, "fontTable.xml");
}

void WordDocument::setDefaultFont(const std::string& name) {
    for (auto& [part, content] : otherParts_) {
        if (part != "word/styles.xml")
            continue;
        pugi::xml_document styles;
        parsePart(styles, content, part);
        pugi::xml_node runDefaults =
            styles.document_element().child("w:docDefaults").child("w:rPrDefault").child("w:rPr");
        if (!runDefaults)
            return;
        runDefaults.remove_child("w:rFonts");
        pugi::xml_node fonts = runDefaults.prepend_child("w:rFonts");
        for (const char* slot : {"w:ascii", "w:hAnsi", "w:eastAsia", "w:cs"})
            fonts.append_attribute(slot) = name.c_str();
        content =
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n" + serialise(styles);
    }
}

void WordDocument::setProperties(const std::string& title, const std::string& creator) {
    const std::string declaration =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    const std::string now = utcNow();
    setOtherPart(
        kCorePropertiesPart,
        declaration +
            "<cp:coreProperties "
            "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
            "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
            "xmlns:dcterms=\"http://purl.org/dc/terms/\" "
            "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
            "<dc:title>" +
            escapeXml(cleanText(title)) + "</dc:title><dc:creator>" +
            escapeXml(cleanText(creator)) + "</dc:creator><cp:lastModifiedBy>" +
            escapeXml(cleanText(creator)) +
            "</cp:lastModifiedBy><dcterms:created xsi:type=\"dcterms:W3CDTF\">" + now +
            "</dcterms:created><dcterms:modified xsi:type=\"dcterms:W3CDTF\">" + now +
            "</dcterms:modified></cp:coreProperties>");
    setOtherPart(kAppPropertiesPart,
                 declaration +
                     "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                     "extended-properties\"><Application>Tarvel</Application></Properties>");
    addContentTypeOverride(std::string("/") + kCorePropertiesPart,
                           "application/vnd.openxmlformats-package.core-properties+xml");
    addContentTypeOverride(std::string("/") + kAppPropertiesPart,
                           "application/vnd.openxmlformats-officedocument.extended-properties+xml");

    // The package's own relationships point at the two parts.
    for (auto& [name, content] : otherParts_) {
        if (name != kPackageRelationships)
            continue;
        pugi::xml_document relationships;
        parsePart(relationships, content, name);
        pugi::xml_node root = relationships.document_element();
        const std::pair<const char*, const char*> targets[] = {
            {"http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
             "core-properties",
             kCorePropertiesPart},
            {"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
             "extended-properties",
             kAppPropertiesPart}};
        for (const auto& [type, target] : targets) {
            if (root.find_child_by_attribute("Relationship", "Type", type))
                continue;
            int number = 1;
            while (root.find_child_by_attribute("Relationship", "Id",
                                                ("rId" + std::to_string(number)).c_str()))
                ++number;
            pugi::xml_node relationship = root.append_child("Relationship");
            relationship.append_attribute("Id") = ("rId" + std::to_string(number)).c_str();
            relationship.append_attribute("Type") = type;
            relationship.append_attribute("Target") = target;
        }
        content = declaration + serialise(relationships);
    }
}

void WordDocument::appendMarkup(pugi::xml_node parent, std::string markup) {
    pugi::xml_node marker = parent.append_child(pugi::node_pi);
    marker.set_name(kMarkupMarker);
    marker.set_value(std::to_string(markups_.size()).c_str());
    markups_.push_back(std::move(markup));
}

void WordDocument::save(const std::string& path) const {
    ZipEntries entries = toPackage(false);
    StreamedEntry main{
        kMainPart, [this](const std::function<void(const char*, std::size_t)>& sink) {
            const std::string declaration =
                "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
            sink(declaration.data(), declaration.size());
            SinkWriter writer(sink);
            SplicingWriter splicing(writer, markups_);
            document_.save(splicing, "", pugi::format_raw | pugi::format_no_declaration);
            splicing.finish();
        }};
    writeZipFile(path, entries, {main});
}

ZipEntries WordDocument::toPackage() const {
    return toPackage(true);
}

ZipEntries WordDocument::toPackage(bool withMainPart) const {
    const std::string declaration =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    ZipEntries entries;
    entries.reserve(otherParts_.size() + 3);
    entries.emplace_back(kContentTypesPart, serialise(contentTypes_, declaration));
    if (withMainPart) {
        std::string main = declaration;
        StringWriter writer(main);
        SplicingWriter splicing(writer, markups_);
        document_.save(splicing, "", pugi::format_raw | pugi::format_no_declaration);
        splicing.finish();
        entries.emplace_back(kMainPart, std::move(main));
    }
    entries.emplace_back(kMainRelationships, serialise(relationships_, declaration));
    entries.insert(entries.end(), otherParts_.begin(), otherParts_.end());
    return entries;
}

} // namespace tarvel::scrivet
