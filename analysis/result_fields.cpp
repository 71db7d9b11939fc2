#include "result_fields.h"

namespace tarvel {

const std::array<ResultField, 12> kResultFields = {{
    {"tc", &PointResults::tc, "测试 Tc", "ms", 3, "测试 Tc (ms)", "Contact time (ms)"},
    {"settlement", &PointResults::settlement, "最大沉降量", "m", 3, "最大沉降量 (m)",
     "Settlement (m)"},
    {"impactForce", &PointResults::impactForce, "最大冲击力", "kN", 2, "最大冲击力 (kN)",
     "Impact force (kN)"},
    {"contactDiameter", &PointResults::contactDiameter, "接触直径", "m", 3, "接触直径 (m)",
     "Contact diameter (m)"},
    {"deformationModulus", &PointResults::deformationModulus, "变形模量", "MPa", 2,
     "变形模量 (MPa)", "Deformation modulus (MPa)"},
    {"k30", &PointResults::k30, "K30", "MPa/m", 2, "K30 (MPa/m)", "K30 (MPa/m)"},
    {"cbr", &PointResults::cbr, "CBR", "", 2, "CBR", "CBR"},
    {"resilientModulus", &PointResults::resilientModulus, "回弹模量", "MPa", 2, "回弹模量 (MPa)",
     "Resilient modulus (MPa)"},
    {"deflection", &PointResults::deflection, "弯沉", "0.01mm", 2, "弯沉 (0.01mm)",
     "Deflection (0.01 mm)"},
    {"dryDensity", &PointResults::dryDensity, "干燥密度", "g/cm3", 2, "干燥密度(g/cm3)",
     "Dry density (g/cm3)"},
    {"compactionDegree", &PointResults::compactionDegree, "压实度", "", 2, "压实度",
     "Degree of compaction"},
    {"relativeDensity", &PointResults::relativeDensity, "相对密度", "", 2, "相对密度",
     "Relative density"},
}};

const std::array<ResultField, 6> kFitResultFields = {{
    {"fitDeformationModulus", &PointResults::fitDeformationModulus, "拟合变形模量", "MPa", 2,
     "拟合变形模量 (MPa)", "Fitted deformation modulus (MPa)"},
    {"fitDeformationInterval", &PointResults::fitDeformationInterval, "拟合变形模量 ±95%", "MPa", 2,
     "拟合变形模量 ±95% (MPa)", "Fitted deformation modulus ±95 % (MPa)"},
    {"fitResilientModulus", &PointResults::fitResilientModulus, "拟合回弹模量", "MPa", 2,
     "拟合回弹模量 (MPa)", "Fitted resilient modulus (MPa)"},
    {"fitResilientInterval", &PointResults::fitResilientInterval, "拟合回弹模量 ±95%", "MPa", 2,
     "拟合回弹模量 ±95% (MPa)", "Fitted resilient modulus ±95 % (MPa)"},
    {"fitResidual", &PointResults::fitResidual, "拟合残差", "", 4, "拟合残差", "Fit residual"},
    {"calibrationRatio", &PointResults::calibrationRatio, "峰值比", "", 3, "实测/理论峰值",
     "Measured / Hertz peak"},
}};

std::string columnTitle(const ResultField& field) {
    std::string title = field.name;
    if (*field.unit != '\0')
        title += std::string("(") + field.unit + ")";
    return title;
}

} // namespace tarvel
