// The main window: actions, menus, toolbar, the three dock panels around the
// central wave list, and the project and file commands.
#pragma once

#include "data/app_state.h"
#include "session/project_session.h"
#include "session/remembered_state.h"

#include <QMainWindow>
#include <QMap>
#include <QSize>

class QAction;
class QCheckBox;
class QLabel;
class QDockWidget;
class QMenu;
class QSettings;
class QSignalMapper;
class QStackedWidget;
class QTableWidget;
class QTableWidgetItem;
class QToolBar;
class QPipeInfo;
class QWaveParameter;
class QWaveList;

namespace tarvel {
class UserDialogs;
struct LabProfile;
enum class NoticeIcon;
} // namespace tarvel

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // Questions and file dialogs go through the seam installed when the
    // window is made (see user_dialogs.h).
    explicit MainWindow(const QMap<QString, QSize>& sizeHints = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    tarvel::ProjectSession& session() { return session_; }
    // What is open, for reading: the session makes every change.
    const tarvel::AppState& state() const { return state_; }
    const tarvel::EditHistory& history() const { return session_.history(); }
    QWaveList* waveList() const { return waveList_; }
    QWaveParameter* waveParameter() const { return waveParameter_; }
    QString projectDirectory() const { return session_.projectDirectory(); }
    QString projectFileName() const { return session_.projectFileName(); }
    QTableWidget* fileTable() const { return fileTable_; }
    QPipeInfo* pipeInfo() const { return pipeInfo_; }
    const QList<QDockWidget*>& docks() const { return docks_; }
    // One action per dock widget made by createDockWidget(), holding it.
    const QList<QAction*>& dockWidgetActions() const { return extraDocks_; }

    // Opens a project or an area file without asking for its name, as the
    // open commands do once a file is chosen. Returns false when it could
    // not be read (after telling the user).
    bool openProjectPath(const QString& path);
    bool openAreaFilePath(const QString& path);
    // Opens a .Prj as a project, a .pip as a single area file, a folder as
    // the project it holds; says what was not found otherwise.
    void openPathAtStart(const QString& path);

    // Reports open in the desktop's viewer once written, unless told not to
    // (a test, a batch run).
    void setOpenReportsWhenDone(bool open) { openReportsWhenDone_ = open; }

    // Recomputes which actions are enabled from the application state.
    void updateActions();

    // Restores the layout, folders, recent projects and view choices kept in
    // `settings` (which must outlive the window) and keeps them there from
    // now on. Without it nothing is remembered. Returns whether a saved
    // window geometry was restored.
    bool rememberIn(QSettings* settings);
    const QStringList& recentProjects() const { return remembered_.recentProjects; }
    QMenu* recentMenu() const { return recentMenu_; }

signals:
    void getItem(QTableWidgetItem* item, int column);

public slots:
    void itemChanged(QTableWidgetItem* item);
    void cellClicked(int row, int column);
    void actionTriggered(QAction* action);
    void newProject();
    void openProject();
    bool saveProject();
    void saveProjectAs();
    void closeProject();
    void addFile();
    void removeFile();
    void openFile();
    void saveFile();
    void saveFileAs();
    void closePipeFile();
    void printView();
    void printSet();
    void closeApp();
    void AlignHead();
    void AlignHeadEx();
    void AutoHead();
    void WaveMerge();
    void WaveDelete();
    // Undo and redo of the edit history.
    void CancelDo();
    void ReDo();
    void WaveView();
    void PinPuView();
    void PinPuViewEx();
    void DengZhiView();
    void DengZhiViewEx();
    void setProjInfo();
    // "采样参数" of the current file, and "选项".
    void getDataParamter();
    void setParamter();
    // "验收标准": the criteria beside the project file.
    void setAcceptance();
    // "检测单位": the lab profile of every report, in the configuration folder.
    void setLab();
    // "生成位图": pictures of the current area's marked waves into a folder.
    void print();
    // "图形输出", "生成报告", "生成汇总表" (and its twin without a menu entry).
    void BmpOutPut();
    void PipeOutPut();
    void ProjectOutPut();
    void ExportReport();
    // "English reports": the pile summary, test report and picture report.
    void englishSummary();
    void englishReport();
    void englishPictures();
    void doHead();
    void doTail();
    void doError();
    void doMarkPrint();
    void doClear();
    void jifen();
    void fangDaAdd();
    void fangDaDel();
    void smallWaveAdd();
    void smallWaveDel();
    void about();
    // "转到测点": asks for a point number and makes it current.
    void goToPoint();
    void setCorner(int id);
    void switchLayoutDirection();
    // A further dock widget, named and placed as the user says.
    void createDockWidget();
    // Removes a dock widget made by createDockWidget(); `action` is the one
    // dockWidgetActions() lists for it.
    void destroyDockWidget(QAction* action);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addCommand(QMenu* menu, const QString& caption, const char* name,
                        const QString& icon = QString());
    void createActions();
    void createToolBar();
    void createDocks();
    void setUpFileTable();
    void refillFileTable();
    void connectFileTable(bool on);
    void fileNameClicked(int row, int column);
    void appendFileRow(int row);

    enum class SaveChoice { Save, Discard, Stop };
    // Asks the unsaved-change question when it applies (Discard when not);
    // the caller saves only once it goes on.
    SaveChoice askSaveChoice(const QString& text);
    // The question and its answer at once; false stops the command.
    bool askToSave(const QString& text);
    // Where open and save dialogs start: the project's folder, if any.
    QString startFolder() const;
    // The project's new path from the save dialog, ".Prj" added; "" when cancelled.
    QString askProjectPath();
    // The window with nothing open: no panels, no view modes.
    void showClosed();
    void showDocks();
    // Says what opening found besides the areas: damaged areas, a folder
    // that could not be listed, criteria that could not be read, a change a
    // killed writer left and that was completed.
    void reportOpening(const tarvel::OpenOutcome& outcome);
    // Tells the user which of the files just loaded could not be read whole,
    // and why; such a file stays listed with the points that could be read.
    void reportLoadProblems(const QStringList& problems);
    // Asks, for every edited area someone else changed on disk, whether to
    // read it again, overwrite that change or save the edits elsewhere.
    // False when the user went back.
    bool settleDiskChanges();
    enum class DiskChangeAnswer { Reload, Overwrite, SaveElsewhere, GoBack };
    // Asks what to do with our edits to an area changed on disk without us.
    DiskChangeAnswer askAboutDiskChange(int index);
    bool saveMineElsewhere(int index);
    void reportReload(int index);
    // Says why a save wrote nothing; true when it wrote.
    bool reportSaveOutcome(const tarvel::SaveOutcome& outcome);
    // A file of the project changed on disk (or went) without us.
    void diskChanged(int index, bool gone);
    void makeCurrent(int index, const QString& statusPrefix);
    // The window title from the file shown (or the project) and its state.
    void refreshTitle();
    // The "*" of each modified file in the file table.
    void markModifiedFiles();
    // Unchecks the analysis list and the contour map; the waves show again.
    void uncheckViewModes();
    void reportSaveFailures(const QStringList& failures);
    bool writeCurrentFile();
    // The output file of a report, asked through the seam ("" when cancelled),
    // with its suffix added when the name has none. It starts as the
    // project's (or the single area's) base name plus `nameTail`, in its folder.
    QString askReportPath(const QString& caption, const QString& suffix,
                          const QString& nameTail = QString());
    // Tells how a report call ended: the library's reason (after
    // `failurePrefix`), or where it went.
    void reportWritten(bool written, const QString& path, const QString& failurePrefix = QString());
    // False, after saying so with `icon`, when nothing is open.
    bool checkSomethingOpen(tarvel::NoticeIcon icon);
    // The current area when it takes part and has a marked wave shown;
    // otherwise says there is none.
    tarvel::NamePipeFile* fileWithMarkedWaves();
    // The PDF of a written document through LibreOffice; says how it went.
    QString writePdfBeside(const QString& path);
    // The lab profile the reports print; false, after saying why, when the
    // file is there but cannot be used.
    bool readLab(tarvel::LabProfile& lab);
    QString outputFolder() const;
    QString outputBaseName() const;
    // The pictures of the marked waves of `file` into `folder`, with
    // progress; false after a failure (said) or a cancel (nothing left).
    bool writePictures(tarvel::NamePipeFile& file, const QString& folder, QStringList& written);
    void renameFile(int row, QTableWidgetItem* item);
    // Writes what rememberIn() restores, when there is somewhere to keep it.
    void storeRemembered();
    // A project just opened or saved under `path` goes first in the list.
    void noteRecentProject(const QString& path);
    void refreshRecentProjects();
    void openRecentProject(const QString& path);

    tarvel::ProjectSession session_;
    const tarvel::AppState& state_ = session_.state();
    tarvel::UserDialogs& dialogs_;
    QMap<QString, QSize> sizeHints_;
    QSettings* settings_ = nullptr;
    tarvel::RememberedState remembered_;

    QList<QDockWidget*> docks_;
    // Set once the docks have their places: sized on first showing, or
    // restored from the remembered layout.
    bool docksPlaced_ = false;
    QList<QAction*> extraDocks_;
    QSignalMapper* cornerMapper_;
    QMenu* viewMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QCheckBox* startMarkBox_;
    QCheckBox* analysisListBox_;
    QCheckBox* contourMapBox_;
    QToolBar* toolBar_ = nullptr;
    QTableWidget* fileTable_;
    QWaveList* waveList_;
    QPipeInfo* pipeInfo_;
    QWaveParameter* waveParameter_;

    QAction* newProjectAct_ = nullptr;
    QAction* openProjectAct_ = nullptr;
    QAction* saveProjectAct_ = nullptr;
    QAction* saveProjectAsAct_ = nullptr;
    QAction* closeProjectAct_ = nullptr;
    QAction* addFileAct_ = nullptr;
    QAction* removeFileAct_ = nullptr;
    QAction* openFileAct_ = nullptr;
    QAction* saveFileAct_ = nullptr;
    QAction* saveFileAsAct_ = nullptr;
    QAction* closeFileAct_ = nullptr;
    QAction* printAct_ = nullptr;
    QAction* exitAct_ = nullptr;
    QAction* undoAct_ = nullptr;
    QAction* redoAct_ = nullptr;
    QAction* startMarkAct_ = nullptr;
    QAction* endMarkAct_ = nullptr;
    QAction* restoreWavesAct_ = nullptr;
    QAction* deleteWaveAct_ = nullptr;
    QAction* samplingAct_ = nullptr;
    QAction* waveListAct_ = nullptr;
    QAction* analysisListAct_ = nullptr;
    QAction* contourMapAct_ = nullptr;
    QAction* optionsAct_ = nullptr;
    QAction* projectInfoAct_ = nullptr;
    QAction* acceptanceAct_ = nullptr;
    QAction* labAct_ = nullptr;
    QAction* graphicOutputAct_ = nullptr;
    QAction* reportAct_ = nullptr;
    QAction* summaryAct_ = nullptr;
    QList<QAction*> englishActs_;
    QAction* pdfAlsoAct_ = nullptr;
    bool openReportsWhenDone_ = true;
    QAction* aboutAct_ = nullptr;
    QAction* goToPointAct_ = nullptr;
    QAction* impactZoomAct_ = nullptr;
    QAction* fitShownAct_ = nullptr;
    QStackedWidget* centre_ = nullptr;
    QLabel* startHint_ = nullptr;
    QMenu* recentMenu_ = nullptr;
};
