// A dialog seam that answers from a script and records what was asked, so
// that commands run without a person clicking. It installs itself while it
// lives.
#pragma once

#include "data/acceptance_file.h"
#include "data/lab_profile.h"
#include "data/view_options.h"
#include "views/user_dialogs.h"

#include <QList>
#include <QPair>
#include <QQueue>
#include <QString>
#include <QStringList>

namespace tarvel {

struct DialogCall {
    // "ask", "yesNo", "notify", "open", "openMany", "save", "projectInfo",
    // "defect", "merge", "acceptance", "dock", "folder", "progress", "viewOptions", "number",
    // "sampling", "lab"
    QString kind;
    QString title;
    QString text; // the text, the filter of a file dialog, or a progress label
    QStringList buttons;
    NoticeIcon icon = NoticeIcon::Warning;
};

class ScriptedDialogs : public UserDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    QQueue<QString> answers;       // captions to click in ask()
    QQueue<bool> yesNoAnswers;     // answers to askYesNo()
    QQueue<QString> fileNames;     // answers to openFileName() / saveFileName()
    QQueue<QStringList> fileLists; // answers to openFileNames()
    QQueue<bool> projectInfoAnswers;
    QString projectName = QStringLiteral("新工程");
    // Accepting the defect dialog takes its first type and first severity.
    QQueue<bool> defectAnswers;
    QQueue<QPair<QString, QString>> dockAnswers; // object name, location
    // Criteria the acceptance dialog ends with; an empty queue cancels it.
    QQueue<AcceptanceCriteria> acceptanceAnswers;
    // The lab profile the lab dialog ends with; an empty queue cancels it.
    QQueue<LabProfile> labAnswers;
    // Points chosen in the merge dialog; an empty list cancels it.
    QQueue<QList<int>> mergeAnswers;
    QQueue<int> numbers;     // answers to askNumber(); empty cancels
    QQueue<QString> folders; // answers to existingFolder(); empty cancels
    // A progress is cancelled once it reaches this many steps (-1: never).
    int cancelProgressAt = -1;
    // Options the options dialog is confirmed with; an empty queue cancels it.
    QQueue<ViewOptions> viewOptionsAnswers;
    // The options each opening of the options dialog was given.
    QList<ViewOptions> viewOptionsShown;

    QList<DialogCall> calls;
    QStringList startPaths; // where each open, save and folder dialog started, in order
    QStringList unexpected; // questions asked without a scripted answer

    // The texts of the calls, in order.
    QStringList texts() const;
    // The calls of one kind.
    QList<DialogCall> callsOf(const QString& kind) const;

    int ask(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons,
            int defaultButton) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    void notify(QWidget* parent, NoticeIcon icon, const QString& title,
                const QString& text) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& dir,
                         const QString& filter) override;
    QStringList openFileNames(QWidget* parent, const QString& title, const QString& dir,
                              const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& dir,
                         const QString& filter, bool confirmOverwrite) override;
    bool askNumber(QWidget* parent, const QString& title, const QString& label, int value,
                   int minimum, int maximum, int& number) override;
    QString existingFolder(QWidget* parent, const QString& title, const QString& dir) override;
    std::unique_ptr<Progress> startProgress(QWidget* parent, const QString& label,
                                            int steps) override;
    bool editProjectInfo(QWidget* parent, ProjectInfo& info) override;
    bool editViewOptions(QWidget* parent, ViewOptions& options) override;
    void showSamplingParameters(QWidget* parent, const NamePipeFile& file) override;
    bool chooseDefect(QWidget* parent, QString& type, QString& grade) override;
    bool choosePointsToMerge(QWidget* parent, const NamePipeFile& file,
                             QList<int>& points) override;
    bool editAcceptance(QWidget* parent, AcceptanceCriteria& criteria,
                        const QString& areaFileName) override;
    bool editLab(QWidget* parent, LabProfile& lab) override;
    bool askDockWidget(QWidget* parent, QString& objectName, QString& location) override;
};

} // namespace tarvel
