#include "picture_report.h"

#include "area_report.h"
#include "word_table.h"

#include "data/gbk_text.h"
#include "data/input_file.h"

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

const FontFormat kBodyFont{"宋体", false, 10};

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

void typeInto(pugi::xml_node paragraph, Alignment alignment, const std::string& text) {
    Selection cell(paragraph);
    cell.font = kBodyFont;
    cell.setAlignment(alignment);
    cell.typeText(text);
}

void addProjectTable(Selection& selection, const ProjectInfo& p) {
    WordTable table = WordTable::insertBefore(selection.paragraph(), 4, 4, kTextWidthTwips);
    for (int row = 1; row <= 4; ++row)
        table.setRowHeightExact(row, kLabelRowHeight);
    table.setColumnWidthsPercent({20, 30, 20, 30});
    const std::string cells[4][4] = {
        {"工程名称", decodeGbk(p.projectName), "开工日期", decodeGbk(p.startDate)},
        {"检测单位", decodeGbk(p.testingCompany), "测试人员", decodeGbk(p.tester)},
        {"上岗证号", decodeGbk(p.permitNo), "仪器型号", decodeGbk(p.instrumentModel)},
        {"仪器编号", decodeGbk(p.instrumentNo), "检定证号", decodeGbk(p.calibrationNo)},
    };
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            typeInto(table.cellParagraph(row + 1, column + 1),
                     column % 2 == 0 ? Alignment::Centre : Alignment::Left, cells[row][column]);
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
    PictureReport(const std::string& pictureDir, const ProjectInfo& project,
                  const NamePipeFile& area)
        : pictureDir_(pictureDir), project_(project), area_(area),
          document_(WordDocument::blank()) {}

    WordDocument build();

private:
    void addPicturePage();
    void addPictureBlock(pugi::xml_node cellParagraph, int pictureNo, bool first);

    const std::string& pictureDir_;
    const ProjectInfo& project_;
    const NamePipeFile& area_;
    WordDocument document_;
    WordTable pictureTable_ = WordTable::attach({});
};

WordDocument PictureReport::build() {
    Selection selection(document_.endOfDocument());
    selection.setAlignment(Alignment::Centre);
    selection.font = {"宋体", true, 15};
    selection.typeText("落球回弹模量测试检测报告");
    selection.typeParagraph();
    selection.setAlignment(Alignment::Right);
    selection.font = kBodyFont;
    selection.typeText("编号：" + decodeGbk(project_.reportNo));
    selection.typeParagraph();
    selection.setAlignment(Alignment::Centre);
    addProjectTable(selection, project_);

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
    document_.addPageFooter();
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
    // The point count with its grid, "测点数:24（4行×6列）", needs the widest cell.
    block.setColumnWidthsPercent({20, 25, 30});
    block.mergeRow(2);
    block.mergeRow(3);

    if (first) {
        const PipHeader& h = area_.header;
        const std::string texts[4] = {
            "测区名称:" + decodeGbk(h.areaName), "被测材料:" + materialName(h.areaType),
            "测点数:" + pointCountText(area_), "测点间距:" + valueText(h.pointSpacing, "m")};
        for (int column = 0; column < 4; ++column)
            typeInto(block.cellParagraph(1, column + 1), Alignment::Left, texts[column]);
    }

    block.setCellPaddings(2, 1, 0, 0, 0, 0);
    const std::string path =
        joinPath(pictureDir_, area_.fileName + "-" + std::to_string(pictureNo + 1) + ".png");
    std::vector<unsigned char> bytes;
    std::string error = readWholeFile(path, bytes);
    if (!error.empty())
        throw std::runtime_error("picture " + path + ": " + error);
    const std::string id = document_.addPicture(std::string(bytes.begin(), bytes.end()));
    document_.appendPictureBehindText(block.cellParagraph(2, 1), id,
                                      block.cellContentWidthTwips(2, 1),
                                      static_cast<int>(kPictureHeight * kTwipsPerPoint));
}

} // namespace

WordDocument buildPictureReport(const std::string& pictureDir, const ProjectInfo& project,
                                const NamePipeFile& area) {
    return PictureReport(pictureDir, project, area).build();
}

} // namespace tarvel::scrivet
