// Single area-file commands, switching the current file, and the table's
// include, exclude and rename edits.
#include "main_window.h"

#include "analysis/area_loader.h"
#include "data/input_file.h"
#include "data/project_file.h"
#include "views/user_dialogs.h"
#include "views/wave_list.h"

#include <QApplication>
#include <QFile>
#include <QStatusBar>
#include <QTableWidget>

using namespace tarvel;

namespace {

constexpr int kMaxFileNameLength = 50;

} // namespace

void MainWindow::setTitleFor(const NamePipeFile& file, const QString& suffix) {
    setWindowTitle(QString::fromStdString(file.dirPath + file.fileName) + suffix);
}

void MainWindow::makeCurrent(int index, const QString& titleSuffix, const QString& statusPrefix) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    session_.setCurrentFile(index);
    const NamePipeFile& file = *state_.current();
    setTitleFor(file, titleSuffix);
    statusBar()->showMessage(statusPrefix + QString::fromStdString(file.fileName));
    QApplication::restoreOverrideCursor();
}

void MainWindow::openFile() {
    if (!askToSave(QStringLiteral("Tarvel"),
                   QStringLiteral("工程已修改没有保存，你想保存文件吗？")))
        return;
    reset();
    const QString path = dialogs_.openFileName(
        this, QStringLiteral("打开文件"), QStringLiteral("."), QStringLiteral("测区文件(*.pip)"));
    if (!path.isEmpty())
        openAreaFilePath(path);
}

bool MainWindow::openAreaFilePath(const QString& path) {
    const std::string openError = checkReadableFile(path.toStdString());
    if (!openError.empty()) {
        dialogs_.notify(
            this, NoticeIcon::Warning, QStringLiteral("Error"),
            QStringLiteral("Failed to open %1\n%2").arg(path, QString::fromStdString(openError)));
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    showDocks();
    state_.files.push_back(loadAreaRecord(path.toStdString()));
    state_.mode = kSingleFileOpen;
    NamePipeFile& file = *state_.files.front();
    setTitleFor(file, QStringLiteral("-Drosset"));
    connectFileTable(false);
    setUpFileTable();
    refillFileTable();
    session_.setCurrentFile(0);
    projectDir_ = QString::fromStdString(file.dirPath);
    updateActions();
    QApplication::restoreOverrideCursor();
    QStringList problems;
    noteLoadProblem(problems, file);
    reportLoadProblems(problems);
    return true;
}

void MainWindow::openPathAtStart(const QString& path) {
    if (path.endsWith(QStringLiteral(".prj"), Qt::CaseInsensitive))
        openProjectPath(path);
    else
        openAreaFilePath(path);
}

bool MainWindow::writeCurrentFile() {
    NamePipeFile* file = state_.current();
    if (!file)
        return false;
    const std::string reason = writeAreaFile(*file, file->path());
    if (!reason.empty()) {
        reportSaveFailures(
            {QStringLiteral("文件保存失败：%1\n%2")
                 .arg(QString::fromStdString(file->path()), QString::fromStdString(reason))});
        return false;
    }
    file->modified = false;
    return true;
}

void MainWindow::saveFile() {
    writeCurrentFile();
    updateActions();
}

void MainWindow::saveFileAs() {
    const NamePipeFile* file = state_.current();
    if (!file)
        return;
    const QString path =
        dialogs_.saveFileName(this, QStringLiteral("保存桩文件"), QStringLiteral("."),
                              QStringLiteral("桩文件(*.pip)"), true);
    if (path.isEmpty())
        return;
    const std::string reason = writeAreaFile(*file, path.toStdString());
    if (!reason.empty())
        reportSaveFailures(
            {QStringLiteral("文件保存失败：%1\n%2").arg(path, QString::fromStdString(reason))});
}

void MainWindow::closePipeFile() {
    if (!askToSave(QStringLiteral("Drosset"),
                   QStringLiteral("桩文件已修改没有保存，你想保存文件吗？")))
        return;
    reset();
    setWindowTitle(QStringLiteral("Drosset"));
}

void MainWindow::cellClicked(int, int) {
    const QList<QTableWidgetItem*> selected = fileTable_->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = selected.last()->row();
    if (row < 0 || row >= static_cast<int>(state_.files.size()))
        return;
    if (row == state_.currentFile) {
        uncheckViewModes();
        return;
    }
    if (NamePipeFile* current = state_.current(); current && current->modified) {
        const int answer = dialogs_.ask(
            this, QStringLiteral("Tarvelmos"), QStringLiteral("是否保存对测区文件的修改？"),
            {QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("返回")}, 0);
        if (answer == 0) {
            if (!writeCurrentFile())
                return;
        } else if (answer == 1) {
            // Discard the edits: the file is read again as it is on disk.
            auto reloaded = loadAreaRecord(current->path());
            reloaded->excluded = current->excluded;
            QStringList problems;
            noteLoadProblem(problems, *reloaded);
            session_.replaceFile(state_.currentFile, std::move(reloaded));
            reportLoadProblems(problems);
        }
        // "返回" keeps the edits in memory, still unsaved, and switches.
    }
    makeCurrent(row, QStringLiteral("-Tarvel"), QStringLiteral("当前测区:"));
    uncheckViewModes();
    updateActions();
}

void MainWindow::itemChanged(QTableWidgetItem* item) {
    const int row = item->row();
    if (row < 0 || row >= static_cast<int>(state_.files.size()))
        return;
    disconnect(fileTable_, &QTableWidget::itemChanged, this, &MainWindow::itemChanged);
    if (item->column() == 0)
        state_.files[static_cast<std::size_t>(row)]->excluded = item->checkState() != Qt::Checked;
    else if (item->column() == 1)
        renameFile(row, item);
    connect(fileTable_, &QTableWidget::itemChanged, this, &MainWindow::itemChanged);
}

void MainWindow::renameFile(int row, QTableWidgetItem* item) {
    NamePipeFile& file = *state_.files[static_cast<std::size_t>(row)];
    const QString name = item->text();
    const auto tell = [this](const QString& text) {
        dialogs_.ask(this, QStringLiteral("Drosset"), text, {QStringLiteral("确定")}, 0);
    };
    const auto refuse = [&](const QString& text) {
        tell(text);
        item->setText(QString::fromStdString(file.fileName));
    };
    if (name.size() >= kMaxFileNameLength) {
        refuse(QStringLiteral("桩文件名过长！"));
        return;
    }
    if (!name.endsWith(QStringLiteral(".Pip"), Qt::CaseSensitive)) {
        refuse(QStringLiteral("文件后缀名必须为.Pip！"));
        return;
    }
    const std::string newName = name.toStdString();
    for (std::size_t i = 0; i < state_.files.size(); ++i) {
        if (static_cast<int>(i) != row && state_.files[i]->fileName == newName) {
            refuse(QStringLiteral("文件名称与现有的桩文件名称重复！"));
            return;
        }
    }
    const QString dir = QString::fromStdString(file.dirPath);
    // A name is renamed in place: one holding a folder would move the file
    // out of its directory, and the project would lose track of it.
    const bool inPlace = !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
    if (!inPlace || !QFile::rename(dir + QString::fromStdString(file.fileName), dir + name)) {
        refuse(QStringLiteral("更改桩文件文称失败！"));
        return;
    }
    file.fileName = newName;
    if (row == state_.currentFile) {
        setTitleFor(file, QStringLiteral("-Drosset"));
        statusBar()->showMessage(QStringLiteral("当前桩:") + name);
    }
    tell(QStringLiteral("更改桩文件文称成功！"));
}
