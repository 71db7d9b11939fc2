// The measurement-area file table in the left dock panel.
#include "main_window.h"

#include <QHeaderView>
#include <QStatusBar>
#include <QTableWidget>

using namespace tarvel;

void MainWindow::setUpFileTable() {
    fileTable_->setWindowTitle(QStringLiteral("测区文件列表"));
    fileTable_->setColumnCount(2);
    fileTable_->setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("测区文件")});
    fileTable_->setFrameShape(QFrame::NoFrame);
    fileTable_->setShowGrid(false);
    fileTable_->verticalHeader()->hide();
    fileTable_->setColumnWidth(0, 80);
    fileTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    fileTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    fileTable_->setEditTriggers(QAbstractItemView::SelectedClicked);
    fileTable_->setStyleSheet(QStringLiteral("selection-background-color:lightblue;"));
    connectFileTable(true);
}

void MainWindow::connectFileTable(bool on) {
    disconnect(fileTable_, &QTableWidget::cellDoubleClicked, this, &MainWindow::cellClicked);
    disconnect(fileTable_, &QTableWidget::itemChanged, this, &MainWindow::itemChanged);
    if (!on)
        return;
    connect(fileTable_, &QTableWidget::cellDoubleClicked, this, &MainWindow::cellClicked);
    connect(fileTable_, &QTableWidget::itemChanged, this, &MainWindow::itemChanged);
}

void MainWindow::appendFileRow(int row) {
    const NamePipeFile& file = *state_.files[static_cast<std::size_t>(row)];
    auto* number = new QTableWidgetItem(QString::number(row + 1));
    number->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    number->setCheckState(file.excluded ? Qt::Unchecked : Qt::Checked);
    number->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    fileTable_->setItem(row, 0, number);
    fileTable_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(file.fileName)));
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
    if (!state_.files.empty())
        statusBar()->showMessage(QStringLiteral("当前桩:") +
                                 QString::fromStdString(state_.files.front()->fileName));
    connectFileTable(true);
}
