#include "area_order.h"

#include <algorithm>
#include <cctype>

namespace tarvel {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Compares the digit runs starting at a[i] and b[j] by value and advances
// past them; returns <0, 0 or >0.
int compareNumbers(std::string_view a, std::size_t& i, std::string_view b, std::size_t& j) {
    while (i < a.size() && a[i] == '0')
        ++i;
    while (j < b.size() && b[j] == '0')
        ++j;
    const std::size_t aStart = i;
    const std::size_t bStart = j;
    while (i < a.size() && isDigit(a[i]))
        ++i;
    while (j < b.size() && isDigit(b[j]))
        ++j;
    // Without leading zeros the longer run is the larger number.
    if (i - aStart != j - bStart)
        return i - aStart < j - bStart ? -1 : 1;
    return a.substr(aStart, i - aStart).compare(b.substr(bStart, j - bStart));
}

int naturalCompare(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            if (int order = compareNumbers(a, i, b, j); order != 0)
                return order;
            continue;
        }
        const unsigned char x = static_cast<unsigned char>(folded(a[i]));
        const unsigned char y = static_cast<unsigned char>(folded(b[j]));
        if (x != y)
            return x < y ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return 0;
}

} // namespace

bool naturalNameLess(std::string_view a, std::string_view b) {
    const int order = naturalCompare(a, b);
    return order != 0 ? order < 0 : a < b;
}

void sortAreasByFileName(AreaFileList& files) {
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        return naturalNameLess(a->fileName, b->fileName);
    });
}

} // namespace tarvel
