#include "small_dialogs.h"

#include "data/area_file.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <iterator>

using namespace tarvel;

namespace {

// The file keeps a defect by its Chinese name, whatever the interface shows.
const char* const kTypeNames[] = {
    QT_TRANSLATE_NOOP("QErrorDlg", "缩径"), QT_TRANSLATE_NOOP("QErrorDlg", "扩径"),
    QT_TRANSLATE_NOOP("QErrorDlg", "断桩"), QT_TRANSLATE_NOOP("QErrorDlg", "离析"),
    QT_TRANSLATE_NOOP("QErrorDlg", "夹泥"), QT_TRANSLATE_NOOP("QErrorDlg", "裂纹"),
    QT_TRANSLATE_NOOP("QErrorDlg", "缺陷")};
const char* const kGradeNames[] = {QT_TRANSLATE_NOOP("QErrorDlg", "轻微"),
                                   QT_TRANSLATE_NOOP("QErrorDlg", "普通"),
                                   QT_TRANSLATE_NOOP("QErrorDlg", "严重")};

} // namespace

QErrorDlg::QErrorDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("设置"));
    setWindowModality(Qt::WindowModal);
    setFixedSize(600, 220);

    auto* typeBox = new QGroupBox(tr("缺陷类型"));
    auto* typeGrid = new QGridLayout(typeBox);
    types_ = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(std::size(kTypeNames)); ++i) {
        auto* button = new QRadioButton(tr(kTypeNames[i]));
        types_->addButton(button, i);
        typeGrid->addWidget(button, i / 4, i % 4);
    }
    types_->button(0)->setChecked(true);

    auto* gradeBox = new QGroupBox(tr("严重程度"));
    auto* gradeRow = new QHBoxLayout(gradeBox);
    grades_ = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(std::size(kGradeNames)); ++i) {
        auto* button = new QRadioButton(tr(kGradeNames[i]));
        grades_->addButton(button, i);
        gradeRow->addWidget(button);
    }
    grades_->button(0)->setChecked(true);

    auto* ok = new QPushButton(tr("确定"));
    auto* cancel = new QPushButton(tr("取消"));
    connect(ok, &QPushButton::clicked, this, &QErrorDlg::OKclicked);
    connect(cancel, &QPushButton::clicked, this, &QErrorDlg::Cancelclicked);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* column = new QVBoxLayout(this);
    column->addWidget(typeBox, 4);
    column->addWidget(gradeBox, 3);
    column->addLayout(buttons);
}

QString QErrorDlg::typeText() const {
    return QString::fromUtf8(kTypeNames[types_->checkedId()]);
}

QString QErrorDlg::gradeText() const {
    return QString::fromUtf8(kGradeNames[grades_->checkedId()]);
}

void QErrorDlg::OKclicked() {
    accept();
}

void QErrorDlg::Cancelclicked() {
    reject();
}

QMergeDlg::QMergeDlg(const NamePipeFile& file, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("波形叠加"));
    list_ = new QListWidget;
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    const int shown = file.pointCount() - file.deletedCount;
    for (int i = 0; i < static_cast<int>(file.points.size()); ++i) {
        const PointHeader& header = file.points[static_cast<std::size_t>(i)].header;
        if (header.deleted == 0 && header.pointNo >= 0) {
            list_->addItem(tr("序号:%1/%2").arg(i + 1).arg(shown));
            rowPoints_.append(i);
        }
    }
    auto* ok = new QPushButton(tr("确定"));
    auto* cancel = new QPushButton(tr("取消"));
    connect(ok, &QPushButton::clicked, this, &QMergeDlg::OkClick);
    connect(cancel, &QPushButton::clicked, this, &QMergeDlg::CancelClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->addWidget(list_);
    column->addLayout(buttons);
}

void QMergeDlg::selectedPoints(QList<int>& points) const {
    points.clear();
    // The selection model keeps the order in which items were selected.
    for (const QModelIndex& index : list_->selectionModel()->selectedIndexes())
        points.append(rowPoints_.value(index.row(), -1));
}

void QMergeDlg::OkClick() {
    accept();
}

void QMergeDlg::CancelClick() {
    reject();
}

QAboutMain::QAboutMain(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("关于"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* names = new QVBoxLayout;
    names->addWidget(new QLabel(QStringLiteral("Tarvel")));
    names->addWidget(new QLabel(QStringLiteral("V1.0")));
    auto* confirm = new QPushButton(tr("确认"));
    connect(confirm, &QPushButton::clicked, this, &QAboutMain::AboutOk);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(confirm);
    auto* row = new QHBoxLayout(this);
    row->addWidget(new QLabel);
    row->addLayout(names);
    row->addLayout(buttons);
}

void QAboutMain::AboutOk() {
    close();
}
