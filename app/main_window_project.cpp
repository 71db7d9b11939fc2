// Project commands: new, open, save, save as, close, add and remove files,
// and the unsaved-change question and reset they share.
#include "main_window.h"

#include "analysis/area_loader.h"
#include "analysis/project_loader.h"
#include "data/input_file.h"
#include "data/project_file.h"
#include "views/file_names.h"
#include "views/user_dialogs.h"
#include "views/wave_list.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
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

QString failureText(const std::string& path, const std::string& reason) {
    return MainWindow::tr("文件保存失败：%1\n%2")
        .arg(QString::fromStdString(path), QString::fromStdString(reason));
}

} // namespace

void noteLoadProblem(QStringList& problems, const NamePipeFile& file) {
    if (!file.loadError.empty())
        problems << MainWindow::tr("%1：%2").arg(QString::fromStdString(file.fileName),
                                                 QString::fromStdString(file.loadError));
}

bool MainWindow::hasUnsavedChanges() const {
    if (state_.projectModified)
        return true;
    const std::string dir = projectDir_.toStdString();
    for (const auto& file : state_.files) {
        if (file->modified || file->dirPath != dir)
            return true;
    }
    return false;
}

MainWindow::SaveChoice MainWindow::askSaveChoice(const QString& text) {
    if (state_.mode == kNothingOpen || !hasUnsavedChanges())
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

void MainWindow::reset() {
    projectFileName_.clear();
    projectDir_.clear();
    waveList_->clearWaves();
    session_.reset();
    connectFileTable(false);
    fileTable_->setRowCount(0);
    setUpFileTable();
    uncheckViewModes();
    for (QDockWidget* dock : docks_)
        dock->hide();
    updateActions();
}

void MainWindow::reportSaveFailures(const QStringList& failures) {
    if (!failures.isEmpty())
        dialogs_.notify(this, NoticeIcon::Warning, kTitle, failures.join(QLatin1Char('\n')));
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
    reset();
    state_.project = info;
    state_.mode = kProjectOpen;
    state_.projectModified = true;
    state_.saveNeeded = true;
    updateActions();
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
            this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
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
    if (!projectDir_.isEmpty())
        return projectDir_;
    if (!remembered_.projectFolder.isEmpty() && QDir(remembered_.projectFolder).exists())
        return remembered_.projectFolder;
    return QStringLiteral(".");
}

bool MainWindow::openProjectPath(const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string openError = checkReadableFile(path.toStdString());
    if (!openError.empty()) {
        QApplication::restoreOverrideCursor();
        dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                        tr("Failed to open %1\n%2").arg(path, QString::fromStdString(openError)));
        return false;
    }
    ProjectLoad load = loadProject(path.toStdString());
    // A project record that cannot be read whole would open as an empty or
    // half-filled project, and the next save would write that back.
    if (!load.projectError.empty()) {
        QApplication::restoreOverrideCursor();
        dialogs_.notify(
            this, NoticeIcon::Warning, kTitle,
            tr("工程文件无法读取：%1\n%2").arg(path, QString::fromStdString(load.projectError)));
        return false;
    }
    // What was open goes only now: a project that cannot be read leaves it.
    reset();
    showDocks();
    projectFileName_ = QString::fromStdString(load.projectFileName);
    projectDir_ = QString::fromStdString(load.projectDir);
    state_.project = load.info;
    state_.files = std::move(load.files);
    // A criteria file that is there but not valid is said, never ignored;
    // the project opens without criteria.
    const AcceptanceRead criteria = readAcceptanceFile(acceptanceFilePath(path.toStdString()));
    session_.setCriteria(criteria.criteria);
    QStringList problems;
    for (const auto& file : state_.files)
        noteLoadProblem(problems, *file);
    state_.mode = kProjectOpen;
    session_.setCurrentFile(state_.files.empty() ? -1 : 0);
    refillFileTable();
    updateActions();
    noteRecentProject(path);
    QApplication::restoreOverrideCursor();
    // The project stays open with the areas found, so the user sees why the
    // rest is missing rather than an empty project.
    if (!criteria.ok())
        dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                        tr("验收标准文件无法读取，本工程不作验收：\n") +
                            QString::fromStdString(criteria.error));
    if (!load.folderError.empty())
        dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                        tr("未能列出工程文件夹中的测区文件：\n") +
                            QString::fromStdString(load.folderError));
    reportLoadProblems(problems);
    return true;
}

bool MainWindow::saveProject() {
    if (state_.mode == kNothingOpen) {
        dialogs_.notify(this, NoticeIcon::Information, kTitle, tr("没有打开的工程文件！"));
        return true;
    }
    if (projectDir_.isEmpty()) {
        const QString path = askProjectPath();
        if (path.isEmpty())
            return false;
        std::string dir;
        std::string name;
        splitPath(path.toStdString(), dir, name);
        projectDir_ = QString::fromStdString(dir);
        projectFileName_ = QString::fromStdString(name);
    }
    const auto failures =
        saveProjectData(state_, projectDir_.toStdString(), projectFileName_.toStdString());
    QStringList texts;
    for (const SaveFailure& failure : failures)
        texts << failureText(failure.path, failure.reason);
    if (texts.isEmpty()) {
        state_.saveNeeded = false;
        statusBar()->showMessage(tr("已保存 %1").arg(projectDir_ + projectFileName_));
        noteRecentProject(projectDir_ + projectFileName_);
    }
    updateActions();
    reportSaveFailures(texts);
    return texts.isEmpty();
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
    std::string dir;
    std::string name;
    splitPath(path.toStdString(), dir, name);
    projectDir_ = QString::fromStdString(dir);
    projectFileName_ = QString::fromStdString(name);

    QStringList texts;
    std::string reason = writeProjectFile(dir + name, state_.project);
    state_.projectModified = !reason.empty();
    if (!reason.empty())
        texts << failureText(dir + name, reason);
    for (auto& file : state_.files) {
        file->dirPath = dir;
        reason = writeAreaFile(*file, file->path());
        file->modified = !reason.empty();
        if (!reason.empty())
            texts << failureText(file->path(), reason);
    }
    state_.saveNeeded = !texts.isEmpty();
    if (texts.isEmpty()) {
        statusBar()->showMessage(tr("已保存 %1").arg(path));
        noteRecentProject(path);
    }
    updateActions();
    reportSaveFailures(texts);
}

void MainWindow::closeProject() {
    if (!askToSave(saveQuestion()))
        return;
    reset();
}

void MainWindow::addFile() {
    const QStringList paths =
        dialogs_.openFileNames(this, tr("添加文件"), QStringLiteral("."), tr("桩文件(*.pip)"));
    connectFileTable(false);
    QStringList problems;
    for (const QString& path : paths) {
        if (path.isEmpty() || !checkReadableFile(path.toStdString()).empty())
            continue;
        std::string dir;
        std::string name;
        splitPath(path.toStdString(), dir, name);
        auto same = std::find_if(state_.files.begin(), state_.files.end(),
                                 [&](const auto& file) { return file->fileName == name; });
        if (same == state_.files.end()) {
            state_.files.push_back(loadAreaRecord(path.toStdString()));
            noteLoadProblem(problems, *state_.files.back());
            const bool only = state_.files.size() == 1;
            if (only)
                makeCurrent(0, tr("当前测区:"));
            state_.files.back()->modified = false;
            state_.saveNeeded = true;
            updateActions();
            const int row = static_cast<int>(state_.files.size()) - 1;
            fileTable_->setRowCount(row + 1);
            appendFileRow(row);
            if (only) {
                fileTable_->selectRow(0);
                fileTable_->setFocus();
                statusBar()->showMessage(tr("当前测区:") + QString::fromStdString(name));
            }
            continue;
        }
        const int answer = dialogs_.ask(this, kTitle, tr("工程中有同名桩文件，是否要覆盖？"),
                                        {tr("是"), tr("否"), tr("返回")}, 0);
        if (answer == 1)
            continue;
        if (answer != 0)
            break;
        const int index = static_cast<int>(same - state_.files.begin());
        auto replacement = loadAreaRecord(path.toStdString());
        noteLoadProblem(problems, *replacement);
        // The file table still shows the record's check box: keep its state.
        replacement->excluded = (*same)->excluded;
        session_.replaceFile(index, std::move(replacement));
        if (index == state_.currentFile)
            makeCurrent(index, tr("当前测区:"));
    }
    connectFileTable(true);
    reportLoadProblems(problems);
}

void MainWindow::removeFile() {
    // The file shown, never the highlighted row: a click or an arrow key
    // moves the highlight away from what the user is looking at.
    const int row = state_.currentFile;
    if (row < 0 || row >= static_cast<int>(state_.files.size())) {
        dialogs_.notify(this, NoticeIcon::Warning, kTitle, tr("工程中没有测区文件！"));
        return;
    }
    const NamePipeFile& chosen = *state_.files[static_cast<std::size_t>(row)];
    const QString name = QString::fromStdString(chosen.fileName);
    const QString question = tr("你确信是要移除此桩文件“%1”吗？").arg(name);
    bool remove = false;
    bool deleteFromDisk = false;
    if (!projectDir_.isEmpty() && chosen.dirPath == projectDir_.toStdString()) {
        const int answer = dialogs_.ask(this, kTitle, question,
                                        {tr("仅移除"), tr("移除且物理删除"), tr("返回")}, 0);
        remove = answer == 0 || answer == 1;
        deleteFromDisk = answer == 1;
        if (deleteFromDisk)
            remove = dialogs_.ask(this, kTitle,
                                  tr("将从磁盘上删除“%1”，此操作无法撤销。\n确定删除吗？")
                                      .arg(QString::fromStdString(chosen.path())),
                                  {tr("是"), tr("否")}, 1) == 0;
    } else {
        remove = dialogs_.askYesNo(this, kTitle, question);
    }
    if (!remove) {
        refillFileTable();
        return;
    }

    const std::string path = chosen.path();
    session_.removeFile(row);
    if (deleteFromDisk) {
        // The file would come back with the next opening of the project.
        QFile doomed(QString::fromStdString(path));
        if (doomed.exists() && !doomed.remove())
            dialogs_.notify(
                this, NoticeIcon::Warning, kTitle,
                tr("文件删除失败：%1\n%2").arg(doomed.fileName(), doomed.errorString()));
    }
    connectFileTable(false);
    setUpFileTable();
    refillFileTable();
    updateActions();
    statusBar()->showMessage(
        (deleteFromDisk ? tr("已移除并删除 %1") : tr("已从工程移除 %1")).arg(name));
}

void MainWindow::reportLoadProblems(const QStringList& problems) {
    if (problems.isEmpty())
        return;
    dialogs_.notify(this, NoticeIcon::Warning, kTitle,
                    tr("以下测区文件未能完整读取：\n") + problems.join('\n'));
}
