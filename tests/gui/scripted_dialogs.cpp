#include "scripted_dialogs.h"

#include "data/area_file.h"
#include "data/gbk_text.h"
#include "data/project_info.h"
#include "views/small_dialogs.h"

namespace tarvel {

ScriptedDialogs::ScriptedDialogs() {
    setUserDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    setUserDialogs(nullptr);
}

QStringList ScriptedDialogs::texts() const {
    QStringList result;
    for (const DialogCall& call : calls)
        result << call.text;
    return result;
}

QList<DialogCall> ScriptedDialogs::callsOf(const QString& kind) const {
    QList<DialogCall> result;
    for (const DialogCall& call : calls) {
        if (call.kind == kind)
            result << call;
    }
    return result;
}

int ScriptedDialogs::ask(QWidget*, const QString& title, const QString& text,
                         const QStringList& buttons, int) {
    calls.append({QStringLiteral("ask"), title, text, buttons});
    if (answers.isEmpty()) {
        unexpected << text;
        return -1;
    }
    return buttons.indexOf(answers.dequeue());
}

bool ScriptedDialogs::askYesNo(QWidget*, const QString& title, const QString& text) {
    calls.append({QStringLiteral("yesNo"), title, text, {}});
    if (yesNoAnswers.isEmpty()) {
        unexpected << text;
        return false;
    }
    return yesNoAnswers.dequeue();
}

void ScriptedDialogs::notify(QWidget*, NoticeIcon icon, const QString& title, const QString& text) {
    calls.append({QStringLiteral("notify"), title, text, {}, icon});
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& title, const QString& dir,
                                      const QString& filter) {
    calls.append({QStringLiteral("open"), title, filter, {}});
    startPaths << dir;
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QStringList ScriptedDialogs::openFileNames(QWidget*, const QString& title, const QString&,
                                           const QString& filter) {
    calls.append({QStringLiteral("openMany"), title, filter, {}});
    return fileLists.isEmpty() ? QStringList() : fileLists.dequeue();
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& title, const QString& dir,
                                      const QString& filter, bool) {
    calls.append({QStringLiteral("save"), title, filter, {}});
    startPaths << dir;
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

bool ScriptedDialogs::askNumber(QWidget*, const QString& title, const QString& label, int, int, int,
                                int& number) {
    calls.append({QStringLiteral("number"), title, label, {}});
    if (numbers.isEmpty())
        return false;
    number = numbers.dequeue();
    return true;
}

QString ScriptedDialogs::existingFolder(QWidget*, const QString& title, const QString& dir) {
    calls.append({QStringLiteral("folder"), title, QString(), {}});
    startPaths << dir;
    return folders.isEmpty() ? QString() : folders.dequeue();
}

namespace {

class ScriptedProgress : public Progress {
public:
    explicit ScriptedProgress(int cancelAt) : cancelAt_(cancelAt) {}
    bool advance(int done) override { return cancelAt_ < 0 || done < cancelAt_; }

private:
    int cancelAt_;
};

} // namespace

std::unique_ptr<Progress> ScriptedDialogs::startProgress(QWidget*, const QString& label, int) {
    calls.append({QStringLiteral("progress"), QString(), label, {}});
    return std::make_unique<ScriptedProgress>(cancelProgressAt);
}

bool ScriptedDialogs::editProjectInfo(QWidget*, ProjectInfo& info) {
    calls.append({QStringLiteral("projectInfo"), QString(), QString(), {}});
    const bool accepted = projectInfoAnswers.isEmpty() || projectInfoAnswers.dequeue();
    if (accepted)
        encodeGbk(projectName.toStdString(), info.projectName);
    return accepted;
}

bool ScriptedDialogs::editViewOptions(QWidget*, ViewOptions& options) {
    calls.append({QStringLiteral("viewOptions"), QString(), QString(), {}});
    viewOptionsShown.append(options);
    if (viewOptionsAnswers.isEmpty())
        return false;
    options = viewOptionsAnswers.dequeue();
    return true;
}

void ScriptedDialogs::showSamplingParameters(QWidget*, const NamePipeFile& file) {
    calls.append(
        {QStringLiteral("sampling"), QString(), QString::fromStdString(file.fileName), {}});
}

bool ScriptedDialogs::chooseDefect(QWidget* parent, QString& type, QString& grade) {
    calls.append({QStringLiteral("defect"), QString(), QString(), {}});
    if (defectAnswers.isEmpty() || !defectAnswers.dequeue())
        return false;
    QErrorDlg dialog(parent);
    type = dialog.typeText();
    grade = dialog.gradeText();
    return true;
}

bool ScriptedDialogs::choosePointsToMerge(QWidget*, const NamePipeFile&, QList<int>& points) {
    calls.append({QStringLiteral("merge"), QString(), QString(), {}});
    points = mergeAnswers.isEmpty() ? QList<int>() : mergeAnswers.dequeue();
    return !points.isEmpty();
}

bool ScriptedDialogs::editAcceptance(QWidget*, AcceptanceCriteria& criteria,
                                     const QString& areaFileName) {
    calls.append({QStringLiteral("acceptance"), QString(), areaFileName, {}});
    if (acceptanceAnswers.isEmpty())
        return false;
    criteria = acceptanceAnswers.dequeue();
    return true;
}

bool ScriptedDialogs::editLab(QWidget*, LabProfile& lab) {
    calls.append({QStringLiteral("lab"), QString::fromStdString(lab.name), QString(), {}});
    if (labAnswers.isEmpty())
        return false;
    lab = labAnswers.dequeue();
    return true;
}

bool ScriptedDialogs::askDockWidget(QWidget*, QString& objectName, QString& location) {
    calls.append({QStringLiteral("dock"), QString(), QString(), {}});
    if (dockAnswers.isEmpty())
        return false;
    const QPair<QString, QString> answer = dockAnswers.dequeue();
    objectName = answer.first;
    location = answer.second;
    return true;
}

} // namespace tarvel
