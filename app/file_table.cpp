// The measurement-area file table in the left dock panel.
#include "main_window.h"

#include <QFile>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableWidget>

using namespace tarvel;

namespace {

constexpr int kModifiedRole = Qt::UserRole + 1;
constexpr int kDamagedRole = Qt::UserRole + 2;

// A file name that shows a "*" while the file holds unsaved edits; editing
// it (renaming) starts from the bare name.
class FileNameItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    QVariant data(int role) const override {
        const QVariant value = QTableWidgetItem::data(role);
        if (role == Qt::DisplayRole && QTableWidgetItem::data(kDamagedRole).toBool())
            return MainWindow::tr("%1（已损坏）").arg(value.toString());
        if (role == Qt::DisplayRole && QTableWidgetItem::data(kModifiedRole).toBool())
            return value.toString() + QLatin1Char('*');
        return value;
    }
};

} // namespace

void MainWindow::setUpFileTable() {
    fileTable_->setWindowTitle(tr("测区文件列表"));
    fileTable_->setColumnCount(2);
    fileTable_->setHorizontalHeaderLabels({tr("序号"), tr("测区文件")});
    fileTable_->setFrameShape(QFrame::NoFrame);
    fileTable_->setShowGrid(false);
    fileTable_->verticalHeader()->hide();
    fileTable_->setColumnWidth(0, 80);
    fileTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    fileTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // A click on a name switches to that area (a double click does no
    // more); F2, or a second, slower click on the shown area's name, renames
    // it.
    fileTable_->setEditTriggers(QAbstractItemView::SelectedClicked |
                                QAbstractItemView::EditKeyPressed);
    fileTable_->setStyleSheet(QStringLiteral("selection-background-color:lightblue;"));
    connectFileTable(true);
}

void MainWindow::connectFileTable(bool on) {
    disconnect(fileTable_, &QTableWidget::cellClicked, this, &MainWindow::fileNameClicked);
    disconnect(fileTable_, &QTableWidget::itemChanged, this, &MainWindow::itemChanged);
    if (!on)
        return;
    connect(fileTable_, &QTableWidget::cellClicked, this, &MainWindow::fileNameClicked);
    connect(fileTable_, &QTableWidget::itemChanged, this, &MainWindow::itemChanged);
}

void MainWindow::fileNameClicked(int row, int column) {
    // The first column's check box takes the area in or out of the reports;
    // clicking it does not switch.
    if (column == 1)
        cellClicked(row, column);
}

void MainWindow::appendFileRow(int row) {
    const NamePipeFile& file = *state_.files[static_cast<std::size_t>(row)];
    auto* number = new QTableWidgetItem(QString::number(row + 1));
    number->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    number->setCheckState(file.excluded ? Qt::Unchecked : Qt::Checked);
    number->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    fileTable_->setItem(row, 0, number);
    auto* name = new FileNameItem(QFile::decodeName(file.fileName.c_str()));
    name->setData(kModifiedRole, file.modified);
    if (file.damaged) {
        // Listed so nothing goes missing without a word; never shown or
        // edited, as nothing of it can be trusted.
        name->setData(kDamagedRole, true);
        name->setForeground(QColor(160, 0, 0));
        name->setToolTip(tr("已损坏，不能打开：%1").arg(QFile::decodeName(file.loadError.c_str())));
        number->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        number->setData(Qt::CheckStateRole, QVariant());
    }
    fileTable_->setItem(row, 1, name);
}

void MainWindow::markModifiedFiles() {
    // Not an edit of the name: the rename handler must not hear of it.
    const QSignalBlocker quiet(fileTable_);
    const int rows = std::min(fileTable_->rowCount(), static_cast<int>(state_.files.size()));
    for (int row = 0; row < rows; ++row) {
        if (QTableWidgetItem* name = fileTable_->item(row, 1))
            name->setData(kModifiedRole, state_.files[static_cast<std::size_t>(row)]->modified);
    }
}

void MainWindow::refillFileTable() {
    connectFileTable(false);
    fileTable_->setRowCount(static_cast<int>(state_.files.size()));
    fileTable_->setSortingEnabled(false);
    for (int row = 0; row < static_cast<int>(state_.files.size()); ++row)
        appendFileRow(row);
    if (state_.currentFile >= 0)
        fileTable_->selectRow(state_.currentFile);
    fileTable_->setFocus();
    if (const NamePipeFile* current = state_.current())
        statusBar()->showMessage(tr("当前测区:") + QFile::decodeName(current->fileName.c_str()));
    connectFileTable(true);
}
