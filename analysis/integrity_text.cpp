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

// The legend's entries with a position, nearest the top first.
std::vector<const DefectMark*> marksFromTheTop(const PipHeader& header) {
    std::vector<const DefectMark*> marks;
    for (const DefectMark& mark : header.defectLegend)
        if (std::isfinite(mark.position) && mark.position > 1e-6f)
            marks.push_back(&mark);
    std::stable_sort(marks.begin(), marks.end(), [](const DefectMark* a, const DefectMark* b) {
        return a->position < b->position;
    });
    return marks;
}

// The defect names and grades the defect dialog stores, in English.
const std::pair<const char*, const char*> kEnglishCodes[] = {
    {"缩径", "necking"},       {"扩径", "bulging"}, {"断桩", "break"},  {"离析", "segregation"},
    {"夹泥", "mud inclusion"}, {"裂纹", "crack"},   {"缺陷", "defect"}, {"轻微", "slight"},
    {"普通", "moderate"},      {"严重", "severe"},
};

std::string englishCode(const std::string& stored) {
    for (const auto& [chinese, english] : kEnglishCodes)
        if (stored == chinese)
            return english;
    return stored;
}

} // namespace

std::string integrityText(const PipHeader& header) {
    const std::vector<const DefectMark*> marks = marksFromTheTop(header);
    if (marks.empty())
        return "桩身完整";

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

std::string englishIntegrityText(const PipHeader& header) {
    const std::vector<const DefectMark*> marks = marksFromTheTop(header);
    if (marks.empty())
        return "Intact pile body.";
    std::string text = "From the pile top: ";
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const std::string grade = englishCode(decodeGbk(marks[i]->codeB));
        const std::string kind = englishCode(decodeGbk(marks[i]->codeA));
        std::string what = grade.empty() ? kind : kind.empty() ? grade : grade + " " + kind;
        if (what.empty())
            what = "a mark";
        text +=
            (i > 0 ? "; " : "") + what + " at about " + formatFixed(marks[i]->position, 2) + " m";
    }
    return text + ".";
}

} // namespace tarvel
