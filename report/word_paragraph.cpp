#include "word_paragraph.h"

#include "data/clean_text.h"

#include <cmath>

namespace tarvel::scrivet {
namespace {

// Children of w:pPr that must follow w:jc in the schema's order.
bool followsAlignment(std::string_view name) {
    return name == "w:textDirection" || name == "w:textAlignment" || name == "w:textboxTightWrap" ||
           name == "w:outlineLvl" || name == "w:divId" || name == "w:cnfStyle" || name == "w:rPr" ||
           name == "w:sectPr" || name == "w:pPrChange";
}

pugi::xml_node paragraphProperties(pugi::xml_node paragraph) {
    pugi::xml_node properties = paragraph.child("w:pPr");
    return properties ? properties : paragraph.prepend_child("w:pPr");
}

} // namespace

pugi::xml_node insertParagraphAfter(pugi::xml_node paragraph) {
    pugi::xml_node next = paragraph.parent().insert_child_after("w:p", paragraph);
    if (pugi::xml_node properties = paragraph.child("w:pPr")) {
        pugi::xml_node copy = next.append_copy(properties);
        copy.remove_child("w:sectPr");
    }
    return next;
}

pugi::xml_node insertParagraphBefore(pugi::xml_node node) {
    return node.parent().insert_child_before("w:p", node);
}

void setAlignment(pugi::xml_node paragraph, Alignment alignment) {
    pugi::xml_node properties = paragraphProperties(paragraph);
    properties.remove_child("w:jc");
    pugi::xml_node before;
    for (pugi::xml_node child : properties.children())
        if (followsAlignment(child.name())) {
            before = child;
            break;
        }
    pugi::xml_node jc =
        before ? properties.insert_child_before("w:jc", before) : properties.append_child("w:jc");
    const char* value = alignment == Alignment::Centre  ? "center"
                        : alignment == Alignment::Right ? "right"
                                                        : "left";
    jc.append_attribute("w:val") = value;
}

void keepWithNext(pugi::xml_node paragraph) {
    pugi::xml_node properties = paragraphProperties(paragraph);
    if (properties.child("w:keepNext"))
        return;
    pugi::xml_node style = properties.child("w:pStyle");
    style ? properties.insert_child_after("w:keepNext", style)
          : properties.prepend_child("w:keepNext");
}

void appendRun(pugi::xml_node paragraph, std::string_view text, const FontFormat& font) {
    pugi::xml_node run = paragraph.append_child("w:r");
    pugi::xml_node properties = run.append_child("w:rPr");
    if (!font.name.empty()) {
        pugi::xml_node fonts = properties.append_child("w:rFonts");
        for (const char* slot : {"w:ascii", "w:hAnsi", "w:eastAsia", "w:cs"})
            fonts.append_attribute(slot) = font.name.c_str();
    }
    if (font.bold) {
        properties.append_child("w:b");
        properties.append_child("w:bCs");
    }
    if (font.size > 0) {
        const std::string halfPoints = std::to_string(std::lround(font.size * 2));
        properties.append_child("w:sz").append_attribute("w:val") = halfPoints.c_str();
        properties.append_child("w:szCs").append_attribute("w:val") = halfPoints.c_str();
    }
    if (!properties.first_child())
        run.remove_child(properties);
    pugi::xml_node textNode = run.append_child("w:t");
    textNode.append_attribute("xml:space") = "preserve";
    textNode.text().set(cleanText(text).c_str());
}

pugi::xml_node appendRunLikeLast(pugi::xml_node paragraph, std::string_view text, bool bold) {
    pugi::xml_node model;
    for (pugi::xml_node run = paragraph.last_child(); run && !model; run = run.previous_sibling())
        if (std::string_view(run.name()) == "w:r")
            model = run.child("w:rPr");
    if (!model)
        model = paragraph.child("w:pPr").child("w:rPr");
    pugi::xml_node run = paragraph.append_child("w:r");
    if (model)
        run.append_copy(model);
    if (bold) {
        pugi::xml_node properties =
            run.child("w:rPr") ? run.child("w:rPr") : run.append_child("w:rPr");
        if (!properties.child("w:b")) {
            // w:rStyle and w:rFonts come before w:b, w:bCs right after it.
            pugi::xml_node after = properties.child("w:rFonts") ? properties.child("w:rFonts")
                                                                : properties.child("w:rStyle");
            pugi::xml_node b = after ? properties.insert_child_after("w:b", after)
                                     : properties.prepend_child("w:b");
            if (!properties.child("w:bCs"))
                properties.insert_child_after("w:bCs", b);
        }
    }
    pugi::xml_node textNode = run.append_child("w:t");
    textNode.append_attribute("xml:space") = "preserve";
    textNode.text().set(cleanText(text).c_str());
    return run;
}

void makeSuperscript(pugi::xml_node run) {
    pugi::xml_node properties = run.child("w:rPr");
    if (!properties)
        properties = run.prepend_child("w:rPr");
    properties.remove_child("w:vertAlign");
    // The schema puts it after the size and before the language.
    pugi::xml_node before;
    for (pugi::xml_node child : properties.children()) {
        const std::string_view name = child.name();
        if (name == "w:rtl" || name == "w:cs" || name == "w:em" || name == "w:lang" ||
            name == "w:eastAsianLayout" || name == "w:specVanish") {
            before = child;
            break;
        }
    }
    pugi::xml_node align = before ? properties.insert_child_before("w:vertAlign", before)
                                  : properties.append_child("w:vertAlign");
    align.append_attribute("w:val") = "superscript";
}

void appendLineBreak(pugi::xml_node paragraph) {
    paragraph.append_child("w:r").append_child("w:br");
}

void setSpaceBefore(pugi::xml_node paragraph, double points) {
    pugi::xml_node properties = paragraphProperties(paragraph);
    properties.remove_child("w:spacing");
    // w:spacing follows the keeps, borders and tabs and precedes the indents.
    pugi::xml_node before;
    for (pugi::xml_node child : properties.children()) {
        const std::string_view name = child.name();
        if (name == "w:ind" || name == "w:contextualSpacing" || name == "w:mirrorIndents" ||
            name == "w:suppressOverlap" || name == "w:jc" || followsAlignment(name)) {
            before = child;
            break;
        }
    }
    pugi::xml_node spacing = before ? properties.insert_child_before("w:spacing", before)
                                    : properties.append_child("w:spacing");
    spacing.append_attribute("w:before") = std::to_string(std::lround(points * 20)).c_str();
}

std::string paragraphText(pugi::xml_node paragraph) {
    std::string text;
    for (pugi::xpath_node node : paragraph.select_nodes(".//*[name()='w:t']"))
        text += node.node().text().get();
    return text;
}

void Selection::typeText(std::string_view text) {
    if (!text.empty())
        appendRun(paragraph_, text, font);
}

} // namespace tarvel::scrivet
