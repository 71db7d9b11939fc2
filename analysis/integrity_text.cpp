#include "integrity_text.h"

#include "data/gbk_text.h"
#include "results.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tarvel {

namespace {

constexpr std::size_t kMaxCharacters = 240;

// The first `count` code points of a UTF-8 text.
std::string firstCharacters(const std::string& utf8, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t seen = 0; end < utf8.size() && seen < count; ++seen) {
        ++end;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            ++end;
    }
    return utf8.substr(0, end);
}

} // namespace

std::string integrityText(const PipHeader& header) {
    std::vector<const DefectMark*> marks;
    for (const DefectMark& mark : header.defectLegend)
        if (std::isfinite(mark.position) && mark.position > 1e-6f)
            marks.push_back(&mark);
    if (marks.empty())
        return "桩身完整";
    std::stable_sort(marks.begin(), marks.end(), [](const DefectMark* a, const DefectMark* b) {
        return a->position < b->position;
    });

    std::string text = "距桩顶";
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (i > 0)
            text += "；";
        text += formatFixed(marks[i]->position, 2) + "m左右有" + decodeGbk(marks[i]->codeA) +
                decodeGbk(marks[i]->codeB);
    }
    text += "。";

    char field[kIntegrityTextBytes] = {};
    encodeGbk(firstCharacters(text, kMaxCharacters), field);
    return gbkToUtf8(field);
}

} // namespace tarvel
