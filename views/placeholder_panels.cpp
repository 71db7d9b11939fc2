#include "placeholder_panels.h"

#include "app_context.h"
#include "data/app_state.h"
#include "data/gbk_text.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

using namespace tarvel;

QPipeInfo::QPipeInfo(QWidget* parent) : QWidget(parent) {
    areaName_ = new QLabel;
    resilient_ = new QLineEdit;
    resilient_->setReadOnly(true);
    deformation_ = new QLineEdit;
    deformation_->setReadOnly(true);
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("测区名称"), areaName_);
    form->addRow(QStringLiteral("测区回弹模量(MPa)"), resilient_);
    form->addRow(QStringLiteral("测区变形模量(MPa)"), deformation_);
}

void QPipeInfo::fill(const NamePipeFile& file) {
    areaName_->setText(QString::fromStdString(decodeGbk(file.header.areaName)));
}

void QPipeInfo::clear() {
    areaName_->clear();
    resilient_->clear();
    deformation_->clear();
}

void QPipeInfo::setAreaMeans(const QString& resilient, const QString& deformation) {
    resilient_->setText(resilient);
    deformation_->setText(deformation);
}

QString QPipeInfo::resilientText() const {
    return resilient_->text();
}

QString QPipeInfo::deformationText() const {
    return deformation_->text();
}

QWaveParameter::QWaveParameter(QWidget* parent) : QWidget(parent) {
    currentPoint_ = new QLabel;
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("当前测点"), currentPoint_);
}

void QWaveParameter::refresh() {
    const NamePipeFile* file = appState() ? appState()->current() : nullptr;
    if (!file || file->currentPoint <= 0) {
        currentPoint_->clear();
        return;
    }
    currentPoint_->setText(QString::number(file->currentPoint));
}

void QWaveParameter::reset() {
    currentPoint_->clear();
}
