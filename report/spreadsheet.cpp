#include "spreadsheet.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <iterator>
#include <stdexcept>

namespace tarvel::scrivet {
namespace {

// Reads one "A1"-style reference; columns run A..XFD, rows 1..1048576.
bool parseCell(std::string_view text, int& row, int& column) {
    std::size_t i = 0;
    column = 0;
    while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) {
        column = column * 26 + (std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 1);
        ++i;
    }
    if (i == 0 || i > 3 || i == text.size())
        return false;
    long number = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])) || number > 1048576)
            return false;
        number = number * 10 + (text[i] - '0');
    }
    if (number < 1 || number > 1048576 || column > 16384)
        return false;
    row = static_cast<int>(number - 1);
    column -= 1;
    return true;
}

} // namespace

CellRange CellRange::parse(std::string_view a1) {
    CellRange range;
    std::size_t colon = a1.find(':');
    bool ok = parseCell(a1.substr(0, colon), range.firstRow, range.firstColumn);
    if (ok && colon == std::string_view::npos) {
        range.lastRow = range.firstRow;
        range.lastColumn = range.firstColumn;
    } else if (ok) {
        ok = parseCell(a1.substr(colon + 1), range.lastRow, range.lastColumn) &&
             range.lastRow >= range.firstRow && range.lastColumn >= range.firstColumn;
    }
    if (!ok)
        throw std::invalid_argument("not a cell range: " + std::string(a1));
    return range;
}

int columnWidthPixels(double characters) {
    constexpr double kDigitPixels = 7;
    constexpr int kPaddingPixels = 5;
    if (characters <= 0)
        return 0;
    if (characters < 1)
        return static_cast<int>(characters * (kDigitPixels + kPaddingPixels) + 0.5);
    return static_cast<int>(characters * kDigitPixels + 0.5) + kPaddingPixels;
}

int Worksheet::lastUsedColumn() const {
    int last = -1;
    for (const CellText& cell : cells_)
        last = std::max(last, cell.range.lastColumn);
    for (const CellRange& range : borderedRanges_)
        last = std::max(last, range.lastColumn);
    return last;
}

bool Worksheet::hasBorder(int row, int column) const {
    if (bordersEverywhere_)
        return true;
    for (const CellRange& range : borderedRanges_)
        if (range.contains(row, column))
            return true;
    return false;
}

void Worksheet::write(const CellRange& range, std::string text) {
    cells_.push_back({range, std::move(text), 0, -1});
}

int Worksheet::numberFormatIndex(int decimals, const std::string& unit) {
    for (std::size_t i = 0; i < numberFormats_.size(); ++i)
        if (numberFormats_[i].decimals == decimals && numberFormats_[i].unit == unit)
            return static_cast<int>(i);
    std::string code = decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0')
                                    : std::string("0");
    if (!unit.empty())
        code += "\"" + unit + "\"";
    numberFormats_.push_back({decimals, unit, std::move(code)});
    return static_cast<int>(numberFormats_.size() - 1);
}

void Worksheet::writeNumber(const CellRange& range, double value, int decimals,
                            const std::string& unit) {
    if (!std::isfinite(value)) {
        write(range, "--");
        return;
    }
    // The stored value is the one shown, so a column sums to what it reads:
    // printed with the decimals and read back, rounded as printf rounds.
    char shown[512]; // room for the largest double in fixed notation
    const auto printed = std::to_chars(std::begin(shown), std::end(shown), value,
                                       std::chars_format::fixed, decimals);
    double stored = value;
    std::from_chars(std::begin(shown), printed.ptr, stored);
    cells_.push_back({range, {}, stored, numberFormatIndex(decimals, unit)});
}

Worksheet& Workbook::insertSheet(std::size_t index, std::string name) {
    if (index > sheets_.size())
        throw std::out_of_range("no sheet position " + std::to_string(index));
    return *sheets_.insert(sheets_.begin() + static_cast<std::ptrdiff_t>(index),
                           Worksheet(std::move(name)));
}

void Workbook::deleteSheet(std::size_t index) {
    if (index >= sheets_.size())
        throw std::out_of_range("no sheet " + std::to_string(index));
    sheets_.erase(sheets_.begin() + static_cast<std::ptrdiff_t>(index));
}

} // namespace tarvel::scrivet
