#include "report_texts.h"

#include <cctype>

namespace tarvel::scrivet {
namespace {

ReportTexts chinese() {
    ReportTexts t{};
    t.language = ReportLanguage::Chinese;
    t.font = "宋体";
    t.colon = "：";
    t.listSeparator = "、";

    t.reportNumberLabel = "报告编号：";
    t.pageBefore = "第 ";
    t.pageBetween = " 页 / 共 ";
    t.pageAfter = " 页 ";

    t.reportTitle = "检 测 报 告";
    t.coverLabels = {"报告编号", "工程名称", "委托单位", "检测项目", "检测单位", "报告日期"};
    t.testItem = "落球法地基变形模量及回弹模量检测";
    t.labLabels = {"地址", "邮编", "电话", "资质证书编号"};
    t.statementsTitle = "声  明";
    t.statements = {"1．本报告检测结果仅对所检测的测区负责。",
                    "2．未经本单位书面批准，不得部分复制本报告。",
                    "3．本报告无编写、复核、审核、批准人签字无效，涂改无效。"};

    t.overviewHeading = "一、工程概况";
    t.overviewLabels = {"工程名称", "工程地点", "建设单位",   "委托单位", "勘察单位", "设计单位",
                        "施工单位", "监理单位", "质量监督站", "检测日期", "备    注"};
    t.basisHeading = "二、检测依据及仪器设备";
    t.basisLabels = {"检测依据", "仪器型号", "仪器编号", "检定/校准证书编号",
                     "检测日期", "检测人员", "委托日期"};
    t.permitBefore = "（上岗证号：";
    t.permitAfter = "）";
    t.dateRangeBetween = " 至 ";

    t.resultsHeading = "三、检测结果";
    t.summaryHeading = "（一）结果汇总";
    t.conclusionLabel = "检测结论：";
    t.areaResultsHeading = "（二）各测区检测结果";
    t.mapsHeading = "四、变形模量分布图";

    t.numberTitle = "序号";
    t.areaTitle = "测区";
    t.pointsTitle = "测点数";
    t.deformationGroup = "变形模量 (MPa)";
    t.resilientGroup = "回弹模量 (MPa)";
    t.modulusColumns = {"调和平均", "要求值", "代表值", "达标率(%)"};
    t.narrowModulusColumns = {"调和\n平均", "要求值", "代表值", "达标率\n(%)"};
    t.verdictTitle = "判定";
    t.pass = "合格";
    t.fail = "不合格";
    t.noRequirement = "未设要求";
    t.undecided = "无法判定";

    t.allPass = "所检{count}的{moduli}代表值均达到要求值，判定合格";
    t.someFail = "{areas}不合格";
    t.othersPass = "，其余{count}合格";
    t.alsoPass = "，另有{count}合格";
    t.failedArea = "{area}（{moduli}）";
    t.unjudged = "{areas}未设要求值，未作判定";
    t.undecidedAreas = "{areas}有效测点不足，无法判定";
    t.nothingRequired = "各测区均未设要求值，本报告仅列出检测结果，未作合格判定";
    t.partSeparator = "；";
    t.sentenceEnd = "。";
    t.conclusionModuli = {"变形模量", "回弹模量"};
    t.moduliJoin = "和";
    t.areaNoun = " {n} 个测区";
    t.oneArea = " 1 个测区";

    t.areaLabels = {"测区名称",     "测区类型", "测点个数",           "测点间距",
                    "落球下落高度", "检测日期", "变形模量调和平均值", "回弹模量调和平均值"};
    t.pointNumberTitle = "测点\n编号";
    t.pointNumberTitleFlat = "测点编号";
    t.pointCount = "{points}（{rows}行×{columns}列）";
    t.statisticsTitle = "统计项目";
    t.deformationModulus = "变形模量";
    t.resilientModulus = "回弹模量";
    t.statisticsLeft = {"要求值 (MPa)",     "保证率",       "测点数",  "剔除测点数",
                        "算术平均值 (MPa)", "标准差 (MPa)", "变异系数"};
    t.statisticsRight = {"最小值 (MPa)", "最小值测点", "最大值 (MPa)", "最大值测点",
                         "代表值 (MPa)", "达标率",     "判定"};
    t.flagNoteTitle = " 质量标记：";
    t.pointsBefore = "测点 ";
    t.severityOpen = "（";
    t.severityClose = "）：";
    t.flagSeparator = "；";
    t.calibrationNote =
        "仪器标定可疑：本测区实测峰值加速度为赫兹理论值的 {ratio} 倍（各测点中值），"
        "请核对落球下落高度、放大倍数与灵敏度。";
    t.materials = {"硬质砾石", "硬质砂石", "粉砂", "软弱黏土", "水泥稳定土", "其它材料"};

    t.figure = "图";
    t.mapCaption = " 变形模量分布图";
    t.mapScaleNote = "各图色标相同：{lower}～{upper} MPa";
    t.mapOutlineNote = "黑框为低于要求值 {required} MPa 的测点";
    t.mapMissingGrid = "{area}没有可用的网格，未绘分布图。";

    t.signatureTitles = {"职责", "姓名", "签字", "日期"};
    t.roles = {"编写", "复核", "审核", "批准"};
    t.dateLine = "      年    月    日";
    t.sealLabel = "检测单位（盖章）：";

    t.pictureTitle = "落球回弹模量测试检测报告";
    t.pictureNumber = "编号：";
    t.pictureColon = ":";
    t.pictureBlockLabels = {"测区名称", "被测材料", "测点数", "测点间距"};
    t.pictureProjectLabels = {"工程名称", "开工日期", "检测单位", "测试人员",
                              "上岗证号", "仪器型号", "仪器编号", "检定证号"};

    t.summarySheet = "汇总表";
    t.projectSheet = "工程信息";
    t.projectSheetLabels = {
        "工程名称", "检测依据", "工程地点",   "建设单位", "委托单位",     "勘察单位", "设计单位",
        "施工单位", "监理单位", "质量监督站", "建设日期", "检测日期",     "测试人员", "上岗证号",
        "仪器型号", "仪器编号", "检定证号",   "检测单位", "资质证书编号", "报告编号", "报告日期"};
    return t;
}

ReportTexts english() {
    ReportTexts t{};
    t.language = ReportLanguage::English;
    t.font = "Times New Roman";
    t.colon = ": ";
    t.listSeparator = ", ";

    t.reportNumberLabel = "Report No.: ";
    t.pageBefore = "Page ";
    t.pageBetween = " of ";
    t.pageAfter = "";

    t.reportTitle = "TEST REPORT";
    t.coverLabels = {"Report No.",         "Project",    "Client", "Test item",
                     "Testing laboratory", "Report date"};
    t.testItem = "Deformation and resilient moduli of the ground by the drop-ball method";
    t.labLabels = {"Address", "Postal code", "Phone", "Qualification (CMA) No."};
    t.statementsTitle = "Statements";
    t.statements = {"1. The results apply only to the areas tested.",
                    "2. This report shall not be reproduced except in full without the written "
                    "approval of the laboratory.",
                    "3. This report is not valid without the signatures of its author, checker, "
                    "reviewer and approver, nor when altered."};

    t.overviewHeading = "1 Project Overview";
    t.overviewLabels = {"Project name",
                        "Project location",
                        "Owner",
                        "Client",
                        "Survey company",
                        "Design company",
                        "Construction company",
                        "Supervision company",
                        "Quality supervision station",
                        "Test dates",
                        "Remarks"};
    t.basisHeading = "2 Test Basis and Instrument";
    t.basisLabels = {
        "Test standard", "Instrument model", "Instrument No.", "Calibration certificate No.",
        "Test dates",    "Tester",           "Commission date"};
    t.permitBefore = " (work permit ";
    t.permitAfter = ")";
    t.dateRangeBetween = " to ";

    t.resultsHeading = "3 Test Results";
    t.summaryHeading = "3.1 Summary";
    t.conclusionLabel = "Conclusion: ";
    t.areaResultsHeading = "3.2 Results by Area";
    t.mapsHeading = "4 Deformation Modulus Maps";

    t.numberTitle = "No.";
    t.areaTitle = "Area";
    t.pointsTitle = "Points";
    t.deformationGroup = "Deformation modulus (MPa)";
    t.resilientGroup = "Resilient modulus (MPa)";
    t.modulusColumns = {"Harmonic mean", "Required", "Representative", "Pass share (%)"};
    t.narrowModulusColumns = {"Harm.\nmean", "Req.", "Repr.\nvalue", "Pass\n(%)"};
    t.verdictTitle = "Verdict";
    t.pass = "Pass";
    t.fail = "Fail";
    t.noRequirement = "No requirement";
    t.undecided = "Undecided";

    t.allPass = "Every area tested ({count}) reaches the required {moduli} with its "
                "representative value: pass";
    t.someFail = "Fail: {areas}";
    t.othersPass = "; the other areas pass ({count})";
    t.alsoPass = "; pass: {count}";
    t.failedArea = "{area} ({moduli})";
    t.unjudged = "no required value, not judged: {areas}";
    t.undecidedAreas = "too few valid points to judge: {areas}";
    t.nothingRequired = "No area has a required value: the report gives the results without a "
                        "verdict";
    t.partSeparator = "; ";
    t.sentenceEnd = ".";
    t.conclusionModuli = {"deformation modulus", "resilient modulus"};
    t.moduliJoin = " and ";
    t.areaNoun = "{n} areas";
    t.oneArea = "1 area";

    t.areaLabels = {"Area",
                    "Material",
                    "Points",
                    "Point spacing",
                    "Drop height",
                    "Test date",
                    "Deformation modulus, harmonic mean",
                    "Resilient modulus, harmonic mean"};
    t.pointNumberTitle = "Point\nNo.";
    t.pointNumberTitleFlat = "Point No.";
    t.pointCount = "{points} ({rows} × {columns} grid)";
    t.statisticsTitle = "Statistic";
    t.deformationModulus = "Deformation modulus";
    t.resilientModulus = "Resilient modulus";
    t.statisticsLeft = {
        "Required (MPa)",          "Guarantee rate",        "Points",
        "Points left out",         "Arithmetic mean (MPa)", "Standard deviation (MPa)",
        "Coefficient of variation"};
    t.statisticsRight = {"Minimum (MPa)",    "Minimum at point",     "Maximum (MPa)",
                         "Maximum at point", "Representative (MPa)", "Pass share",
                         "Verdict"};
    t.flagNoteTitle = " Quality flags: ";
    t.pointsBefore = "points ";
    t.severityOpen = " (";
    t.severityClose = "): ";
    t.flagSeparator = "; ";
    t.calibrationNote = "Instrument calibration suspect: the measured peak accelerations of this "
                        "area are {ratio} times those of Hertz theory (median of the points); "
                        "check the drop height, gain and sensitivity.";
    t.materials = {"Hard gravel", "Hard sand-gravel",       "Silty sand",
                   "Soft clay",   "Cement-stabilised soil", "Other material"};

    t.figure = "Figure ";
    t.mapCaption = ": deformation modulus";
    t.mapScaleNote = "All maps share one colour scale: {lower} to {upper} MPa";
    t.mapOutlineNote = "Points outlined in black are below the required {required} MPa";
    t.mapMissingGrid = "{area} has no usable grid: no map is drawn.";

    t.signatureTitles = {"Role", "Name", "Signature", "Date"};
    t.roles = {"Prepared by", "Checked by", "Reviewed by", "Approved by"};
    t.dateLine = "";
    t.sealLabel = "Testing laboratory (seal): ";

    t.pictureTitle = "Drop-Ball Modulus Test: Wave Pictures";
    t.pictureNumber = "Report No.: ";
    t.pictureColon = ": ";
    t.pictureBlockLabels = {"Area", "Material", "Points", "Point spacing"};
    t.pictureProjectLabels = {"Project",        "Start date",      "Testing laboratory",
                              "Tester",         "Work permit No.", "Instrument model",
                              "Instrument No.", "Calibration No."};

    t.summarySheet = "Summary";
    t.projectSheet = "Project Information";
    t.projectSheetLabels = {"Project name",
                            "Test standard",
                            "Project location",
                            "Owner",
                            "Client",
                            "Survey company",
                            "Design company",
                            "Construction company",
                            "Supervision company",
                            "Quality supervision",
                            "Construction date",
                            "Test dates",
                            "Tester",
                            "Work permit No.",
                            "Instrument model",
                            "Instrument No.",
                            "Calibration cert. No.",
                            "Testing laboratory",
                            "Qualification No.",
                            "Report No.",
                            "Report date"};
    return t;
}

bool isStoredDate(const std::string& text) {
    if (text.size() != 8)
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

} // namespace

const ReportTexts& reportTexts(ReportLanguage language) {
    static const ReportTexts kChinese = chinese();
    static const ReportTexts kEnglish = english();
    return language == ReportLanguage::English ? kEnglish : kChinese;
}

std::string fillIn(std::string pattern,
                   std::initializer_list<std::pair<const char*, std::string>> values) {
    for (const auto& [name, value] : values) {
        const std::string key = std::string("{") + name + "}";
        for (std::size_t at = pattern.find(key); at != std::string::npos;
             at = pattern.find(key, at + value.size()))
            pattern.replace(at, key.size(), value);
    }
    return pattern;
}

std::string dateText(const std::string& stored, ReportLanguage language) {
    if (!isStoredDate(stored))
        return stored;
    const std::string year = stored.substr(0, 4);
    const std::string month = stored.substr(4, 2);
    const std::string day = stored.substr(6, 2);
    return language == ReportLanguage::English ? year + "-" + month + "-" + day
                                               : year + "年" + month + "月" + day + "日";
}

const char* verdictName(Verdict verdict, bool required, const ReportTexts& texts) {
    if (!required)
        return texts.noRequirement;
    switch (verdict) {
    case Verdict::Pass:
        return texts.pass;
    case Verdict::Fail:
        return texts.fail;
    case Verdict::Undecided:
        break;
    }
    return texts.undecided;
}

} // namespace tarvel::scrivet
