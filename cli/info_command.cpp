// tarvel-cli info: the header of an area file or the record of a project, readable.
#include "analysis/results.h"
#include "cli_common.h"
#include "data/clean_text.h"
#include "data/gbk_text.h"
#include "data/project_file.h"

#include <iostream>
#include <sstream>
#include <stdexcept>

namespace tarvel::cli {
namespace {

std::string number(double value, int decimals) {
    return formatFixed(value, decimals);
}

void line(std::ostream& out, const char* label, const std::string& value) {
    out << "  " << label << ": " << cleanText(value) << '\n';
}

void printAreaHeader(std::ostream& out, const NamePipeFile& file) {
    const PipHeader& h = file.header;
    out << cleanText(file.fileName) << '\n';
    line(out, "工程名称", decodeGbk(h.projectName));
    line(out, "测区名称", decodeGbk(h.areaName));
    line(out, "施工日期", decodeGbk(h.buildDate));
    line(out, "检测日期", decodeGbk(h.testDate));
    line(out, "测点数", std::to_string(file.pointCount()));
    line(out, "采样点数", std::to_string(h.sampleCount));
    line(out, "采样间隔(us)", number(h.sampleInterval, 2));
    line(out, "通道", std::to_string(h.channel));
    line(out, "采样方式", decodeGbk(h.acquireMode));
    line(out, "传感器类型", decodeGbk(h.sensorType));
    line(out, "接收方式", decodeGbk(h.receiveMode));
    line(out, "触发电平", std::to_string(h.triggerLevel));
    line(out, "增益", number(h.gain, 3));
    line(out, "灵敏度", number(h.sensitivity, 3));
    line(out, "满量程", number(h.fullScale, 1));
    line(out, "加速度修正", number(h.accelCorrection, 4));
    line(out, "落球高度(m)", number(h.dropHeight, 3));
    line(out, "球半径(m)", number(h.ballRadius, 4));
    line(out, "球质量(kg)", number(h.ballMass, 3));
    line(out, "球弹性模量(Pa)", number(h.ballModulus, 0));
    line(out, "球泊松比", number(h.ballPoisson, 3));
    line(out, "材料泊松比", number(h.materialPoisson, 3));
    line(out, "材料修正系数", number(h.materialCorr, 3));
    line(out, "模量修正斜率", number(h.slopeCoef, 3));
    line(out, "模量修正常数(MPa)", number(h.constTerm, 3));
    line(out, "弯沉修正", number(h.deflectionCorr, 3));
    line(out, "天然密度(g/cm3)", number(h.naturalDensity, 3));
    line(out, "最大干密度(g/cm3)", number(h.maxDryDensity, 3));
    line(out, "最小干密度(g/cm3)", number(h.minDryDensity, 3));
    line(out, "密度拟合 a", number(h.densityA, 4));
    line(out, "密度拟合 b", number(h.densityB, 4));
    line(out, "网格行数", std::to_string(h.pointTotal));
    line(out, "网格列数", std::to_string(h.gridColumns));
    line(out, "测点间距(m)", number(h.pointSpacing, 2));
    line(out, "列间距(m)", number(h.columnSpacing, 2));
}

void printProject(std::ostream& out, const std::string& path, const ProjectInfo& p) {
    out << cleanText(path) << '\n';
    const struct {
        const char* label;
        std::string value;
    } fields[] = {
        {"工程名称", decodeGbk(p.projectName)},     {"工程地址", decodeGbk(p.projectAddress)},
        {"工程类型", decodeGbk(p.projectKind)},     {"开工日期", decodeGbk(p.startDate)},
        {"检测单位", decodeGbk(p.testingCompany)},  {"单位地址", decodeGbk(p.companyAddress)},
        {"资质证号", decodeGbk(p.qualificationNo)}, {"联系人", decodeGbk(p.contactPerson)},
        {"联系电话", decodeGbk(p.contactPhone)},    {"单位邮编", decodeGbk(p.postCode)},
        {"仪器型号", decodeGbk(p.instrumentModel)}, {"仪器编号", decodeGbk(p.instrumentNo)},
        {"检定证号", decodeGbk(p.calibrationNo)},   {"检测人员", decodeGbk(p.tester)},
        {"上岗证号", decodeGbk(p.permitNo)},        {"委托单位", decodeGbk(p.client)},
        {"委托日期", decodeGbk(p.commissionDate)},  {"监理单位", decodeGbk(p.supervisor)},
        {"监督单位", decodeGbk(p.authority)},       {"设计单位", decodeGbk(p.designer)},
        {"施工单位", decodeGbk(p.builder)},         {"建设单位", decodeGbk(p.owner)},
        {"承建单位", decodeGbk(p.contractor)},      {"勘察单位", decodeGbk(p.surveyor)},
        {"报告编号", decodeGbk(p.reportNo)},        {"报告日期", decodeGbk(p.reportDate)},
        {"检测依据", decodeGbk(p.testBasis)},
    };
    for (const auto& field : fields)
        line(out, field.label, field.value);
}

} // namespace

int runInfoCommand(const std::vector<std::string>& args) {
    if (args.size() != 1 || args[0].rfind("--", 0) == 0)
        throw std::invalid_argument("info needs exactly one .pip or .Prj path");
    const std::string& path = args[0];
    std::ostringstream out;
    switch (inputKindOf(path)) {
    case InputKind::AreaFile:
        printAreaHeader(out, *loadAreaOrThrow(path));
        break;
    case InputKind::ProjectFile: {
        const ProjectLoad project = listProjectOrThrow(path);
        printProject(out, path, project.info);
        out << "  测区文件: " << project.files.size() << '\n';
        for (const auto& file : project.files)
            out << "    " << cleanText(file->fileName) << '\n';
        break;
    }
    case InputKind::Unknown:
        throw InputError{path + ": not a .pip area file or a .Prj project file"};
    }
    std::cout << out.str();
    return kSuccess;
}

} // namespace tarvel::cli
