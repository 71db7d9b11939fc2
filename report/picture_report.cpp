#include "picture_report.h"

#include "area_report.h"
#include "picture_file.h"
#include "word_table.h"

#include "data/gbk_text.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace tarvel::scrivet {
namespace {

constexpr double kLabelRowHeight = 19.3;   // points
constexpr double kPictureRowHeight = 210;  // one picture block per row
constexpr double kPictureHeight = 200;     // the picture row of a block
constexpr double kBlockLastRowHeight = 20; // below the picture
constexpr int kFirstPagePictures = 2;
constexpr int kPicturesPerPage = 3;

constexpr double kBodySize = 10;
// The area's data over the first picture, small enough to stay on one line
// (a second line would be cut off by the row).
constexpr double kBlockDataSize = 9;
constexpr double kSmallestBlockDataSize = 6.5;

// A text's width in ems: Chinese and full-width characters one, others half.
double textEms(const std::string& utf8) {
    double ems = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c & 0xC0) == 0x80)
            continue; // inside a character
        ems += c >= 0xE3 ? 1.0 : 0.5;
    }
    return ems;
}

std::string joinPath(const std::string& dir, const std::string& name) {
    return (std::filesystem::path(dir) / name).string();
}

// True when `name` is "<fileName>-<n>.png" with n a number from 1.
bool isWavePictureName(const std::string& name, const std::string& fileName) {
    const std::string prefix = fileName + "-";
    const std::string suffix = ".png";
    if (name.size() <= prefix.size() + suffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string number =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    return number[0] != '0' && number.find_first_not_of("0123456789") == std::string::npos;
}

// The wave pictures of the area in the directory: only files named as they
// are looked up count, so maps or other areas' pictures beside them do not.
int countWavePictures(const std::string& dir, const std::string& fileName) {
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec);
    if (ec)
        throw std::runtime_error("cannot read the picture directory " + dir + ": " + ec.message());
    int count = 0;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec)
            throw std::runtime_error("cannot read the picture directory " + dir + ": " +
                                     ec.message());
        if (it->is_regular_file(ec) && isWavePictureName(it->path().filename().string(), fileName))
            ++count;
    }
    return count;
}

void typeInto(pugi::xml_node paragraph, Alignment alignment, const std::string& text,
              const FontFormat& font) {
    Selection cell(paragraph);
    cell.font = font;
    cell.setAlignment(alignment);
    cell.typeText(text);
}

void addProjectTable(Selection& selection, const ProjectInfo& p, const LabFacts& lab,
                     const ReportTexts& texts) {
    WordTable table = WordTable::insertBefore(selection.paragraph(), 4, 4, kTextWidthTwips);
    // At least the instrument's height: a long name takes a second line
    // rather than being cut off.
    for (int row = 1; row <= 4; ++row)
        table.setRowHeightAtLeast(row, kLabelRowHeight);
    // The English labels are longer than the Chinese ones.
    if (texts.language == ReportLanguage::English)
        table.setColumnWidthsPercent({25, 25, 25, 25});
    else
        table.setColumnWidthsPercent({20, 30, 20, 30});
    const auto& labels = texts.pictureProjectLabels;
    const std::string cells[4][4] = {
        {labels[0], decodeGbk(p.projectName), labels[1],
         dateText(decodeGbk(p.startDate), texts.language)},
        {labels[2], lab.name, labels[3], decodeGbk(p.tester)},
        {labels[4], decodeGbk(p.permitNo), labels[5], decodeGbk(p.instrumentModel)},
        {labels[6], decodeGbk(p.instrumentNo), labels[7], decodeGbk(p.calibrationNo)},
    };
    const FontFormat font{texts.font, false, kBodySize};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            typeInto(table.cellParagraph(row + 1, column + 1),
                     column % 2 == 0 ? Alignment::Centre : Alignment::Left, cells[row][column],
                     font);
}

// A borderless one-column table whose rows each hold one picture block.
WordTable addPictureTable(pugi::xml_node paragraph, int rows) {
    WordTable table = WordTable::insertBefore(paragraph, rows, 1, kTextWidthTwips);
    for (int row = 1; row <= rows; ++row)
        table.setRowHeightExact(row, kPictureRowHeight);
    table.setBorders(false);
    return table;
}

class PictureReport {
public:
    PictureReport(const ProjectInfo& project, const NamePipeFile& area, const ReportInputs& inputs)
        : pictureDir_(inputs.pictureDir), project_(project), area_(area), inputs_(inputs),
          texts_(inputs.texts()), document_(WordDocument::blank()) {}

    WordDocument build();

private:
    void addPicturePage();
    void addPictureBlock(pugi::xml_node cellParagraph, int pictureNo, bool first);

    const std::string& pictureDir_;
    const ProjectInfo& project_;
    const NamePipeFile& area_;
    const ReportInputs& inputs_;
    const ReportTexts& texts_;
    WordDocument document_;
    WordTable pictureTable_ = WordTable::attach({});
};

WordDocument PictureReport::build() {
    document_.setDefaultFont(texts_.font);
    Selection selection(document_.endOfDocument());
    selection.setAlignment(Alignment::Centre);
    selection.font = {texts_.font, true, 15};
    selection.typeText(texts_.pictureTitle);
    selection.typeParagraph();
    selection.setAlignment(Alignment::Right);
    selection.font = {texts_.font, false, kBodySize};
    selection.typeText(texts_.pictureNumber + decodeGbk(project_.reportNo));
    selection.typeParagraph();
    selection.setAlignment(Alignment::Centre);
    addProjectTable(selection, project_, labFacts(project_, inputs_.lab), texts_);

    selection.typeParagraph();
    pictureTable_ = addPictureTable(selection.paragraph(), kFirstPagePictures);

    const int pictures = countWavePictures(pictureDir_, area_.fileName);
    for (int placed = 0; placed < pictures; ++placed) {
        int row = placed + 1;
        if (placed >= kFirstPagePictures) {
            const int slot = (placed - kFirstPagePictures) % kPicturesPerPage;
            if (slot == 0)
                addPicturePage();
            row = slot + 1;
        }
        addPictureBlock(pictureTable_.cellParagraph(row, 1), placed, placed == 0);
    }
    document_.addPageFooter(texts_.pageBefore, texts_.pageBetween, texts_.pageAfter);
    if (const std::string number = decodeGbk(project_.reportNo); !number.empty())
        document_.addPageHeader(texts_.reportNumberLabel + number);
    document_.setProperties(decodeGbk(project_.projectName), decodeGbk(project_.tester));
    return std::move(document_);
}

void PictureReport::addPicturePage() {
    pugi::xml_node paragraph = document_.insertNextPageBreak(document_.endOfDocument());
    pictureTable_ = addPictureTable(paragraph, kPicturesPerPage);
}

// One block: the area's data (first block only) above a picture that fills
// the block's merged second row, behind the text.
void PictureReport::addPictureBlock(pugi::xml_node cellParagraph, int pictureNo, bool first) {
    setAlignment(cellParagraph, Alignment::Centre);
    const int width = pictureTable_.cellContentWidthTwips(1, 1);
    WordTable block = WordTable::insertBefore(cellParagraph, 4, 4, width);
    block.setCellPaddings(0, 0, 0, 0);
    block.setCellSpacing(0);
    block.setBorders(false);
    for (int row = 1; row <= 4; ++row)
        block.setRowHeightExact(row, kLabelRowHeight);
    block.setRowHeightExact(2, kPictureHeight);
    block.setRowHeightExact(4, kBlockLastRowHeight);

    if (first) {
        const PipHeader& h = area_.header;
        const auto& labels = texts_.pictureBlockLabels;
        const char* colon = texts_.pictureColon;
        const std::string cells[4] = {
            labels[0] + std::string(colon) + decodeGbk(h.areaName),
            labels[1] + std::string(colon) + materialName(h.areaType, texts_),
            labels[2] + std::string(colon) + pointCountText(area_, texts_),
            labels[3] + std::string(colon) + valueText(h.pointSpacing, "m")};
        // Each text on one line of its exact row: the columns share the width
        // as the texts need it, and long texts take a smaller size.
        double ems[4];
        double total = 0;
        for (int column = 0; column < 4; ++column)
            total += ems[column] = std::max(textEms(cells[column]), 1.0);
        block.setColumnWidthsPercent(
            {100 * ems[0] / total, 100 * ems[1] / total, 100 * ems[2] / total});
        const double size = std::clamp(width / double(kTwipsPerPoint) / (total + 2),
                                       kSmallestBlockDataSize, kBlockDataSize);
        for (int column = 0; column < 4; ++column)
            typeInto(block.cellParagraph(1, column + 1), Alignment::Left, cells[column],
                     {texts_.font, false, size});
    }
    block.mergeRow(2);
    block.mergeRow(3);

    block.setCellPaddings(2, 1, 0, 0, 0, 0);
    const std::string path =
        joinPath(pictureDir_, area_.fileName + "-" + std::to_string(pictureNo + 1) + ".png");
    const std::vector<unsigned char> bytes = readPicture(path, "picture");
    const std::string id = document_.addPicture(std::string(bytes.begin(), bytes.end()));
    document_.appendPictureBehindText(block.cellParagraph(2, 1), id,
                                      block.cellContentWidthTwips(2, 1),
                                      static_cast<int>(kPictureHeight * kTwipsPerPoint));
}

} // namespace

WordDocument buildPictureReport(const ProjectInfo& project, const NamePipeFile& area,
                                const ReportInputs& inputs) {
    return PictureReport(project, area, inputs).build();
}

} // namespace tarvel::scrivet
