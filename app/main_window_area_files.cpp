// Single area-file commands, switching the current file, and the table's
// include, exclude and rename edits.
#include "main_window.h"

#include "analysis/area_order.h"
#include "views/file_names.h"
#include "views/user_dialogs.h"
#include "views/wave_list.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStatusBar>
#include <QTableWidget>

using namespace tarvel;

namespace {

const QString kTitle = QStringLiteral("Tarvel");

QString fromLocal(const std::string& text) {
    return QFile::decodeName(text.c_str());
}

} // namespace

void MainWindow::refreshTitle() {
    // The file shown names the window; a "*" says it holds unsaved edits.
    QString title = QStringLiteral("Tarvel");
    if (const NamePipeFile* file = state_.current())
        title = fromLocal(file->dirPath + file->fileName) +
                (file->modified ? QStringLiteral("*") : QString()) + QStringLiteral("-Tarvel");
    else if (state_.mode == kProjectOpen && !session_.projectFileName().isEmpty())
        title =
            session_.projectDirectory() + session_.projectFileName() + QStringLiteral("-Tarvel");
    setWindowTitle(title);
}

void MainWindow::makeCurrent(int index, const QString& statusPrefix) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool made = session_.setCurrentFile(index);
    QApplication::restoreOverrideCursor();
    const NamePipeFile& file = *state_.files[static_cast<std::size_t>(index)];
    if (made)
        statusBar()->showMessage(statusPrefix + fromLocal(file.fileName));
    else
        statusBar()->showMessage(tr("测区文件“%1”已损坏，不能打开：%2")
                                     .arg(fromLocal(file.fileName), fromLocal(file.loadError)));
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
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const OpenOutcome outcome = session_.openAreaFile(path);
    QApplication::restoreOverrideCursor();
    if (!outcome.opened) {
        dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                        tr("Failed to open %1\n%2").arg(path, fromLocal(outcome.error)));
        return false;
    }
    showDocks();
    reportOpening(outcome);
    return true;
}

void MainWindow::openPathAtStart(const QString& path) {
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.exists()) {
        dialogs_.notify(this, NoticeIcon::Warning, kTitle, tr("找不到 %1").arg(shown));
        return;
    }
    if (info.isDir()) {
        // A folder opens as the project it holds.
        QStringList projects = QDir(path).entryList(
            {QStringLiteral("*.prj"), QStringLiteral("*.Prj"), QStringLiteral("*.PRJ")},
            QDir::Files);
        projects.removeDuplicates();
        std::sort(projects.begin(), projects.end(), [](const QString& a, const QString& b) {
            return naturalNameLess(a.toStdString(), b.toStdString());
        });
        if (projects.isEmpty()) {
            dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                            tr("文件夹 %1 中没有工程文件（*.Prj）").arg(shown));
            return;
        }
        openProjectPath(QDir(path).filePath(projects.first()));
        return;
    }
    if (info.suffix().compare(QStringLiteral("prj"), Qt::CaseInsensitive) == 0)
        openProjectPath(path);
    else if (info.suffix().compare(QStringLiteral("pip"), Qt::CaseInsensitive) == 0)
        openAreaFilePath(path);
    else
        dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                        tr("%1 不是工程文件（*.Prj）也不是测区文件（*.pip）").arg(shown));
}

bool MainWindow::writeCurrentFile() {
    if (!state_.current())
        return false;
    for (;;) {
        const int index = state_.currentFile;
        if (session_.document().changedOnDisk(index) && state_.current()->modified) {
            switch (askAboutDiskChange(index)) {
            case DiskChangeAnswer::Reload:
                reportReload(index);
                return true;
            case DiskChangeAnswer::SaveElsewhere:
                return saveMineElsewhere(index);
            case DiskChangeAnswer::GoBack:
                return false;
            case DiskChangeAnswer::Overwrite:
                session_.overwriteDiskChange(index);
                break;
            }
        }
        const SaveOutcome outcome = session_.saveCurrentFile();
        if (!outcome.changedOnDisk.empty() && !outcome.busy && outcome.failures.empty())
            continue;
        return reportSaveOutcome(outcome);
    }
}

void MainWindow::saveFile() {
    if (writeCurrentFile())
        statusBar()->showMessage(tr("已保存 %1").arg(fromLocal(state_.current()->path())));
}

void MainWindow::saveFileAs() {
    if (!state_.current())
        return;
    const QString path = withSuffix(
        dialogs_.saveFileName(this, tr("保存桩文件"), startFolder(), tr("桩文件(*.pip)"), true),
        QStringLiteral("pip"));
    if (path.isEmpty())
        return;
    const QString failure = session_.writeCurrentFileCopy(path);
    if (!failure.isEmpty()) {
        reportSaveFailures({tr("文件保存失败：%1\n%2").arg(path, failure)});
        return;
    }
    statusBar()->showMessage(tr("已保存 %1").arg(path));
}

void MainWindow::closePipeFile() {
    if (!askToSave(tr("桩文件已修改没有保存，你想保存文件吗？")))
        return;
    session_.close();
}

void MainWindow::cellClicked(int, int) {
    const QList<QTableWidgetItem*> selected = fileTable_->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = selected.last()->row();
    if (row < 0 || row >= static_cast<int>(state_.files.size()) || row == state_.currentFile)
        return;
    if (state_.files[static_cast<std::size_t>(row)]->damaged) {
        makeCurrent(row, QString()); // says why it cannot be shown
        return;
    }
    if (const NamePipeFile* current = state_.current(); current && current->modified) {
        const int answer = dialogs_.ask(this, kTitle, tr("是否保存对测区文件的修改？"),
                                        {tr("保存"), tr("不保存"), tr("返回")}, 0);
        if (answer == 0) {
            if (!writeCurrentFile())
                return;
        } else if (answer == 1) {
            // Discard the edits: the file is read again as it is on disk.
            reportReload(state_.currentFile);
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
        session_.setExcluded(row, item->checkState() != Qt::Checked);
    else if (item->column() == 1)
        renameFile(row, item);
    connect(fileTable_, &QTableWidget::itemChanged, this, &MainWindow::itemChanged);
}

void MainWindow::renameFile(int row, QTableWidgetItem* item) {
    const NamePipeFile& file = *state_.files[static_cast<std::size_t>(row)];
    // The edit text is the bare name: the "*" of a modified file is shown only.
    const QString name = item->data(Qt::EditRole).toString();
    if (name == fromLocal(file.fileName))
        return;
    const QString refusals[] = {
        QString(),
        tr("桩文件名过长！"),
        tr("文件后缀名必须为.pip！"),
        tr("文件名称与现有的桩文件名称重复！"),
        tr("更改桩文件名称失败！"),
    };
    const RenameRefusal refusal = session_.renameFile(row, name);
    if (refusal != RenameRefusal::None) {
        dialogs_.notify(this, NoticeIcon::Warning, kTitle, refusals[static_cast<int>(refusal)]);
        item->setText(fromLocal(file.fileName));
        return;
    }
    if (row == state_.currentFile)
        statusBar()->showMessage(tr("当前测区:") + name);
    updateActions();
    dialogs_.notify(this, NoticeIcon::Information, kTitle, tr("更改桩文件名称成功！"));
}
