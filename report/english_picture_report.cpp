#include "english_picture_report.h"

#include "picture_file.h"
#include "pile_report.h"
#include "word_table.h"

#include "analysis/results.h"
#include "data/gbk_text.h"

#include <filesystem>
#include <stdexcept>

namespace tarvel::scrivet {
namespace {

constexpr double kProjectRowHeight = 30;      // points
constexpr double kFirstPageRowHeight = 173.7; // the project table is taller
constexpr double kPictureRowHeight = 210;
constexpr double kDataRowHeight = 13;
constexpr int kDataRows = 3;
// The evaluation has a row of its own across the block, two lines high.
constexpr double kEvaluationRowHeight = 2 * kDataRowHeight;
constexpr int kFirstPagePictures = 2;
constexpr int kPicturesPerPage = 3;
constexpr int kPrintMarked = 1; // print marks above this ask for a picture

const FontFormat kBodyFont{"Times New Roman", false, 10};
const FontFormat kDataFont{"Times New Roman", false, 9};

struct Picture {
    const PileReport* pile;
    int pointNumber; // from 1
    bool firstOfPile;
};

std::vector<Picture> picturesOf(const std::vector<PileReport>& piles) {
    std::vector<Picture> pictures;
    for (const PileReport& pile : piles) {
        if (!pile.included)
            continue;
        bool first = true;
        for (std::size_t i = 0; i < pile.file->points.size(); ++i) {
            const MeasurePoint& point = pile.file->points[i];
            if (point.isDeleted() || point.header.printMark <= kPrintMarked)
                continue;
            pictures.push_back({&pile, static_cast<int>(i) + 1, first});
            first = false;
        }
    }
    return pictures;
}

void typeInto(pugi::xml_node paragraph, Alignment alignment, const std::string& text,
              const FontFormat& font = kBodyFont) {
    Selection cell(paragraph);
    cell.font = font;
    cell.setAlignment(alignment);
    cell.typeText(text);
}

void addProjectTable(pugi::xml_node before, const ProjectInfo& p, const LabFacts& lab) {
    WordTable table = WordTable::insertBefore(before, 5, 4, kTextWidthTwips);
    for (int row = 1; row <= 5; ++row)
        table.setRowHeightExact(row, kProjectRowHeight);
    table.setColumnWidthsPercent({20, 30, 20, 30});
    const std::string cells[5][4] = {
        {"Project Name", decodeGbk(p.projectName), "Construction Date", decodeGbk(p.startDate)},
        {"Testing Company", lab.name, "Tester", decodeGbk(p.tester)},
        {"Work Permit", decodeGbk(p.permitNo), "Total Pile Number", std::to_string(p.hiddenInt1)},
        {"Detection Basis", decodeGbk(p.testBasis), "Instrument Model",
         decodeGbk(p.instrumentModel)},
        {"Instrument Number", decodeGbk(p.instrumentNo), "Verification Certificate",
         decodeGbk(p.calibrationNo)},
    };
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 4; ++column)
            typeInto(table.cellParagraph(row + 1, column + 1),
                     column % 2 == 0 ? Alignment::Centre : Alignment::Left, cells[row][column]);
}

// The pile's data over three lines of three items; the evaluation has the
// line below them to itself.
std::array<std::string, 8> pileData(const PileReport& pile) {
    const std::string diameter =
        pile.isSquare() ? std::to_string(pile.width) + "mm×" + std::to_string(pile.breadth) + "mm"
                        : std::to_string(pile.width) + "mm";
    return {"Pile Number:" + pile.number,
            "Pile Type:" + pile.pileType,
            "Pile Length:    " + statisticText(pile.length, true) + "m",
            "Pile Diameter:" + diameter,
            "Strength Grade:" + pile.strengthGrade,
            "Completeness:" + pile.classSymbol(),
            "Wave Speed:    " + statisticText(pile.waveSpeed, true, 0) + "m/s",
            "Test Date:" + pile.testDate};
}

class PilePictureReport {
public:
    PilePictureReport(const ProjectInfo& project, const AreaFileList& areas,
                      const ReportInputs& inputs)
        : pictureDir_(inputs.pictureDir), project_(project), lab_(labFacts(project, inputs.lab)),
          piles_(describePiles(areas)), document_(WordDocument::blank()) {}

    WordDocument build();

private:
    WordTable addPictureTable(pugi::xml_node paragraph, int rows, double rowHeight);
    void addPictureBlock(pugi::xml_node cellParagraph, const Picture& picture);

    const std::string& pictureDir_;
    const ProjectInfo& project_;
    LabFacts lab_;
    std::vector<PileReport> piles_;
    WordDocument document_;
    WordTable pictureTable_ = WordTable::attach({});
    double rowHeight_ = kFirstPageRowHeight;
};

WordDocument PilePictureReport::build() {
    document_.setDefaultFont("Times New Roman");
    Selection selection(document_.endOfDocument());
    selection.setAlignment(Alignment::Centre);
    selection.font = {"Times New Roman", true, 15};
    selection.typeText("Detection Report of Low Strain Reflected Wave Method");
    selection.typeParagraph();
    selection.setAlignment(Alignment::Right);
    selection.font = kBodyFont;
    selection.typeText("NO." + decodeGbk(project_.reportNo));
    selection.typeParagraph();
    selection.setAlignment(Alignment::Centre);
    addProjectTable(selection.paragraph(), project_, lab_);

    selection.typeParagraph();
    pictureTable_ = addPictureTable(selection.paragraph(), kFirstPagePictures, kFirstPageRowHeight);

    const std::vector<Picture> pictures = picturesOf(piles_);
    for (std::size_t placed = 0; placed < pictures.size(); ++placed) {
        int row = static_cast<int>(placed) + 1;
        if (placed >= kFirstPagePictures) {
            const int slot = static_cast<int>(placed - kFirstPagePictures) % kPicturesPerPage;
            if (slot == 0) {
                pugi::xml_node paragraph = document_.insertNextPageBreak(document_.endOfDocument());
                pictureTable_ = addPictureTable(paragraph, kPicturesPerPage, kPictureRowHeight);
            }
            row = slot + 1;
        }
        addPictureBlock(pictureTable_.cellParagraph(row, 1), pictures[placed]);
    }
    const ReportTexts& texts = reportTexts(ReportLanguage::English);
    document_.addPageFooter(texts.pageBefore, texts.pageBetween, texts.pageAfter);
    if (const std::string number = decodeGbk(project_.reportNo); !number.empty())
        document_.addPageHeader(texts.reportNumberLabel + number);
    document_.setProperties(decodeGbk(project_.projectName), decodeGbk(project_.tester));
    return std::move(document_);
}

WordTable PilePictureReport::addPictureTable(pugi::xml_node paragraph, int rows, double rowHeight) {
    WordTable table = WordTable::insertBefore(paragraph, rows, 1, kTextWidthTwips);
    for (int row = 1; row <= rows; ++row)
        table.setRowHeightExact(row, rowHeight);
    table.setBorders(false);
    rowHeight_ = rowHeight;
    return table;
}

// Three lines of pile data (filled for a pile's first picture) above a
// picture that fills the rest of the row.
void PilePictureReport::addPictureBlock(pugi::xml_node cellParagraph, const Picture& picture) {
    const std::string path =
        (std::filesystem::path(pictureDir_) /
         (picture.pile->file->fileName + "-" + std::to_string(picture.pointNumber) + ".png"))
            .string();
    const std::vector<unsigned char> bytes = readPicture(path, "picture");

    setAlignment(cellParagraph, Alignment::Centre);
    const int width = pictureTable_.cellContentWidthTwips(1, 1);
    const int evaluationRow = kDataRows + 1;
    const int pictureRow = kDataRows + 2;
    WordTable block = WordTable::insertBefore(cellParagraph, pictureRow, 3, width);
    block.setCellPaddings(0, 0, 0, 0);
    block.setCellSpacing(0);
    block.setBorders(false);
    const double pictureHeight = rowHeight_ - kDataRows * kDataRowHeight - kEvaluationRowHeight - 4;
    for (int row = 1; row <= kDataRows; ++row)
        block.setRowHeightExact(row, kDataRowHeight);
    block.setRowHeightExact(evaluationRow, kEvaluationRowHeight);
    block.setRowHeightExact(pictureRow, pictureHeight);
    block.setColumnWidthsPercent({34, 33});
    block.mergeRow(evaluationRow);
    block.mergeRow(pictureRow);
    if (picture.firstOfPile) {
        const auto data = pileData(*picture.pile);
        for (std::size_t i = 0; i < data.size(); ++i)
            typeInto(block.cellParagraph(static_cast<int>(i / 3) + 1, static_cast<int>(i % 3) + 1),
                     Alignment::Left, data[i], kDataFont);
        typeInto(block.cellParagraph(evaluationRow, 1), Alignment::Left,
                 "Evaluation:" + picture.pile->evaluation, kDataFont);
    }
    const std::string id = document_.addPicture(std::string(bytes.begin(), bytes.end()));
    document_.appendPictureBehindText(block.cellParagraph(pictureRow, 1), id,
                                      block.cellContentWidthTwips(pictureRow, 1),
                                      static_cast<int>(pictureHeight * kTwipsPerPoint));
}

} // namespace

WordDocument buildPilePictureReport(const ProjectInfo& project, const AreaFileList& areas,
                                    const ReportInputs& inputs) {
    return PilePictureReport(project, areas, inputs).build();
}

} // namespace tarvel::scrivet
