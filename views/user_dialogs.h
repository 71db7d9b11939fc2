// Every question, notice and file dialog of the program goes through this
// seam, so that each command can be driven without a person clicking.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace tarvel {

struct ProjectInfo;
struct NamePipeFile;
struct AcceptanceCriteria;
struct LabProfile;
struct ViewOptions;

enum class NoticeIcon { Critical, Information, Warning };

// The progress of one long command.
class Progress {
public:
    virtual ~Progress() = default;
    // Reports `done` steps; false once the user asked to cancel.
    virtual bool advance(int done) = 0;
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A warning box with named buttons; returns the index of the chosen
    // button, or -1 when the box was closed without a choice.
    virtual int ask(QWidget* parent, const QString& title, const QString& text,
                    const QStringList& buttons, int defaultButton) = 0;

    // A yes/no box; true for yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;

    // A notice with a single OK button.
    virtual void notify(QWidget* parent, NoticeIcon icon, const QString& title,
                        const QString& text) = 0;

    // File dialogs return an empty string (list) when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& dir,
                                 const QString& filter) = 0;
    virtual QStringList openFileNames(QWidget* parent, const QString& title, const QString& dir,
                                      const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& dir,
                                 const QString& filter, bool confirmOverwrite) = 0;
    // A whole number from `minimum` to `maximum`, starting at `value`; false
    // when cancelled.
    virtual bool askNumber(QWidget* parent, const QString& title, const QString& label, int value,
                           int minimum, int maximum, int& number) = 0;

    // A folder chooser that shows folders only; empty when cancelled.
    virtual QString existingFolder(QWidget* parent, const QString& title, const QString& dir) = 0;

    // A cancellable progress of `steps` steps, shown only when the work
    // lasts longer than about half a second.
    virtual std::unique_ptr<Progress> startProgress(QWidget* parent, const QString& label,
                                                    int steps) = 0;

    // The modal project-information dialog; true when it was accepted, and
    // then `info` holds its fields.
    virtual bool editProjectInfo(QWidget* parent, ProjectInfo& info) = 0;

    // "选项", modal; true when confirmed, and then `options` holds what was
    // confirmed. The caller stores and applies them.
    virtual bool editViewOptions(QWidget* parent, ViewOptions& options) = 0;

    // "采样参数" of `file`, shown without modality; it reads the file once,
    // as it opens.
    virtual void showSamplingParameters(QWidget* parent, const NamePipeFile& file) = 0;

    // The modal defect dialog; true when accepted, with the chosen type and
    // severity.
    virtual bool chooseDefect(QWidget* parent, QString& type, QString& grade) = 0;

    // The wave-superposition dialog over the points of `file`; true when
    // accepted with at least one point, whose indexes fill `points`.
    virtual bool choosePointsToMerge(QWidget* parent, const NamePipeFile& file,
                                     QList<int>& points) = 0;

    // "验收标准" over the project's criteria, the current area named by its
    // file name (empty: none); true when accepted, with `criteria` changed.
    virtual bool editAcceptance(QWidget* parent, AcceptanceCriteria& criteria,
                                const QString& areaFileName) = 0;

    // "检测单位" over the lab profile; true when accepted, with `lab` changed.
    virtual bool editLab(QWidget* parent, LabProfile& lab) = 0;

    // Asks for a further dock widget: its object name and where it goes
    // ("Top", "Left", "Right", "Bottom" or "Restore"). False when cancelled.
    virtual bool askDockWidget(QWidget* parent, QString& objectName, QString& location) = 0;
};

// The dialogs the program uses (the Qt ones unless a test installed others).
UserDialogs& userDialogs();

// Installs `dialogs` (not owned); nullptr restores the Qt dialogs.
void setUserDialogs(UserDialogs* dialogs);

} // namespace tarvel
