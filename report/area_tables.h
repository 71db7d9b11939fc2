// The Word tables of one area in the test report: the area's data, its
// point results and the statistics of its moduli.
#pragma once

#include "area_report.h"
#include "word_document.h"
#include "word_table.h"

namespace tarvel::scrivet {

// A table added at a paragraph takes that paragraph's format in every cell,
// as in Word: the template decides the font and alignment of the tables.
// `formatFrom` gives the format instead when it is not null.
WordTable insertTableLike(pugi::xml_node before, int rows, int columns,
                          pugi::xml_node formatFrom = {});

// Types the text like the paragraph's format; nothing for an empty text.
void typeLike(pugi::xml_node paragraph, const std::string& text, bool bold = false);

// The area's data, its point table with the note on flagged points, and the
// statistics of its moduli, each in front of `before`.
void addAreaTables(WordDocument& document, pugi::xml_node before, const AreaReport& area,
                   const ReportTexts& texts);

} // namespace tarvel::scrivet
