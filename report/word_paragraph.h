// Paragraphs and runs of a WordprocessingML body, and the selection that
// types into them.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace tarvel::scrivet {

enum class Alignment { Left, Centre, Right };

// Character formatting of typed text. An empty name or a size of 0 leaves
// the document's default in place.
struct FontFormat {
    std::string name;
    bool bold = false;
    double size = 0; // points
};

// A new empty paragraph after `paragraph` with the same paragraph format
// (but never its section end).
pugi::xml_node insertParagraphAfter(pugi::xml_node paragraph);

// A new empty paragraph in front of `node` (a paragraph or a table).
pugi::xml_node insertParagraphBefore(pugi::xml_node node);

void setAlignment(pugi::xml_node paragraph, Alignment alignment);

// Keeps the paragraph on the same page as the next one.
void keepWithNext(pugi::xml_node paragraph);

// Appends a run holding `text` in the given format.
void appendRun(pugi::xml_node paragraph, std::string_view text, const FontFormat& font);

// Appends a run holding `text` formatted like the paragraph's last run, or
// like its paragraph mark when it has no run yet; bold as well when asked.
// Returns the run.
pugi::xml_node appendRunLikeLast(pugi::xml_node paragraph, std::string_view text,
                                 bool bold = false);

// Raises the run's text as a superscript ("cm" + "3").
void makeSuperscript(pugi::xml_node run);

// Ends the line inside the paragraph; text typed next goes on the next line.
void appendLineBreak(pugi::xml_node paragraph);

// Space above the paragraph, in points.
void setSpaceBefore(pugi::xml_node paragraph, double points);

// The paragraph's text: the concatenation of its text elements.
std::string paragraphText(pugi::xml_node paragraph);

// The cursor of the Word-like model: a paragraph and the format of the text
// typed next.
class Selection {
public:
    explicit Selection(pugi::xml_node paragraph) : paragraph_(paragraph) {}

    FontFormat font;

    pugi::xml_node paragraph() const { return paragraph_; }
    void moveTo(pugi::xml_node paragraph) { paragraph_ = paragraph; }

    void setAlignment(Alignment alignment) { scrivet::setAlignment(paragraph_, alignment); }
    void typeText(std::string_view text);
    // Ends the paragraph; typing continues in a new one after it.
    void typeParagraph() { paragraph_ = insertParagraphAfter(paragraph_); }

private:
    pugi::xml_node paragraph_;
};

} // namespace tarvel::scrivet
