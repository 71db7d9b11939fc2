// Single area-file commands, switching the current file, and the table's
// include, exclude and rename edits.
#include "main_window.h"

#include "analysis/area_loader.h"
#include "data/input_file.h"
#include "data/project_file.h"
#include "views/file_names.h"
#include "views/user_dialogs.h"
#include "views/wave_list.h"

#include <QApplication>
#include <QFile>
#include <QStatusBar>
#include <QTableWidget>

using namespace tarvel;

namespace {

constexpr int kMaxFileNameLength = 50;
const QString kTitle = QStringLiteral("Tarvel");

} // namespace

void MainWindow::refreshTitle() {
    // The file shown names the window; a "*" says it holds unsaved edits.
    QString title = QStringLiteral("Tarvel");
    if (const NamePipeFile* file = state_.current())
        title = QString::fromStdString(file->dirPath + file->fileName) +
                (file->modified ? QStringLiteral("*") : QString()) + QStringLiteral("-Tarvel");
    else if (state_.mode == kProjectOpen && !projectFileName_.isEmpty())
        title = projectDir_ + projectFileName_ + QStringLiteral("-Tarvel");
    setWindowTitle(title);
}

void MainWindow::makeCurrent(int index, const QString& statusPrefix) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    session_.setCurrentFile(index);
    const NamePipeFile& file = *state_.current();
    statusBar()->showMessage(statusPrefix + QString::fromStdString(file.fileName));
    QApplication::restoreOverrideCursor();
}

void MainWindow::openFile() {
    const SaveChoice choice = askSaveChoice(tr("工程已修改没有保存，你想保存文件吗？"));
    if (choice == SaveChoice::Stop)
        return;
    const QString path =
        dialogs_.openFileName(this, tr("打开文件"), startFolder(), tr("测区文件(*.pip)"));
    // Cancel leaves what is open as it was.
    if (path.isEmpty() || (choice == SaveChoice::Save && !saveProject()))
        return;
    openAreaFilePath(path);
}

bool MainWindow::openAreaFilePath(const QString& path) {
    const std::string openError = checkReadableFile(path.toStdString());
    if (!openError.empty()) {
        dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                        tr("Failed to open %1\n%2").arg(path, QString::fromStdString(openError)));
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    reset();
    showDocks();
    state_.files.push_back(loadAreaRecord(path.toStdString()));
    state_.mode = kSingleFileOpen;
    NamePipeFile& file = *state_.files.front();
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
            {tr("文件保存失败：%1\n%2")
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
    const QString path = withSuffix(
        dialogs_.saveFileName(this, tr("保存桩文件"), startFolder(), tr("桩文件(*.pip)"), true),
        QStringLiteral("pip"));
    if (path.isEmpty())
        return;
    const std::string reason = writeAreaFile(*file, path.toStdString());
    if (!reason.empty()) {
        reportSaveFailures({tr("文件保存失败：%1\n%2").arg(path, QString::fromStdString(reason))});
        return;
    }
    statusBar()->showMessage(tr("已保存 %1").arg(path));
}

void MainWindow::closePipeFile() {
    if (!askToSave(tr("桩文件已修改没有保存，你想保存文件吗？")))
        return;
    reset();
}

void MainWindow::cellClicked(int, int) {
    const QList<QTableWidgetItem*> selected = fileTable_->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = selected.last()->row();
    if (row < 0 || row >= static_cast<int>(state_.files.size()) || row == state_.currentFile)
        return;
    if (NamePipeFile* current = state_.current(); current && current->modified) {
        const int answer = dialogs_.ask(this, kTitle, tr("是否保存对测区文件的修改？"),
                                        {tr("保存"), tr("不保存"), tr("返回")}, 0);
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
    makeCurrent(row, tr("当前测区:"));
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
    // The edit text is the bare name: the "*" of a modified file is shown only.
    const QString name = item->data(Qt::EditRole).toString();
    if (name == QString::fromStdString(file.fileName))
        return;
    const auto refuse = [&](const QString& text) {
        dialogs_.notify(this, NoticeIcon::Warning, kTitle, text);
        item->setText(QString::fromStdString(file.fileName));
    };
    if (name.size() >= kMaxFileNameLength) {
        refuse(tr("桩文件名过长！"));
        return;
    }
    // The instrument writes ".pip"; older files end in ".Pip": any case
    // passes, and the name keeps the case typed.
    if (!name.endsWith(QStringLiteral(".pip"), Qt::CaseInsensitive)) {
        refuse(tr("文件后缀名必须为.pip！"));
        return;
    }
    const std::string newName = name.toStdString();
    for (std::size_t i = 0; i < state_.files.size(); ++i) {
        if (static_cast<int>(i) != row && state_.files[i]->fileName == newName) {
            refuse(tr("文件名称与现有的桩文件名称重复！"));
            return;
        }
    }
    const QString dir = QString::fromStdString(file.dirPath);
    // A name is renamed in place: one holding a folder would move the file
    // out of its directory, and the project would lose track of it.
    const bool inPlace = !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
    if (!inPlace || !QFile::rename(dir + QString::fromStdString(file.fileName), dir + name)) {
        refuse(tr("更改桩文件名称失败！"));
        return;
    }
    file.fileName = newName;
    if (row == state_.currentFile)
        statusBar()->showMessage(tr("当前测区:") + name);
    updateActions();
    dialogs_.notify(this, NoticeIcon::Information, kTitle, tr("更改桩文件名称成功！"));
}
