// The sentence that sums up an area's defect legend for the reports.
#pragma once

#include "data/records.h"

#include <cstddef>
#include <string>

namespace tarvel {

// Room for the text in the record it came from: 255 bytes of GBK with the
// terminating NUL.
inline constexpr std::size_t kIntegrityTextBytes = 255;

// "桩身完整" without a legend entry; otherwise "距桩顶" and one phrase per
// entry, nearest first, "1.50m左右有<codeA><codeB>", joined by "；" and ended
// by "。". Only finite positions above 1e-6 count. Cut to 240 characters and
// then, at a character boundary, to what fits in kIntegrityTextBytes as GBK.
std::string integrityText(const PipHeader& header);

// The same in English, for the English reports: "Intact pile body." without
// a legend entry; otherwise "From the pile top: slight necking at about
// 1.50 m; severe break at about 4.20 m." The defect names and grades the
// program stores are translated, other codes kept as stored. Not cut.
std::string englishIntegrityText(const PipHeader& header);

} // namespace tarvel
