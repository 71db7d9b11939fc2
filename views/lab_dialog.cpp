#include "lab_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace tarvel;

namespace {

// As many characters as the profile file takes.
constexpr int kLongestText = 200;

QLineEdit* textBox(const std::string& text) {
    auto* edit = new QLineEdit(QString::fromStdString(text));
    edit->setMaxLength(kLongestText);
    edit->setMinimumWidth(320);
    return edit;
}

std::string textOf(const QLineEdit* edit) {
    return edit->text().trimmed().toStdString();
}

} // namespace

QLabDlg::QLabDlg(const LabProfile& lab, QWidget* parent) : QDialog(parent), result_(lab) {
    setWindowTitle(tr("检测单位"));
    name_ = textBox(lab.name);
    qualification_ = textBox(lab.qualification);
    address_ = textBox(lab.address);
    phone_ = textBox(lab.phone);
    const std::string* people[] = {&lab.author, &lab.checker, &lab.reviewer, &lab.approver};
    for (int i = 0; i < 4; ++i)
        signatories_[i] = textBox(*people[i]);
    logo_ = textBox(lab.logo);
    logo_->setMaxLength(4096);
    logo_->setPlaceholderText(tr("不用标志"));
    auto* browse = new QPushButton(tr("浏览…"));
    connect(browse, &QPushButton::clicked, this, &QLabDlg::chooseLogo);
    problem_ = new QLabel;
    problem_->setStyleSheet(QStringLiteral("color: #c00000"));

    auto* form = new QFormLayout;
    form->addRow(tr("单位名称"), name_);
    form->addRow(tr("资质证书编号(CMA)"), qualification_);
    form->addRow(tr("地址"), address_);
    form->addRow(tr("电话"), phone_);
    form->addRow(tr("编写"), signatories_[0]);
    form->addRow(tr("复核"), signatories_[1]);
    form->addRow(tr("审核"), signatories_[2]);
    form->addRow(tr("批准"), signatories_[3]);
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(logo_);
    logoRow->addWidget(browse);
    form->addRow(tr("标志图片(PNG)"), logoRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QLabDlg::OKClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(problem_);
    column->addWidget(buttons);
}

void QLabDlg::chooseLogo() {
    const QString start = logo_->text().isEmpty() ? QString() : QFileInfo(logo_->text()).path();
    const QString file =
        QFileDialog::getOpenFileName(this, tr("标志图片"), start, tr("PNG 图片 (*.png)"));
    if (!file.isEmpty())
        logo_->setText(file);
}

void QLabDlg::OKClicked() {
    // The reports embed the logo as it is: it must be a PNG they can read.
    const QString logo = logo_->text().trimmed();
    if (!logo.isEmpty()) {
        QImageReader reader(logo);
        if (reader.format() != "png" || !reader.canRead()) {
            problem_->setText(tr("“%1”不是可读的 PNG 图片").arg(logo));
            return;
        }
    }
    LabProfile lab;
    lab.name = textOf(name_);
    lab.qualification = textOf(qualification_);
    lab.address = textOf(address_);
    lab.phone = textOf(phone_);
    lab.author = textOf(signatories_[0]);
    lab.checker = textOf(signatories_[1]);
    lab.reviewer = textOf(signatories_[2]);
    lab.approver = textOf(signatories_[3]);
    lab.logo = logo.toStdString();
    result_ = lab;
    accept();
}
