// The fixed texts of the drop-ball documents in each language they are
// written in. Result names and units are not here: they come from the
// result-field table; the quality flags' names from the flag table.
#pragma once

#include "analysis/acceptance.h"

#include <array>
#include <initializer_list>
#include <string>
#include <utility>

namespace tarvel::scrivet {

enum class ReportLanguage { Chinese, English };

struct ReportTexts {
    ReportLanguage language;
    const char* font;          // of everything the documents type
    const char* colon;         // after a label: "：" or ": "
    const char* listSeparator; // "、" or ", "

    // Every page.
    const char* reportNumberLabel; // "报告编号："
    const char* pageBefore;        // then the page, pageBetween, the count, pageAfter
    const char* pageBetween;
    const char* pageAfter;

    // Cover.
    const char* reportTitle;
    std::array<const char*, 6> coverLabels; // report no., project, client, item, lab, date
    const char* testItem;
    std::array<const char*, 4> labLabels; // address, postcode, phone, qualification
    const char* statementsTitle;
    std::array<const char*, 3> statements;

    // Project overview and test basis.
    const char* overviewHeading;
    std::array<const char*, 11> overviewLabels; // the tenth takes the test dates
    const char* basisHeading;
    std::array<const char*, 7> basisLabels; // standard, model, number, calibration,
                                            // test dates, tester, commission date
    const char* permitBefore;               // around the tester's work-permit number
    const char* permitAfter;
    const char* dateRangeBetween;

    // Results.
    const char* resultsHeading;
    const char* summaryHeading;
    const char* conclusionLabel;
    const char* areaResultsHeading;
    const char* mapsHeading;

    // The summary table.
    const char* numberTitle;
    const char* areaTitle;
    const char* pointsTitle;
    const char* deformationGroup; // over its columns
    const char* resilientGroup;
    // Over each modulus's columns; "\n" breaks a title where its columns are
    // narrow (both moduli judged).
    std::array<const char*, 4> modulusColumns;       // harmonic mean, required,
                                                     // representative, pass share (%)
    std::array<const char*, 4> narrowModulusColumns; // the same on two lines
    const char* verdictTitle;
    const char* pass;
    const char* fail;
    const char* noRequirement;
    const char* undecided; // a requirement, but too few points to judge

    // Sentences of the conclusion: "{n}" a number of areas, "{count}" the
    // same with its noun, "{areas}" a list of area names, "{moduli}" of moduli.
    const char* allPass;
    const char* someFail;
    const char* othersPass; // after someFail when every other area passed
    const char* alsoPass;   // after someFail when others are not judged
    const char* failedArea; // "{area}" with its failing "{moduli}"
    const char* unjudged;
    const char* undecidedAreas;
    const char* nothingRequired;
    const char* partSeparator;
    const char* sentenceEnd;
    std::array<const char*, 2> conclusionModuli; // deformation, resilient
    const char* moduliJoin;
    const char* areaNoun; // "{n}" areas: "{n} 个测区", "{n} areas"
    const char* oneArea;

    // The area blocks.
    std::array<const char*, 8> areaLabels; // name, material, points, spacing, drop
                                           // height, test date, Ed and Er harmonic means
    const char* pointNumberTitle;          // the point table's first column, two lines
    const char* pointNumberTitleFlat;      // the same on one line
    const char* pointCount;                // "{points}（{rows}行×{columns}列）"
    const char* statisticsTitle;           // "统计项目"
    const char* deformationModulus;        // a column of the statistics
    const char* resilientModulus;
    std::array<const char*, 7> statisticsLeft; // in the order of acceptance_report.h
    std::array<const char*, 7> statisticsRight;
    const char* flagNoteTitle; // after the mark: "质量标记："
    const char* pointsBefore;  // "测点 " before the numbers of a flag
    const char* severityOpen;
    const char* severityClose;
    const char* flagSeparator;   // between flags
    const char* calibrationNote; // an area's peaks far from Hertz theory: "{ratio}"
    std::array<const char*, 6> materials;

    // Maps.
    const char* figure;         // before a map's number
    const char* mapCaption;     // after the area's name
    const char* mapScaleNote;   // "{lower}", "{upper}"
    const char* mapOutlineNote; // "{required}"
    const char* mapMissingGrid; // an area without a usable grid: "{area}"

    // Signatures.
    std::array<const char*, 4> signatureTitles; // role, name, signature, date
    std::array<const char*, 4> roles;           // author, checker, reviewer, approver
    const char* dateLine;
    const char* sealLabel;

    // The picture report.
    const char* pictureTitle;
    const char* pictureNumber;                       // before the report number
    const char* pictureColon;                        // after a block's labels
    std::array<const char*, 4> pictureBlockLabels;   // name, material, points, spacing
    std::array<const char*, 8> pictureProjectLabels; // name, start date, lab, tester,
                                                     // permit, model, number, calibration

    // The workbook.
    const char* summarySheet;
    const char* projectSheet;
    std::array<const char*, 21> projectSheetLabels; // see excel_summary.cpp
};

const ReportTexts& reportTexts(ReportLanguage language);

// `pattern` with each "{name}" replaced by its value.
std::string fillIn(std::string pattern,
                   std::initializer_list<std::pair<const char*, std::string>> values);

// A stored "yyyyMMdd" as the language writes dates ("2026年12月05日",
// "2026-12-05"); any other text as it is.
std::string dateText(const std::string& stored, ReportLanguage language);

// "合格", "不合格", "无法判定", or "未设要求" when nothing was required.
const char* verdictName(Verdict verdict, bool required, const ReportTexts& texts);

} // namespace tarvel::scrivet
