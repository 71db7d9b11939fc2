#include "acceptance_dialog.h"

#include "edit/header_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace tarvel;

namespace {

QString mpaText(const std::optional<double>& mpa) {
    return mpa ? QString::number(*mpa, 'g', 8) : QString();
}

// Empty reads as "nothing required"; anything else must be a positive
// number. False with `why` set for a refused text.
bool readRequired(const QLineEdit* edit, std::optional<double>& mpa, QString& why) {
    const std::string text = edit->text().trimmed().toStdString();
    if (text.empty()) {
        mpa.reset();
        return true;
    }
    std::string reason;
    const std::optional<float> value = parseFloatText(text, reason);
    if (!value || !(*value > 0)) {
        why = QAcceptanceDlg::tr("“%1”不是正数").arg(edit->text());
        return false;
    }
    mpa = std::stod(text);
    return true;
}

} // namespace

QAcceptanceDlg::QAcceptanceDlg(const AcceptanceCriteria& criteria, const QString& areaFileName,
                               QWidget* parent)
    : QDialog(parent), result_(criteria), areaFileName_(areaFileName) {
    setWindowTitle(tr("验收标准"));
    deformation_ = new QLineEdit(mpaText(criteria.requiredDeformationModulus));
    resilient_ = new QLineEdit(mpaText(criteria.requiredResilientModulus));
    for (QLineEdit* edit : {deformation_, resilient_})
        edit->setPlaceholderText(tr("不要求"));
    rate_ = new QComboBox;
    rate_->addItems({QStringLiteral("95%"), QStringLiteral("90%")});
    rate_->setCurrentIndex(criteria.guaranteeRate < 0.925 ? 1 : 0);

    const auto own = criteria.areas.find(areaFileName.toStdString());
    const bool hasOwn = own != criteria.areas.end() && (own->second.deformationModulus.present ||
                                                        own->second.resilientModulus.present);
    ownArea_ = new QCheckBox(tr("本测区单独设定（%1）").arg(areaFileName));
    ownArea_->setChecked(hasOwn);
    ownArea_->setEnabled(!areaFileName.isEmpty());
    areaDeformation_ = new QLineEdit(hasOwn ? mpaText(own->second.deformationModulus.mpa) : "");
    areaResilient_ = new QLineEdit(hasOwn ? mpaText(own->second.resilientModulus.mpa) : "");
    for (QLineEdit* edit : {areaDeformation_, areaResilient_}) {
        edit->setPlaceholderText(tr("不要求"));
        edit->setEnabled(hasOwn);
        connect(ownArea_, &QCheckBox::toggled, edit, &QWidget::setEnabled);
    }
    problem_ = new QLabel;
    problem_->setStyleSheet(QStringLiteral("color: #c00000"));

    auto* project = new QFormLayout;
    project->addRow(tr("要求变形模量(MPa)"), deformation_);
    project->addRow(tr("要求回弹模量(MPa)"), resilient_);
    project->addRow(tr("保证率"), rate_);
    auto* area = new QFormLayout;
    area->addRow(ownArea_);
    area->addRow(tr("要求变形模量(MPa)"), areaDeformation_);
    area->addRow(tr("要求回弹模量(MPa)"), areaResilient_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QAcceptanceDlg::OKClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(project);
    column->addLayout(area);
    column->addWidget(problem_);
    column->addWidget(buttons);
}

void QAcceptanceDlg::OKClicked() {
    AcceptanceCriteria criteria = result_;
    QString why;
    std::optional<double> areaDeformation;
    std::optional<double> areaResilient;
    if (!readRequired(deformation_, criteria.requiredDeformationModulus, why) ||
        !readRequired(resilient_, criteria.requiredResilientModulus, why) ||
        (ownArea_->isChecked() && (!readRequired(areaDeformation_, areaDeformation, why) ||
                                   !readRequired(areaResilient_, areaResilient, why)))) {
        problem_->setText(why);
        return;
    }
    criteria.guaranteeRate = rate_->currentIndex() == 1 ? 0.90 : 0.95;
    const std::string area = areaFileName_.toStdString();
    if (ownArea_->isChecked() && !area.empty()) {
        // An empty box in the area's own setting means "nothing required here".
        criteria.areas[area] = AreaOverride{{true, areaDeformation}, {true, areaResilient}};
    } else {
        criteria.areas.erase(area);
    }
    result_ = criteria;
    accept();
}
