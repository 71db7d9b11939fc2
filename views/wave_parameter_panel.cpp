#include "wave_parameter_panel.h"

#include "edit/area_edits.h"
#include "session/project_session.h"
#include "user_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include <cstddef>
#include <utility>

using namespace tarvel;

namespace {

QSpinBox* spinBox(int low, int high, int step, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setValue(value);
    // A value is taken on Enter, on leaving the box or on an arrow step,
    // never on each key typed.
    box->setKeyboardTracking(false);
    return box;
}

int32_t checked(const QCheckBox* box) {
    return box->isChecked() ? 1 : 2;
}

BytePatch paramPatch(std::size_t offset, int32_t value) {
    return int32Patch(static_cast<int32_t>(offset), value);
}

} // namespace

QWaveParameter::QWaveParameter(ProjectSession& session, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), session_(session), dialogs_(dialogs) {
    setWindowTitle(tr("波形处理"));
    setWindowModality(Qt::WindowModal);

    stretch_ = new QSlider(Qt::Horizontal, this);
    stretch_->setRange(-50, 200);
    stretch_->setSingleStep(5);
    stretch_->setPageStep(5);
    // Dragging shows the value; only the release (or a key step) applies it,
    // since each apply conditions the whole area again.
    stretch_->setTracking(false);
    filter_ = new QComboBox(this);
    filter_->addItems({tr("无"), tr("低通"), tr("高通"), tr("带通")});
    lowCut_ = spinBox(0, 50000, 50, 100, this);
    highCut_ = spinBox(501, 500000, 50, 600, this);
    lowCut_->setEnabled(false);
    highCut_->setEnabled(false);
    areaScope_ = new QRadioButton(tr("当前测区"), this);
    pointScope_ = new QRadioButton(tr("当前测点"), this);
    areaScope_->setChecked(true);
    defaults_ = new QPushButton(tr("缺省参数"), this);
    automatic_ = new QRadioButton(tr("自动标记"), this);
    manual_ = new QRadioButton(tr("人工标记"), this);
    automatic_->setChecked(true);
    // Where a change goes and how the marks are found are two choices:
    // radio buttons of one parent would otherwise exclude each other.
    for (const auto& [first, second] :
         {std::pair{areaScope_, pointScope_}, std::pair{automatic_, manual_}}) {
        auto* group = new QButtonGroup(this);
        group->addButton(first);
        group->addButton(second);
    }

    dcRemoval_ = new QCheckBox(tr("去直流"), this);
    integrate_ = new QCheckBox(tr("积分"), this);
    polarity_ = new QCheckBox(tr("反向"), this);
    shape_ = new QComboBox(this);
    shape_->addItems({tr("指数"), tr("线性")});
    shapeParam_ = spinBox(1, 100, 1, 1, this);
    rateParam_ = spinBox(0, 512, 5, 0, this);
    factorParam_ = new QDoubleSpinBox(this);
    factorParam_->setSingleStep(0.1);
    factorParam_->setKeyboardTracking(false);
    offsetParam_ = spinBox(-10000, 10000, 10, 0, this);
    shapeScale_ = new QLineEdit(this);
    apply_ = new QPushButton(tr("应用"), this);
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             dcRemoval_, integrate_, polarity_, shape_, shapeParam_, rateParam_, factorParam_,
             offsetParam_, shapeScale_, apply_})
        hidden->hide();

    // One column of rows; a label too long for a narrow dock goes above its
    // controls rather than push them out of sight.
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->addRow(tr("拉压比"), stretch_);
    form->addRow(tr("滤波方式"), filter_);
    form->addRow(tr("低截止频率(Hz)"), lowCut_);
    form->addRow(tr("高截止频率(Hz)"), highCut_);
    const auto pair = [this](QWidget* first, QWidget* second) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(first);
        row->addWidget(second);
        row->addStretch();
        return row;
    };
    form->addRow(tr("应用范围："), pair(areaScope_, pointScope_));
    form->addRow(tr("标记起始/结束时间方式："), pair(automatic_, manual_));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaults_);
    buttons->addStretch();
    form->addRow(buttons);

    connect(stretch_, &QSlider::valueChanged, this, [this] {
        commit({paramPatch(offsetof(ProcessingParams, ampZoom), stretch_->value())});
    });
    connect(filter_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &QWaveParameter::currentIndexChanged);
    for (QSpinBox* cutOff : {lowCut_, highCut_})
        connect(cutOff, qOverload<int>(&QSpinBox::valueChanged), this,
                [this] { commit(filterPatches()); });
    for (QRadioButton* mark : {automatic_, manual_})
        connect(mark, &QRadioButton::clicked, this, [this] {
            commit({paramPatch(offsetof(ProcessingParams, autoMark),
                               automatic_->isChecked() ? 1 : 0)});
        });
    connect(defaults_, &QPushButton::clicked, this, &QWaveParameter::defaultClicked);
    connect(apply_, &QPushButton::clicked, this, &QWaveParameter::appClick);
    connect(shapeScale_, &QLineEdit::editingFinished, this, &QWaveParameter::changesave);
    connect(&session_, &ProjectSession::fileChanged, this, &QWaveParameter::refresh);
    connect(&session_, &ProjectSession::currentPointChanged, this, &QWaveParameter::refresh);
    connect(&session_, &ProjectSession::historyChanged, this, [this] {
        // Undo and redo put blocks back: show the point as it now is,
        // keeping the scope the user chose.
        const bool area = areaScope_->isChecked();
        refresh();
        (area ? areaScope_ : pointScope_)->setChecked(true);
    });
}

void QWaveParameter::enableCutOffs(int filterIndex) {
    lowCut_->setEnabled(filterIndex == 2 || filterIndex == 3);
    highCut_->setEnabled(filterIndex == 1 || filterIndex == 3);
}

void QWaveParameter::fill(const ProcessingParams& p) {
    filling_ = true;
    dcRemoval_->setChecked(p.dcRemoval == 1);
    polarity_->setChecked(p.polarity == 1);
    integrate_->setChecked(p.integrate == 0 || p.integrate == 1);
    shape_->setCurrentIndex(p.shapeCode == 2 ? 1 : 0);
    shapeParam_->setValue(p.shapeParam == 0 ? 1 : p.shapeParam);
    shapeScale_->setText(QString::number(static_cast<double>(p.shapeScale), 'g'));
    rateParam_->setValue(p.rateParam);
    factorParam_->setValue(static_cast<double>(p.factorParam));
    offsetParam_->setValue(p.offsetParam);
    // Any type above 4 filters as a band-pass, so it shows as one.
    const int type = p.filterType <= 0 ? 1 : p.filterType;
    const int index = type > 4 ? 3 : type - 1;
    filter_->setCurrentIndex(index);
    if (index == 1 || index == 3)
        highCut_->setValue(p.filterF2);
    if (index == 2 || index == 3)
        lowCut_->setValue(p.filterF1);
    enableCutOffs(index);
    stretch_->setValue(p.ampZoom);
    // Anything but 1 is marked by hand, and shows so.
    (p.autoMark == 1 ? automatic_ : manual_)->setChecked(true);
    filling_ = false;
}

void QWaveParameter::refresh() {
    const MeasurePoint* point = session_.currentPoint();
    if (!point) {
        reset();
        return;
    }
    fill(point->header.params);
    pointScope_->setChecked(true);
}

void QWaveParameter::reset() {
    fill(ProcessingParams{});
    pointScope_->setChecked(true);
}

std::vector<BytePatch> QWaveParameter::filterPatches() const {
    return {paramPatch(offsetof(ProcessingParams, filterType), filter_->currentIndex() + 1),
            paramPatch(offsetof(ProcessingParams, filterF1), lowCut_->value()),
            paramPatch(offsetof(ProcessingParams, filterF2), highCut_->value())};
}

std::vector<BytePatch> QWaveParameter::allPatches() const {
    std::vector<BytePatch> patches = filterPatches();
    const float scale = shapeScale_->text().toFloat();
    const float factor = static_cast<float>(factorParam_->value());
    patches.push_back(paramPatch(offsetof(ProcessingParams, autoMark), automatic_->isChecked()));
    patches.push_back(paramPatch(offsetof(ProcessingParams, integrate), checked(integrate_)));
    patches.push_back(paramPatch(offsetof(ProcessingParams, polarity), checked(polarity_)));
    patches.push_back(
        paramPatch(offsetof(ProcessingParams, shapeCode), shape_->currentIndex() + 1));
    patches.push_back(paramPatch(offsetof(ProcessingParams, shapeParam), shapeParam_->value()));
    patches.push_back(floatPatch(offsetof(ProcessingParams, shapeScale), scale));
    patches.push_back(paramPatch(offsetof(ProcessingParams, rateParam), rateParam_->value()));
    patches.push_back(floatPatch(offsetof(ProcessingParams, factorParam), factor));
    patches.push_back(paramPatch(offsetof(ProcessingParams, offsetParam), offsetParam_->value()));
    patches.push_back(paramPatch(offsetof(ProcessingParams, ampZoom), stretch_->value()));
    patches.push_back(paramPatch(offsetof(ProcessingParams, dcRemoval), checked(dcRemoval_)));
    return patches;
}

void QWaveParameter::commit(std::vector<BytePatch> patches) {
    if (filling_ || !session_.currentFile())
        return;
    const int point = pointScope_->isChecked() ? session_.currentPointIndex() : -1;
    // The point scope without a current point has nothing to write to.
    if (pointScope_->isChecked() && point < 0)
        return;
    const bool area = point < 0;
    session_.applyEdit(SetProcessingParams{point, std::move(patches)});
    (area ? areaScope_ : pointScope_)->setChecked(true);
}

void QWaveParameter::currentIndexChanged(int index) {
    enableCutOffs(index);
    commit(filterPatches());
}

void QWaveParameter::defaultClicked() {
    fill(ProcessingParams{});
    commit(allPatches());
}

void QWaveParameter::appClick() {
    changesave();
}

void QWaveParameter::changesave() {
    bool ok = false;
    const double scale = shapeScale_->text().toDouble(&ok);
    if (!ok || scale < -1e-6 || scale > 200.000001) {
        dialogs_.notify(this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
                        tr("放大起点，请输入0-200范围的值。"));
        const MeasurePoint* point = session_.currentPoint();
        shapeScale_->setText(QString::number(point ? point->header.params.shapeScale : 0, 'f', 1));
        return;
    }
    commit({floatPatch(offsetof(ProcessingParams, shapeScale), static_cast<float>(scale))});
}
