#include "pipe_info_panel.h"

#include "analysis/acceptance.h"
#include "analysis/results.h"
#include "data/gbk_text.h"
#include "data/translation_marks.h"
#include "edit/header_fields.h"
#include "edit/plausible_values.h"
#include "edit_widgets.h"
#include "flow_layout.h"
#include "session/interface_language.h"
#include "session/project_session.h"
#include "user_dialogs.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QPair>

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

using namespace tarvel;

namespace {

// The edit library and the acceptance rules name these in Chinese and mark
// them for translation; the panel shows them in the interface's language.
QString fieldLabel(const HeaderField& field) {
    return QCoreApplication::translate(kEditTextContext, field.label);
}

QString verdictName(Verdict verdict) {
    return QCoreApplication::translate(kVerdictTextContext, verdictText(verdict));
}

const QDate kNoDate(1900, 1, 1);

// Groups of 14-point labels share a narrow dock: the layouts keep their gaps
// small.
constexpr int kGap = 3;

QFormLayout* newForm() {
    auto* form = new QFormLayout;
    form->setContentsMargins(0, 0, 0, 0);
    form->setHorizontalSpacing(kGap);
    form->setVerticalSpacing(2);
    return form;
}

QLineEdit* readOnlyEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setEnabled(false);
    return edit;
}

QDateEdit* dateEdit(QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setCalendarPopup(true);
    // The form the instrument stores: eight digits, narrow enough to leave
    // the identification column its labels.
    edit->setDisplayFormat(QStringLiteral("yyyyMMdd"));
    // The earliest date stands for "none stored": it is shown as such and
    // never written unless the user picks a date.
    edit->setMinimumDate(kNoDate);
    edit->setSpecialValueText(QPipeInfo::tr("无日期"));
    edit->setDate(kNoDate);
    edit->setFixedWidth(edit->sizeHint().width());
    return edit;
}

QString fieldText(const char* bytes, std::size_t width) {
    return QString::fromStdString(decodeGbkField(bytes, width));
}

} // namespace

QPipeInfo::QPipeInfo(ProjectSession& session, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), dialogs_(dialogs) {
    setWindowTitle(tr("测区信息"));
    setWindowModality(Qt::WindowModal);

    projectName_ = readOnlyEdit(this);
    areaName_ = readOnlyEdit(this);
    areaType_ = new QComboBox(this);
    areaType_->addItems({tr("硬质砾石"), tr("硬质砂石"), tr("粉砂"), tr("软弱粘土"),
                         tr("水泥稳定土"), tr("其他材料")});
    pointTotal_ = readOnlyEdit(this);
    buildDate_ = dateEdit(this);
    testDate_ = dateEdit(this);
    resilient_ = readOnlyEdit(this);
    deformation_ = readOnlyEdit(this);
    verdict_ = new QLabel(this);
    calibration_ = new QLabel(this);
    calibration_->setWordWrap(true);
    fitMode_ = new QComboBox(this);
    fitMode_->addItems({tr("使用"), tr("粘聚力"), tr("摩擦角")});
    fitMode_->setEnabled(false);
    // Four characters wide: only "水泥稳定土" is longer, and the list shows it whole.
    areaType_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    areaType_->setMinimumContentsLength(4);

    // Five groups of fields that flow: side by side where the panel is wide,
    // one under the other in a narrow dock, where it scrolls.
    QList<QLabel*> labels;
    const auto group = [&](const QList<QPair<QString, QWidget*>>& rows) {
        auto* box = new QWidget(this);
        auto* form = newForm();
        box->setLayout(form);
        for (const auto& [text, field] : rows) {
            if (text.isEmpty()) {
                form->addRow(field);
                continue;
            }
            auto* label = new QLabel(text, box);
            labels << label;
            form->addRow(label, field);
        }
        return box;
    };
    const auto field = [&](const char* key) {
        QCustomEdit* edit = newFieldEdit(key);
        return QPair<QString, QWidget*>(fieldLabel(*fields_.back().field), edit);
    };
    QWidget* identification = group({{tr("工程名称"), projectName_},
                                     {tr("测区名称"), areaName_},
                                     {tr("测区类型"), areaType_},
                                     {tr("测点数"), pointTotal_},
                                     {tr("建设日期"), buildDate_},
                                     {tr("测试日期"), testDate_},
                                     field("pointSpacing")});
    QWidget* results = group({{tr("测区回弹模量(MPa)"), resilient_},
                              {tr("测区变形模量(MPa)"), deformation_},
                              {QString(), verdict_},
                              {QString(), calibration_}});
    QWidget* ball = group({field("dropHeight"), field("ballRadius"), field("ballMass"),
                           field("ballModulus"), field("ballPoisson"), field("materialPoisson")});
    QWidget* material = group({field("materialCorr"),
                               field("deflectionCorr"),
                               field("naturalDensity"),
                               {tr("拟合"), fitMode_},
                               field("slopeCoef"),
                               field("constTerm")});
    QWidget* density =
        group({field("maxDryDensity"),
               field("minDryDensity"),
               {QString(), new QLabel(QStringLiteral("Rd(g/cm3)=a*ln(E(MPa))+b"), this)},
               field("densityA"),
               field("densityB"),
               field("accelCorrection")});
    // One label width for all groups, so that stacked groups line up.
    int labelWidth = 0;
    for (const QLabel* label : labels)
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    for (QLabel* label : labels)
        label->setMinimumWidth(labelWidth);
    auto* flow = new FlowLayout(this, 4 * kGap);
    for (QWidget* box : {identification, results, ball, material, density})
        flow->addWidget(box);

    connect(areaType_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &QPipeInfo::changesave);
    connect(buildDate_, &QDateEdit::dateChanged, this, &QPipeInfo::changesave);
    connect(testDate_, &QDateEdit::dateChanged, this, &QPipeInfo::changesave);
    connect(&session_, &ProjectSession::fileChanged, this, &QPipeInfo::showCurrentFile);
    connect(&session_, &ProjectSession::resultsChanged, this, &QPipeInfo::showAreaMeans);
    // Undo and redo put header bytes back: show them.
    connect(&session_, &ProjectSession::historyChanged, this, [this] {
        if (const NamePipeFile* file = session_.currentFile())
            setPipeInfo(*file);
    });
    clearPipeInfo();
}

QCustomEdit* QPipeInfo::addField(const char* key, QFormLayout* form) {
    QCustomEdit* edit = newFieldEdit(key);
    form->addRow(fieldLabel(*fields_.back().field), edit);
    return edit;
}

QCustomEdit* QPipeInfo::newFieldEdit(const char* key) {
    const HeaderField* field = findHeaderField(key);
    // Made with the panel as parent, so that a commit reaches changesave().
    auto* edit = new QCustomEdit(this);
    edit->setObjectName(QString::fromLatin1(key));
    // Wide enough for the values a field shows ("2.10e+11", "-123.456"), and
    // no wider.
    const QString widest =
        field->format == FieldFormat::Exponent
            ? QStringLiteral("2.10e+11")
            : QStringLiteral("-00.") + QString(std::max(field->decimals, 3), '0');
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest) + 6);
    fields_.append({field, edit, QString()});
    return edit;
}

QCustomEdit* QPipeInfo::fieldEdit(const char* key) const {
    for (const FieldEdit& entry : fields_) {
        if (std::strcmp(entry.field->key, key) == 0)
            return entry.edit;
    }
    return nullptr;
}

void QPipeInfo::showCurrentFile() {
    if (const NamePipeFile* file = session_.currentFile())
        setPipeInfo(*file);
    else
        clearPipeInfo();
}

void QPipeInfo::showDate(QDateEdit* edit, const char* text, std::size_t width) {
    const QDate date = QDate::fromString(fieldText(text, width), QStringLiteral("yyyyMMdd"));
    edit->setDate(date.isValid() && date > kNoDate ? date : kNoDate);
}

void QPipeInfo::setPipeInfo(const NamePipeFile& file) {
    filling_ = true;
    const PipHeader& h = file.header;
    projectName_->setText(fieldText(h.projectName, sizeof h.projectName));
    areaName_->setText(fieldText(h.areaName, sizeof h.areaName));
    areaType_->setCurrentIndex(h.areaType <= 5 ? h.areaType : -1);
    pointTotal_->setText(QString::number(h.pointTotal));
    showDate(buildDate_, h.buildDate, sizeof h.buildDate);
    showDate(testDate_, h.testDate, sizeof h.testDate);
    fitMode_->setCurrentIndex(h.fitMode <= 2 ? h.fitMode : -1);
    for (FieldEdit& entry : fields_) {
        entry.stored =
            QString::fromStdString(formatHeaderField(*entry.field, headerFloat(h, *entry.field)));
        entry.edit->setText(entry.stored);
    }
    showAreaMeans();
    filling_ = false;
}

void QPipeInfo::clearPipeInfo() {
    filling_ = true;
    projectName_->clear();
    areaName_->clear();
    areaType_->setCurrentIndex(0);
    pointTotal_->clear();
    buildDate_->setDate(kNoDate);
    testDate_->setDate(kNoDate);
    fitMode_->setCurrentIndex(0);
    for (FieldEdit& entry : fields_) {
        entry.stored.clear();
        entry.edit->setText(QString());
    }
    resilient_->clear();
    deformation_->clear();
    verdict_->clear();
    calibration_->clear();
    filling_ = false;
}

void QPipeInfo::showAreaMeans() {
    const NamePipeFile* file = session_.currentFile();
    if (!file) {
        resilient_->clear();
        deformation_->clear();
        verdict_->clear();
        calibration_->clear();
        return;
    }
    const AreaMeans means = computeAreaMeans(*file);
    resilient_->setText(QString::fromStdString(formatFixed(means.resilientModulus, 2)));
    deformation_->setText(QString::fromStdString(formatFixed(means.deformationModulus, 2)));
    showCalibration(computeAreaCalibration(*file));

    const AreaRequirement requirement = session_.currentRequirement();
    if (!requirement.deformationModulus && !requirement.resilientModulus) {
        verdict_->setText(tr("验收：未设要求"));
        verdict_->setStyleSheet(QString());
        return;
    }
    // One line for the area: failed when either required modulus fails,
    // passed when every required one passes; the details in the tooltip.
    const AreaAcceptance acceptance = judgeArea(*file, requirement);
    QStringList details;
    Verdict overall = Verdict::Pass;
    const ModulusAcceptance* shown = nullptr;
    for (const auto& [name, modulus] : {std::pair{tr("变形模量"), &acceptance.deformationModulus},
                                        std::pair{tr("回弹模量"), &acceptance.resilientModulus}}) {
        if (!modulus->required)
            continue;
        shown = shown ? shown : modulus;
        if (modulus->verdict == Verdict::Fail || overall == Verdict::Fail)
            overall = Verdict::Fail;
        else if (modulus->verdict == Verdict::Undecided)
            overall = Verdict::Undecided;
        details << tr("%1：%2，代表值 %3 MPa，要求 %4 MPa，n = %5")
                       .arg(name, verdictName(modulus->verdict),
                            QString::fromStdString(formatFixed(modulus->representativeValue, 2)),
                            QString::fromStdString(formatFixed(*modulus->required, 2)))
                       .arg(modulus->n);
    }
    verdict_->setText(tr("验收：%1（代表值 %2 MPa）")
                          .arg(verdictName(overall),
                               QString::fromStdString(formatFixed(shown->representativeValue, 2))));
    verdict_->setToolTip(details.join(QLatin1Char('\n')));
    verdict_->setStyleSheet(overall == Verdict::Fail ? QStringLiteral("color: #c00000")
                                                     : QString());
}

void QPipeInfo::showCalibration(const AreaCalibration& calibration) {
    if (calibration.pointCount == 0) {
        calibration_->clear();
        return;
    }
    const QString ratio = QString::fromStdString(formatFixed(calibration.ratio, 2));
    calibration_->setText(calibration.suspect
                              ? tr("峰值校核：实测为理论的 %1 倍，仪器标定可疑").arg(ratio)
                              : tr("峰值校核：实测为理论的 %1 倍").arg(ratio));
    calibration_->setToolTip(
        tr("测得的峰值加速度与赫兹理论按落高和拟合的加载时间给出的峰值之比（测点中值）。\n"
           "偏离 1 超过 15% 时，多半是表头中的落高、增益或灵敏度有误，或传感器老化。"));
    calibration_->setStyleSheet(calibration.suspect ? QStringLiteral("color: #c06000") : QString());
}

QString QPipeInfo::calibrationText() const {
    return calibration_->text();
}

QString QPipeInfo::verdictText() const {
    return verdict_->text();
}

QString QPipeInfo::resilientText() const {
    return resilient_->text();
}

QString QPipeInfo::deformationText() const {
    return deformation_->text();
}

QString QPipeInfo::refusalText(const FieldRefusal& refusal) {
    switch (refusal.kind) {
    case FieldRefusal::Kind::NoNumber:
        return tr("没有输入数字");
    case FieldRefusal::Kind::NotANumber:
        break;
    case FieldRefusal::Kind::NotAFloat:
        return tr("超出单精度浮点数的范围");
    case FieldRefusal::Kind::OutOfRange:
        return tr("超出 %1 至 %2 的范围")
            .arg(QString::number(refusal.bottom), QString::number(refusal.top));
    case FieldRefusal::Kind::TooManyDecimals:
        return tr("小数多于 %1 位").arg(refusal.decimals);
    }
    return tr("不是数字");
}

bool QPipeInfo::confirmPlausible(const HeaderField& field, const QString& text, float value) {
    const PlausibleRange* range = implausibleRange(field.key, value);
    if (!range)
        return true;
    const bool english = interfaceLanguage() == InterfaceLanguage::English;
    return dialogs_.askYesNo(
        this, QStringLiteral("Tarvel"),
        tr("%1 = %2 不在常见范围 %3 至 %4 之内：%5。\n仍然使用这个值吗？")
            .arg(fieldLabel(field), text, QString::number(range->low), QString::number(range->high),
                 QString::fromUtf8(english ? range->englishReason : range->chineseReason)));
}

void QPipeInfo::changesave() {
    const NamePipeFile* file = session_.currentFile();
    if (filling_ || !file)
        return;
    SetHeaderFields change;
    QStringList refusals;
    for (FieldEdit& entry : fields_) {
        const QString text = entry.edit->text();
        if (text == entry.stored)
            continue;
        float value = 0;
        FieldRefusal refusal;
        if (!checkHeaderText(*entry.field, text.toStdString(), value, refusal)) {
            refusals << tr("%1 “%2”：%3").arg(fieldLabel(*entry.field), text, refusalText(refusal));
            entry.edit->setText(entry.stored);
            continue;
        }
        if (!confirmPlausible(*entry.field, text, value)) {
            entry.edit->setText(entry.stored);
            continue;
        }
        change.patches.push_back(floatPatch(entry.field->offset, value));
    }
    if (areaType_->currentIndex() >= 0 && areaType_->currentIndex() != file->header.areaType)
        change.patches.push_back({offsetof(PipHeader, areaType),
                                  {static_cast<unsigned char>(areaType_->currentIndex())}});
    const auto datePatch = [&](QDateEdit* edit, int32_t offset, const char* stored,
                               std::size_t width) {
        if (edit->date() == kNoDate)
            return;
        const QByteArray text = edit->date().toString(QStringLiteral("yyyyMMdd")).toLatin1();
        if (fieldText(stored, width) == QString::fromLatin1(text))
            return;
        BytePatch patch{offset, std::vector<unsigned char>(text.begin(), text.end())};
        patch.bytes.push_back(0);
        change.patches.push_back(std::move(patch));
    };
    datePatch(buildDate_, offsetof(PipHeader, buildDate), file->header.buildDate,
              sizeof file->header.buildDate);
    datePatch(testDate_, offsetof(PipHeader, testDate), file->header.testDate,
              sizeof file->header.testDate);
    if (!refusals.isEmpty())
        session_.showStatus(refusals.join(tr("；")));
    if (!change.patches.empty())
        session_.applyEdit(change);
    // What the header now holds is what the boxes show.
    if (const NamePipeFile* current = session_.currentFile())
        setPipeInfo(*current);
}
