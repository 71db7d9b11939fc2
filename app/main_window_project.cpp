// Project commands: new, open, save, save as, close, add and remove files,
// and the questions they ask. The session does the work; the window asks.
#include "main_window.h"

#include "data/input_file.h"
#include "views/file_names.h"
#include "views/user_dialogs.h"
#include "views/wave_list.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QStatusBar>
#include <QTableWidget>

using namespace tarvel;

namespace {

const QString kTitle = QStringLiteral("Tarvel");
// Texts more than one command uses.
QString saveQuestion() {
    return MainWindow::tr("工程已修改没有保存，你想保存文件吗？");
}

QString projectFilter() {
    return MainWindow::tr("工程文件(*.Prj)");
}

QString fromLocal(const std::string& text) {
    return QFile::decodeName(text.c_str());
}

} // namespace

MainWindow::SaveChoice MainWindow::askSaveChoice(const QString& text) {
    if (!session_.hasUnsavedChanges())
        return SaveChoice::Discard;
    const int answer = dialogs_.ask(this, kTitle, text, {tr("保存"), tr("不保存"), tr("返回")}, 0);
    if (answer == 0)
        return SaveChoice::Save;
    return answer == 1 ? SaveChoice::Discard : SaveChoice::Stop;
}

bool MainWindow::askToSave(const QString& text) {
    const SaveChoice choice = askSaveChoice(text);
    return choice == SaveChoice::Discard || (choice == SaveChoice::Save && saveProject());
}

void MainWindow::showClosed() {
    uncheckViewModes();
    for (QDockWidget* dock : docks_)
        dock->hide();
    refillFileTable();
    updateActions();
}

void MainWindow::newProject() {
    // The answer to the question applies only once the new project is
    // confirmed: cancelling the form leaves everything as it was.
    const SaveChoice choice = askSaveChoice(saveQuestion());
    if (choice == SaveChoice::Stop)
        return;
    ProjectInfo info{};
    if (!dialogs_.editProjectInfo(this, info))
        return;
    if (choice == SaveChoice::Save && !saveProject())
        return;
    session_.startProject(info);
    showDocks();
    addFile();
}

void MainWindow::openProject() {
    const SaveChoice choice = askSaveChoice(saveQuestion());
    if (choice == SaveChoice::Stop)
        return;
    const QString path =
        dialogs_.openFileName(this, tr("打开文件"), startFolder(), projectFilter());
    // Cancel leaves the open project as it was, saved or not.
    if (path.isEmpty() || (choice == SaveChoice::Save && !saveProject()))
        return;
    openProjectPath(path);
}

void MainWindow::openRecentProject(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        dialogs_.notify(
            this, NoticeIcon::Warning, kTitle,
            tr("找不到工程文件，已从最近的工程中去掉：\n%1").arg(QDir::toNativeSeparators(path)));
        remembered_.recentProjects.removeAll(path);
        refreshRecentProjects();
        storeRemembered();
        return;
    }
    const SaveChoice choice = askSaveChoice(saveQuestion());
    if (choice == SaveChoice::Stop || (choice == SaveChoice::Save && !saveProject()))
        return;
    openProjectPath(path);
}

QString MainWindow::startFolder() const {
    if (!session_.projectDirectory().isEmpty())
        return session_.projectDirectory();
    if (!remembered_.projectFolder.isEmpty() && QDir(remembered_.projectFolder).exists())
        return remembered_.projectFolder;
    return QStringLiteral(".");
}

void MainWindow::reportOpening(const OpenOutcome& outcome) {
    // The project stays open with the areas found, so the user sees why the
    // rest is missing rather than an empty project.
    if (outcome.completedFiles > 0)
        statusBar()->showMessage(
            tr("已完成上次中断的修改（%1 个文件）").arg(outcome.completedFiles));
    if (!outcome.completionError.empty())
        dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                        tr("上次中断的修改未能完成：\n%1").arg(fromLocal(outcome.completionError)));
    if (!outcome.criteria.ok())
        dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                        tr("验收标准文件无法读取，本工程不作验收：\n") +
                            fromLocal(outcome.criteria.error));
    if (!outcome.folderError.empty())
        dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                        tr("未能列出工程文件夹中的测区文件：\n") + fromLocal(outcome.folderError));
    QStringList problems;
    for (const AreaProblem& problem : outcome.problems)
        problems << tr("%1：%2").arg(fromLocal(problem.fileName), fromLocal(problem.reason));
    reportLoadProblems(problems);
}

bool MainWindow::openProjectPath(const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const OpenOutcome outcome = session_.openProject(path);
    QApplication::restoreOverrideCursor();
    if (!outcome.opened) {
        // What was open stays.
        const QString reason = fromLocal(outcome.error);
        dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                        outcome.recordUnreadable ? tr("工程文件无法读取：%1\n%2").arg(path, reason)
                                                 : tr("Failed to open %1\n%2").arg(path, reason));
        return false;
    }
    showDocks();
    noteRecentProject(path);
    reportOpening(outcome);
    return true;
}

bool MainWindow::saveProject() {
    if (state_.mode == kNothingOpen) {
        dialogs_.notify(this, NoticeIcon::Information, kTitle, tr("没有打开的工程文件！"));
        return true;
    }
    QString path;
    if (state_.mode == kProjectOpen && session_.projectDirectory().isEmpty()) {
        path = askProjectPath();
        if (path.isEmpty())
            return false;
    }
    for (;;) {
        if (!settleDiskChanges())
            return false;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const SaveOutcome outcome = session_.save(path);
        QApplication::restoreOverrideCursor();
        // Someone changed an area between the question and the save: ask again.
        if (!outcome.changedOnDisk.empty() && !outcome.busy && outcome.failures.empty())
            continue;
        if (!reportSaveOutcome(outcome))
            return false;
        const QString saved = session_.projectDirectory() + session_.projectFileName();
        statusBar()->showMessage(tr("已保存 %1").arg(saved));
        if (state_.mode == kProjectOpen)
            noteRecentProject(saved);
        return true;
    }
}

bool MainWindow::settleDiskChanges() {
    for (int index : session_.areasChangedOnDisk()) {
        if (!state_.files[static_cast<std::size_t>(index)]->modified)
            continue; // nothing of ours to write over it
        switch (askAboutDiskChange(index)) {
        case DiskChangeAnswer::Reload:
            reportReload(index);
            break;
        case DiskChangeAnswer::Overwrite:
            session_.overwriteDiskChange(index);
            break;
        case DiskChangeAnswer::SaveElsewhere:
            if (!saveMineElsewhere(index))
                return false;
            break;
        case DiskChangeAnswer::GoBack:
            return false;
        }
    }
    return true;
}

MainWindow::DiskChangeAnswer MainWindow::askAboutDiskChange(int index) {
    const QString name = fromLocal(state_.files[static_cast<std::size_t>(index)]->fileName);
    const int answer =
        dialogs_.ask(this, kTitle,
                     tr("测区文件“%1”在打开后已被其他程序修改或删除。\n"
                        "保存会覆盖磁盘上的修改。")
                         .arg(name),
                     {tr("重新读取（放弃我的修改）"), tr("覆盖"), tr("另存为…"), tr("返回")}, 3);
    switch (answer) {
    case 0:
        return DiskChangeAnswer::Reload;
    case 1:
        return DiskChangeAnswer::Overwrite;
    case 2:
        return DiskChangeAnswer::SaveElsewhere;
    default:
        return DiskChangeAnswer::GoBack;
    }
}

bool MainWindow::saveMineElsewhere(int index) {
    const bool current = index == state_.currentFile;
    if (!current && !session_.setCurrentFile(index))
        return false;
    const QString path = withSuffix(
        dialogs_.saveFileName(this, tr("保存桩文件"), startFolder(), tr("桩文件(*.pip)"), true),
        QStringLiteral("pip"));
    if (path.isEmpty())
        return false;
    const QString failure = session_.writeCurrentFileCopy(path);
    if (!failure.isEmpty()) {
        reportSaveFailures({tr("文件保存失败：%1\n%2").arg(path, failure)});
        return false;
    }
    // The project keeps the file as the other program left it; the edits
    // live on in the copy.
    reportReload(index);
    statusBar()->showMessage(tr("我的修改已另存为 %1").arg(path));
    return true;
}

void MainWindow::reportReload(int index) {
    const QString problem = session_.reloadFile(index);
    if (!problem.isEmpty())
        reportLoadProblems({tr("%1：%2").arg(
            fromLocal(state_.files[static_cast<std::size_t>(index)]->fileName), problem)});
}

bool MainWindow::reportSaveOutcome(const SaveOutcome& outcome) {
    if (outcome.busy) {
        dialogs_.notify(
            this, NoticeIcon::Warning, kTitle,
            tr("其他程序正在修改本工程的文件：\n%1\n没有保存任何文件；修改仍保留，请稍后再保存。")
                .arg(fromLocal(outcome.holder.describe())));
        return false;
    }
    QStringList texts;
    for (const auto& [path, reason] : outcome.failures)
        texts << tr("文件保存失败：%1\n%2").arg(fromLocal(path), fromLocal(reason));
    if (!texts.isEmpty()) {
        texts << tr("没有保存任何文件。");
        reportSaveFailures(texts);
        return false;
    }
    return outcome.changedOnDisk.empty();
}

QString MainWindow::askProjectPath() {
    // The open dialog lists only "*.Prj": a name typed without it would be
    // written where the project can never be opened again.
    return withSuffix(
        dialogs_.saveFileName(this, tr("保存工程"), startFolder(), projectFilter(), true),
        QStringLiteral("Prj"));
}

void MainWindow::saveProjectAs() {
    if (state_.mode == kNothingOpen) {
        dialogs_.notify(this, NoticeIcon::Information, kTitle, tr("没有打开的工程文件！"));
        return;
    }
    const QString path = askProjectPath();
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SaveOutcome outcome = session_.saveAs(path);
    QApplication::restoreOverrideCursor();
    if (!reportSaveOutcome(outcome))
        return;
    statusBar()->showMessage(tr("已保存 %1").arg(path));
    noteRecentProject(path);
}

void MainWindow::closeProject() {
    if (!askToSave(saveQuestion()))
        return;
    session_.close();
}

void MainWindow::addFile() {
    const QStringList paths =
        dialogs_.openFileNames(this, tr("添加文件"), QStringLiteral("."), tr("桩文件(*.pip)"));
    QStringList problems;
    for (const QString& path : paths) {
        if (path.isEmpty() || !checkReadableFile(QFile::encodeName(path).toStdString()).empty())
            continue;
        const std::string name = QFileInfo(path).fileName().toStdString();
        auto same = std::find_if(state_.files.begin(), state_.files.end(),
                                 [&](const auto& file) { return file->fileName == name; });
        if (same == state_.files.end()) {
            const QString problem = session_.addFile(path);
            if (!problem.isEmpty())
                problems << tr("%1：%2").arg(QString::fromStdString(name), problem);
            continue;
        }
        const int answer = dialogs_.ask(this, kTitle, tr("工程中有同名桩文件，是否要覆盖？"),
                                        {tr("是"), tr("否"), tr("返回")}, 0);
        if (answer == 1)
            continue;
        if (answer != 0)
            break;
        const QString problem =
            session_.replaceFile(static_cast<int>(same - state_.files.begin()), path);
        if (!problem.isEmpty())
            problems << tr("%1：%2").arg(QString::fromStdString(name), problem);
    }
    if (const NamePipeFile* current = state_.current())
        statusBar()->showMessage(tr("当前测区:") + fromLocal(current->fileName));
    reportLoadProblems(problems);
}

void MainWindow::removeFile() {
    // The file shown, never the highlighted row: a click or an arrow key
    // moves the highlight away from what the user is looking at. A damaged
    // area is never shown: the highlighted row names it.
    int row = state_.currentFile;
    const int highlighted = fileTable_->currentRow();
    if (highlighted >= 0 && highlighted < static_cast<int>(state_.files.size()) &&
        state_.files[static_cast<std::size_t>(highlighted)]->damaged)
        row = highlighted;
    if (row < 0 || row >= static_cast<int>(state_.files.size())) {
        dialogs_.notify(this, NoticeIcon::Warning, kTitle, tr("工程中没有测区文件！"));
        return;
    }
    const NamePipeFile& chosen = *state_.files[static_cast<std::size_t>(row)];
    const QString name = fromLocal(chosen.fileName);
    const QString question = tr("你确信是要移除此桩文件“%1”吗？").arg(name);
    bool remove = false;
    bool deleteFromDisk = false;
    if (!session_.projectDirectory().isEmpty() &&
        chosen.dirPath == session_.document().projectDir()) {
        const int answer = dialogs_.ask(this, kTitle, question,
                                        {tr("仅移除"), tr("移除且物理删除"), tr("返回")}, 0);
        remove = answer == 0 || answer == 1;
        deleteFromDisk = answer == 1;
        if (deleteFromDisk)
            remove = dialogs_.ask(this, kTitle,
                                  tr("将从磁盘上删除“%1”，此操作无法撤销。\n确定删除吗？")
                                      .arg(fromLocal(chosen.path())),
                                  {tr("是"), tr("否")}, 1) == 0;
    } else {
        remove = dialogs_.askYesNo(this, kTitle, question);
    }
    if (!remove) {
        refillFileTable();
        return;
    }
    const QString path = fromLocal(chosen.path());
    const QString failure = session_.removeFile(row, deleteFromDisk);
    if (!failure.isEmpty())
        dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                        tr("文件删除失败：%1\n%2").arg(path, failure));
    statusBar()->showMessage(
        (deleteFromDisk ? tr("已移除并删除 %1") : tr("已从工程移除 %1")).arg(name));
}

void MainWindow::reportSaveFailures(const QStringList& failures) {
    if (!failures.isEmpty())
        dialogs_.notify(this, NoticeIcon::Warning, kTitle, failures.join(QLatin1Char('\n')));
}

void MainWindow::reportLoadProblems(const QStringList& problems) {
    if (problems.isEmpty())
        return;
    dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                    tr("以下测区文件未能完整读取：\n") + problems.join('\n'));
}
