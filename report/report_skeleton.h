// The fixed part of the test report in one language: the cover, the
// headings, the labelled tables and the places the report fills. Written to
// res/report.docx as the template of the Chinese report (a lab may restyle
// that file); the English report is laid into it as built here.
#pragma once

#include "report_inputs.h"
#include "word_document.h"

namespace tarvel::scrivet {

// Bookmarks of the places the report fills.
inline constexpr const char* kLogoPlace = "logo";             // the lab's picture
inline constexpr const char* kLabPlace = "lab";               // the lab's name
inline constexpr const char* kAreasPlace = "areas";           // each area's tables go before it
inline constexpr const char* kMapsPlace = "maps";             // the maps go before it
inline constexpr const char* kSignaturesPlace = "signatures"; // the seal line

WordDocument buildReportSkeleton(const ReportTexts& texts);

// Types `text` at the selection as a paragraph of its own in `font`, its
// paragraph mark formatted alike so text typed into it later matches the
// label; the selection moves to a fresh paragraph after it. Returns the
// typed paragraph.
pugi::xml_node formattedParagraph(Selection& selection, const std::string& text,
                                  const FontFormat& font, Alignment alignment = Alignment::Left);

// The signature block at the selection: a table of the four roles with a
// name, a signature and a date each, the seal line and the report date line,
// kept together on one page.
void addSignatureBlock(Selection& selection, const ReportTexts& texts);

// Fills the block: the signatories' names, the lab at the seal line, the
// report date. Throws std::runtime_error when the body has no such block.
void fillSignatureBlock(pugi::xml_node body, const LabFacts& lab, const std::string& reportDate,
                        const ReportTexts& texts);

} // namespace tarvel::scrivet
