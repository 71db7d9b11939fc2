#include "view_options_dialog.h"

#include "user_dialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace tarvel;

namespace {

int32_t asFlag(int32_t value) {
    return value != 0 ? 1 : 0;
}

} // namespace

void QParamter::normaliseHeight(ViewOptions& options) {
    if (options.waveHeight < kMinimumHeight || options.waveHeight > kMaximumHeight)
        options.waveHeight = kFallbackHeight;
}

QParamter::QParamter(const ViewOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
    setWindowTitle(tr("选项"));
    normaliseHeight(options_);

    height_ = new QLineEdit(QString::number(options_.waveHeight));
    height_->setFixedWidth(80);
    height_->setValidator(new QIntValidator(kMinimumHeight, kMaximumHeight, this));
    auto* heightRow = new QHBoxLayout;
    auto* form = new QFormLayout;
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("波显示高度(像素)"), height_);
    heightRow->addLayout(form);
    heightRow->addStretch();

    grid_ = new QCheckBox(tr("显示网格"));
    grid_->setChecked(options_.hideGrid == 0);
    ordinate_ = new QCheckBox(tr("显示纵坐标"));
    ordinate_->setChecked(options_.showOrdinate != 0);

    auto* confirm = new QPushButton(tr("确认"));
    auto* cancel = new QPushButton(tr("取消"));
    confirm->setDefault(true);
    connect(confirm, &QPushButton::clicked, this, &QParamter::OKClicked);
    connect(cancel, &QPushButton::clicked, this, &QParamter::CancelClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);

    auto* column = new QVBoxLayout(this);
    column->addLayout(heightRow);
    column->addWidget(grid_);
    column->addWidget(ordinate_);
    column->addLayout(buttons);
}

void QParamter::OKClicked() {
    // An empty or unfinished entry reads as 0 and is refused like any other.
    const int height = height_->text().toInt();
    if (height < kMinimumHeight || height > kMaximumHeight) {
        userDialogs().notify(this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
                             tr("波显示高度请输入50-500之间的数！"));
        return;
    }
    options_.waveHeight = height;
    options_.hideGrid = grid_->isChecked() ? 0 : 1;
    options_.showOrdinate = ordinate_->isChecked() ? 1 : 0;
    for (int32_t* hidden : {&options_.abscissaTime, &options_.defectInTime, &options_.noNormalise,
                            &options_.lockLengthSpeed, &options_.setToeType})
        *hidden = asFlag(*hidden);
    accept();
}

void QParamter::CancelClicked() {
    reject();
}
