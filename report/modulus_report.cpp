#include "modulus_report.h"

#include "area_tables.h"
#include "change_record.h"
#include "picture_file.h"
#include "report_skeleton.h"
#include "scrivet.h"
#include "summary_table.h"
#include "template_anchors.h"

#include "analysis/area_map.h"
#include "analysis/results.h"
#include "analysis/shared_map_scale.h"
#include "data/gbk_text.h"

#include <filesystem>
#include <stdexcept>

namespace tarvel::scrivet {
namespace {

// Distribution maps are drawn 2:1; they take this share of the text width.
constexpr double kMapWidthShare = 0.9;
// The logo stands no higher than this on the cover.
constexpr int kLogoHeightTwips = 1134; // 2 cm

std::string labelled(const char* label, const ReportTexts& texts) {
    return std::string(label) + texts.colon;
}

// Types the conclusion after its bold label, in the label's font unbolded.
void typePlain(pugi::xml_node paragraph, const std::string& text) {
    pugi::xml_node run = appendRunLikeLast(paragraph, text);
    if (pugi::xml_node format = run.child("w:rPr")) {
        format.remove_child("w:b");
        format.remove_child("w:bCs");
    }
}

void fillCover(WordDocument& document, const ProjectInfo& p, const LabFacts& lab,
               const ReportTexts& texts) {
    const pugi::xml_node body = document.body();
    if (!lab.logo.empty()) {
        const std::vector<unsigned char> png = readPicture(lab.logo, "logo");
        const auto [wide, high] = pngSize(png);
        const int height = kLogoHeightTwips;
        const int width = high > 0 ? std::min(kTextWidthTwips, height * wide / high) : height;
        document.appendInlinePicture(findBookmarkParagraph(body, kLogoPlace),
                                     document.addPicture({png.begin(), png.end()}), width, height);
    }
    typeAtBookmark(body, kLabPlace, lab.name);

    const WordTable cover = findTableWithLabel(body, texts.coverLabels[0]);
    const std::string values[] = {decodeGbk(p.reportNo),
                                  decodeGbk(p.projectName),
                                  decodeGbk(p.client),
                                  "",
                                  lab.name,
                                  dateText(decodeGbk(p.reportDate), texts.language)};
    for (std::size_t i = 0; i < texts.coverLabels.size(); ++i)
        fillLabelledRow(cover, texts.coverLabels[i], values[i]);

    const std::string contact[] = {lab.address, lab.postCode, lab.phone, lab.qualification};
    for (std::size_t i = 0; i < texts.labLabels.size(); ++i)
        if (!contact[i].empty())
            appendRunLikeLast(
                findParagraph(body.first_child(), labelled(texts.labLabels[i], texts)), contact[i]);
}

void fillOverview(const pugi::xml_node body, const ProjectInfo& p, const std::string& testDates,
                  const ReportTexts& texts) {
    const std::string values[] = {decodeGbk(p.projectName),
                                  decodeGbk(p.projectAddress),
                                  decodeGbk(p.owner),
                                  decodeGbk(p.client),
                                  decodeGbk(p.surveyor),
                                  decodeGbk(p.designer),
                                  decodeGbk(p.builder),
                                  decodeGbk(p.supervisor),
                                  decodeGbk(p.authority),
                                  testDates,
                                  ""};
    const WordTable table = findTableWithLabel(body, texts.overviewLabels[1]);
    for (std::size_t i = 0; i < texts.overviewLabels.size(); ++i)
        fillLabelledRow(table, texts.overviewLabels[i], values[i]);
}

void fillBasis(const pugi::xml_node body, const ProjectInfo& p, const std::string& testDates,
               const ReportTexts& texts) {
    const std::string values[] = {decodeGbk(p.testBasis),
                                  decodeGbk(p.instrumentModel),
                                  decodeGbk(p.instrumentNo),
                                  decodeGbk(p.calibrationNo),
                                  testDates,
                                  testerText(p, texts),
                                  dateText(decodeGbk(p.commissionDate), texts.language)};
    const WordTable table = findTableWithLabel(body, texts.basisLabels[0]);
    for (std::size_t i = 0; i < texts.basisLabels.size(); ++i)
        fillLabelledRow(table, texts.basisLabels[i], values[i]);
}

void addSummary(const pugi::xml_node body, const std::vector<AreaReport>& reports,
                const ReportTexts& texts) {
    const pugi::xml_node conclusion = findParagraph(body.first_child(), texts.conclusionLabel);
    if (!reports.empty()) {
        addSummaryTable(conclusion, findBookmarkParagraph(body, kAreasPlace), reports, texts);
        // The table stands apart from the conclusion under it.
        insertParagraphBefore(conclusion);
    }
    typePlain(conclusion, conclusionText(reports, texts));
}

void addAreaDetails(WordDocument& document, const std::vector<AreaReport>& reports,
                    const ReportTexts& texts) {
    const pugi::xml_node place = findBookmarkParagraph(document.body(), kAreasPlace);
    for (const AreaReport& report : reports)
        addAreaTables(document, place, report, texts);
}

pugi::xml_node centredParagraphAfter(pugi::xml_node after) {
    pugi::xml_node paragraph = after.parent().insert_child_after("w:p", after);
    setAlignment(paragraph, Alignment::Centre);
    return paragraph;
}

// The maps before the maps' place, each captioned with its number and area,
// and a note that they share one colour scale. Without a picture folder the
// chapter goes, heading and all.
void addMaps(WordDocument& document, const AreaFileList& areas, const ReportInputs& inputs) {
    const ReportTexts& texts = inputs.texts();
    const pugi::xml_node place = findBookmarkParagraph(document.body(), kMapsPlace);
    if (inputs.pictureDir.empty()) {
        const pugi::xml_node heading =
            findParagraph(document.body().first_child(), texts.mapsHeading);
        heading.parent().remove_child(heading);
        return;
    }
    const FontFormat captionFont{texts.font, false, 10.5};
    const FontFormat noteFont{texts.font, false, 9};
    const MapScale scale = sharedMapScale(areas);
    pugi::xml_node last = insertParagraphBefore(place);
    setAlignment(last, Alignment::Centre);
    keepWithNext(last);
    appendRun(last,
              fillIn(texts.mapScaleNote, {{"lower", formatFixed(scale.lower, 0)},
                                          {"upper", formatFixed(scale.upper, 0)}}),
              noteFont);
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const NamePipeFile& area = *areas[i];
        const int number = static_cast<int>(i) + 1;
        const std::string name = decodeGbk(area.header.areaName);
        if (!buildAreaMap(area).usable()) {
            last = centredParagraphAfter(last);
            appendRun(last, fillIn(texts.mapMissingGrid, {{"area", name}}), captionFont);
            continue;
        }
        const std::string path =
            (std::filesystem::path(inputs.pictureDir) / mapFileName(number)).string();
        const std::vector<unsigned char> png = readPicture(path, "map");
        const auto [wide, high] = pngSize(png);
        const int width = static_cast<int>(kTextWidthTwips * kMapWidthShare);
        const int height = wide > 0 ? width * high / wide : width / 2;

        pugi::xml_node picture = centredParagraphAfter(last);
        keepWithNext(picture);
        document.appendInlinePicture(picture, document.addPicture({png.begin(), png.end()}), width,
                                     height);
        pugi::xml_node caption = centredParagraphAfter(picture);
        appendRun(caption, texts.figure + std::to_string(number) + "  " + name + texts.mapCaption,
                  captionFont);
        if (const auto required = inputs.requirementFor(area).deformationModulus) {
            keepWithNext(caption);
            caption = centredParagraphAfter(caption);
            appendRun(caption, fillIn(texts.mapOutlineNote, {{"required", valueText(*required)}}),
                      noteFont);
        }
        last = caption;
    }
}

} // namespace

WordDocument buildModulusReport(WordDocument document, const ProjectInfo& p,
                                const AreaFileList& areas, const ReportInputs& inputs) {
    const ReportTexts& texts = inputs.texts();
    const pugi::xml_node body = document.body();
    const LabFacts lab = labFacts(p, inputs.lab);
    const std::string testDates = testDatesText(areas, texts.language);

    std::vector<AreaReport> reports;
    reports.reserve(areas.size());
    for (std::size_t i = 0; i < areas.size(); ++i)
        reports.push_back(describeArea(*areas[i], static_cast<int>(i) + 1, texts,
                                       inputs.requirementFor(*areas[i])));

    fillCover(document, p, lab, texts);
    fillOverview(body, p, testDates, texts);
    fillBasis(body, p, testDates, texts);
    addSummary(body, reports, texts);
    addAreaDetails(document, reports, texts);
    addMaps(document, areas, inputs);
    fillSignatureBlock(body, lab, dateText(decodeGbk(p.reportDate), texts.language), texts);

    appendChangeRecord(document, areas,
                       texts.language == ReportLanguage::English ? RecordLanguage::English
                                                                 : RecordLanguage::Chinese);
    document.addPageFooter(texts.pageBefore, texts.pageBetween, texts.pageAfter);
    if (const std::string number = decodeGbk(p.reportNo); !number.empty())
        document.addPageHeader(texts.reportNumberLabel + number);
    document.setProperties(decodeGbk(p.projectName), decodeGbk(p.tester));
    return document;
}

} // namespace tarvel::scrivet
