#include "main_window.h"

#include "language_menu.h"
#include "session/view_options_store.h"
#include "start_hint.h"
#include "views/history_keys.h"
#include "views/pipe_info_panel.h"
#include "views/resources.h"
#include "views/small_dialogs.h"
#include "views/user_dialogs.h"
#include "views/wave.h"
#include "views/wave_list.h"
#include "views/wave_parameter_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDebug>
#include <QDockWidget>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QSignalMapper>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QToolBar>
#include <algorithm>
#include <cstring>

using namespace tarvel;

namespace {

// Rows of the file list in view when the panels first show.
constexpr int kFileRowsShown = 4;

// A panel in a dock narrower or lower than the panel scrolls rather than
// overlap its neighbours.
QScrollArea* scrolled(QWidget* panel) {
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(panel);
    return area;
}

} // namespace

MainWindow::MainWindow(const QMap<QString, QSize>& sizeHints, QWidget* parent)
    : QMainWindow(parent), dialogs_(userDialogs()), sizeHints_(sizeHints) {
    initTarvelResources();
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Tarvel"));

    startMarkBox_ = new QCheckBox;
    analysisListBox_ = new QCheckBox;
    contourMapBox_ = new QCheckBox;
    connect(startMarkBox_, &QCheckBox::stateChanged, this, &MainWindow::AlignHeadEx);
    connect(analysisListBox_, &QCheckBox::stateChanged, this, &MainWindow::PinPuViewEx);
    connect(contourMapBox_, &QCheckBox::stateChanged, this, &MainWindow::DengZhiViewEx);

    cornerMapper_ = new QSignalMapper(this);
    connect(cornerMapper_, &QSignalMapper::mappedInt, this, &MainWindow::setCorner);

    pipeInfo_ = new QPipeInfo(session_, dialogs_, this);
    pipeInfo_->hide();
    waveParameter_ = new QWaveParameter(session_, dialogs_, this);
    waveParameter_->hide();
    fileTable_ = new QTableWidget(1, 2, this);
    fileTable_->hide();

    waveList_ = new QWaveList(session_, dialogs_, this);
    waveList_->setMinimumSize(400, 200);
    // With nothing open the centre says how to begin instead of staying blank.
    centre_ = new QStackedWidget(this);
    startHint_ = createStartHint(centre_);
    connect(startHint_, &QLabel::linkActivated, this, [this](const QString& link) {
        const int recent = recentProjectOfLink(link);
        if (recent >= 0 && recent < remembered_.recentProjects.size())
            openRecentProject(remembered_.recentProjects[recent]);
        else if (link == QLatin1String("project"))
            openProject();
        else if (link == QLatin1String("area"))
            openFile();
    });
    centre_->addWidget(startHint_);
    centre_->addWidget(waveList_);
    setCentralWidget(centre_);

    connect(&session_, &ProjectSession::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    for (auto signal : {&ProjectSession::historyChanged, &ProjectSession::modifiedChanged,
                        &ProjectSession::fileChanged, &ProjectSession::pointsChanged})
        connect(&session_, signal, this, &MainWindow::updateActions);
    connect(&session_, &ProjectSession::currentPointChanged, this, &MainWindow::updateActions);
    connect(&session_, &ProjectSession::opened, this, [this] {
        uncheckViewModes();
        refillFileTable();
        updateActions();
    });
    connect(&session_, &ProjectSession::closed, this, &MainWindow::showClosed);
    connect(&session_, &ProjectSession::fileListChanged, this, &MainWindow::refillFileTable);
    connect(&session_, &ProjectSession::saved, this, &MainWindow::updateActions);
    connect(&session_, &ProjectSession::changedOnDisk, this, &MainWindow::diskChanged);
    connect(&session_, &ProjectSession::folderHeldElsewhere, this, [this](const QString& holder) {
        statusBar()->showMessage(
            tr("其他程序正在修改本工程的文件（%1）：修改先保留在内存中，稍后再保存。").arg(holder));
    });

    createActions();
    createDocks();
    createToolBar();
    for (QDockWidget* dock : docks_)
        dock->hide();
    statusBar()->showMessage(QString());

    setUpFileTable();
    contourMapBox_->hide();
    session_.setOptions(loadStartupOptions());
    updateActions();
}

MainWindow::~MainWindow() {
    // The wave views read the session while they are destroyed: they go
    // before it does.
    waveList_->clearWaves();
    delete startMarkBox_;
    delete analysisListBox_;
    delete contourMapBox_;
}

QAction* MainWindow::addCommand(QMenu* menu, const QString& caption, const char* name,
                                const QString& icon) {
    QAction* action =
        icon.isEmpty() ? new QAction(caption, this) : new QAction(QIcon(icon), caption, this);
    action->setObjectName(QString::fromLatin1(name));
    menu->addAction(action);
    return action;
}

void MainWindow::createActions() {
    QMenu* fileMenu = menuBar()->addMenu(tr("文件(&F)"));
    newProjectAct_ = addCommand(fileMenu, tr("新建工程(&N)"), "newProject");
    connect(newProjectAct_, &QAction::triggered, this, &MainWindow::newProject);
    openProjectAct_ = addCommand(fileMenu, tr("打开工程(&O)"), "openProject", ":/res/open.png");
    openProjectAct_->setShortcut(QKeySequence::Open);
    connect(openProjectAct_, &QAction::triggered, this, &MainWindow::openProject);
    saveProjectAct_ = addCommand(fileMenu, tr("保存工程(&S)"), "saveProject", ":/res/save.png");
    saveProjectAct_->setShortcut(QKeySequence::Save);
    connect(saveProjectAct_, &QAction::triggered, this, &MainWindow::saveProject);
    saveProjectAsAct_ = addCommand(fileMenu, tr("工程另存为(&A)"), "saveProjectAs");
    connect(saveProjectAsAct_, &QAction::triggered, this, &MainWindow::saveProjectAs);
    closeProjectAct_ = addCommand(fileMenu, tr("关闭工程(&C)"), "closeProject");
    connect(closeProjectAct_, &QAction::triggered, this, &MainWindow::closeProject);
    recentMenu_ = fileMenu->addMenu(tr("最近的工程"));
    recentMenu_->setObjectName(QStringLiteral("recentProjects"));
    recentMenu_->setEnabled(false);
    addFileAct_ = addCommand(fileMenu, tr("添加文件"), "addFile");
    connect(addFileAct_, &QAction::triggered, this, &MainWindow::addFile);
    removeFileAct_ = addCommand(fileMenu, tr("移除文件"), "removeFile");
    connect(removeFileAct_, &QAction::triggered, this, &MainWindow::removeFile);
    fileMenu->addSeparator();
    openFileAct_ = addCommand(fileMenu, tr("打开测区文件"), "openFile");
    connect(openFileAct_, &QAction::triggered, this, &MainWindow::openFile);
    saveFileAct_ = addCommand(fileMenu, tr("保存测区文件"), "saveFile");
    connect(saveFileAct_, &QAction::triggered, this, &MainWindow::saveFile);
    saveFileAsAct_ = addCommand(fileMenu, tr("测区文件另存为"), "saveFileAs");
    connect(saveFileAsAct_, &QAction::triggered, this, &MainWindow::saveFileAs);
    closeFileAct_ = addCommand(fileMenu, tr("关闭测区文件"), "closePipeFile");
    connect(closeFileAct_, &QAction::triggered, this, &MainWindow::closePipeFile);
    fileMenu->addSeparator();
    printAct_ = addCommand(fileMenu, tr("生成位图"), "print");
    connect(printAct_, &QAction::triggered, this, &MainWindow::print);
    fileMenu->addSeparator();
    exitAct_ = addCommand(fileMenu, tr("退出"), "closeApp");
    connect(exitAct_, &QAction::triggered, this, &MainWindow::closeApp);

    editMenu_ = menuBar()->addMenu(tr("编辑(&E)"));
    undoAct_ = addCommand(editMenu_, tr("撤销操作"), "CancelDo", ":/res/undo.png");
    undoAct_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    connect(undoAct_, &QAction::triggered, this, &MainWindow::CancelDo);
    redoAct_ = addCommand(editMenu_, tr("恢复操作"), "ReDo", ":/res/redo.png");
    redoAct_->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    connect(redoAct_, &QAction::triggered, this, &MainWindow::ReDo);
    new HistoryKeys(this, {undoAct_, redoAct_});
    startMarkAct_ = addCommand(editMenu_, tr("起始时间标记"), "AlignHead", ":/res/aglin.png");
    startMarkAct_->setShortcut(QKeySequence(QStringLiteral("Ctrl+H")));
    connect(startMarkAct_, &QAction::triggered, this, &MainWindow::AlignHead);
    endMarkAct_ = addCommand(editMenu_, tr("结束时间标记"), "AutoHead", ":/res/jiSuan.png");
    endMarkAct_->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    connect(endMarkAct_, &QAction::triggered, this, &MainWindow::AutoHead);
    restoreWavesAct_ = addCommand(editMenu_, tr("恢复波形"), "WaveMerge", ":/res/waveAdd.png");
    connect(restoreWavesAct_, &QAction::triggered, this, &MainWindow::WaveMerge);
    deleteWaveAct_ = addCommand(editMenu_, tr("删除波形"), "WaveDelete", ":/res/del.png");
    connect(deleteWaveAct_, &QAction::triggered, this, &MainWindow::WaveDelete);
    // Delete acts on the waves only while the list has the focus: in a
    // panel's box it deletes text.
    deleteWaveAct_->setShortcut(QKeySequence::Delete);
    deleteWaveAct_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    waveList_->addAction(deleteWaveAct_);
    // Marking start and end stay where the window's other commands reach
    // them; the menu shows the history and the wave commands.
    startMarkAct_->setVisible(false);
    endMarkAct_->setVisible(false);

    viewMenu_ = menuBar()->addMenu(tr("查看(&V)"));
    goToPointAct_ = addCommand(viewMenu_, tr("转到测点(&G)"), "goToPoint");
    goToPointAct_->setShortcut(QKeySequence(QStringLiteral("Ctrl+G")));
    connect(goToPointAct_, &QAction::triggered, this, &MainWindow::goToPoint);
    impactZoomAct_ = addCommand(viewMenu_, tr("缩放到冲击"), "impactZoom");
    impactZoomAct_->setCheckable(true);
    connect(impactZoomAct_, &QAction::toggled, this, [this](bool on) {
        session_.setImpactZoom(on);
        waveList_->redrawAll();
    });
    fitShownAct_ = addCommand(viewMenu_, tr("拟合曲线"), "fitShown");
    fitShownAct_->setCheckable(true);
    fitShownAct_->setChecked(true);
    fitShownAct_->setStatusTip(tr("在波形上画出拟合的赫兹撞击曲线"));
    connect(fitShownAct_, &QAction::toggled, this, [this](bool on) {
        session_.setFitShown(on);
        waveList_->redrawAll();
    });
    samplingAct_ = addCommand(viewMenu_, tr("采样参数"), "getDataParamter");
    connect(samplingAct_, &QAction::triggered, this, &MainWindow::getDataParamter);
    waveListAct_ = addCommand(viewMenu_, tr("波形列表"), "WaveView", ":/res/wave.png");
    waveListAct_->setVisible(false);
    connect(waveListAct_, &QAction::triggered, this, &MainWindow::WaveView);
    analysisListAct_ = addCommand(viewMenu_, tr("分析列表"), "PinPuView", ":/res/view.png");
    analysisListAct_->setCheckable(true);
    connect(analysisListAct_, &QAction::triggered, this, &MainWindow::PinPuView);
    contourMapAct_ = addCommand(viewMenu_, tr("等值图"), "DengZhiView", ":/res/dengzhi.png");
    contourMapAct_->setCheckable(true);
    connect(contourMapAct_, &QAction::triggered, this, &MainWindow::DengZhiView);
    viewMenu_->addSeparator();

    QMenu* settingsMenu = menuBar()->addMenu(tr("设置(&S)"));
    optionsAct_ = addCommand(settingsMenu, tr("选项(&C)"), "setParamter", ":/res/param.png");
    connect(optionsAct_, &QAction::triggered, this, &MainWindow::setParamter);
    projectInfoAct_ = addCommand(settingsMenu, tr("工程信息(&I)"), "setProjInfo");
    connect(projectInfoAct_, &QAction::triggered, this, &MainWindow::setProjInfo);
    acceptanceAct_ = addCommand(settingsMenu, tr("验收标准"), "setAcceptance");
    connect(acceptanceAct_, &QAction::triggered, this, &MainWindow::setAcceptance);
    labAct_ = addCommand(settingsMenu, tr("检测单位"), "setLab");
    connect(labAct_, &QAction::triggered, this, &MainWindow::setLab);
    settingsMenu->addSeparator();
    addLanguageMenu(settingsMenu, dialogs_, this);

    QMenu* toolsMenu = menuBar()->addMenu(tr("工具(&T)"));
    graphicOutputAct_ = addCommand(toolsMenu, tr("图形输出"), "BmpOutPut", ":/res/table.png");
    reportAct_ = addCommand(toolsMenu, tr("生成报告"), "PipeOutPut", ":/res/word.png");
    summaryAct_ = addCommand(toolsMenu, tr("生成汇总表"), "ProjectOutPut", ":/res/excel.png");
    connect(graphicOutputAct_, &QAction::triggered, this, &MainWindow::BmpOutPut);
    connect(reportAct_, &QAction::triggered, this, &MainWindow::PipeOutPut);
    connect(summaryAct_, &QAction::triggered, this, &MainWindow::ProjectOutPut);
    pdfAlsoAct_ = addCommand(toolsMenu, tr("同时保存为 PDF"), "pdfAlso");
    pdfAlsoAct_->setCheckable(true);
    pdfAlsoAct_->setStatusTip(tr("报告写好后由 LibreOffice 另存一份 PDF"));
    QMenu* english = toolsMenu->addMenu(tr("English reports"));
    const struct {
        const char* caption;
        const char* name;
        void (MainWindow::*slot)();
    } englishCommands[] = {
        {QT_TR_NOOP("Summary Table"), "englishSummary", &MainWindow::englishSummary},
        {QT_TR_NOOP("Test Report"), "englishReport", &MainWindow::englishReport},
        {QT_TR_NOOP("Wave Pictures"), "englishPictures", &MainWindow::englishPictures},
    };
    for (const auto& command : englishCommands) {
        QAction* action = addCommand(english, tr(command.caption), command.name);
        connect(action, &QAction::triggered, this, command.slot);
        englishActs_.append(action);
    }

    QMenu* helpMenu = menuBar()->addMenu(tr("帮助(&H)"));
    aboutAct_ = addCommand(helpMenu, tr("关于"), "about");
    connect(aboutAct_, &QAction::triggered, this, &MainWindow::about);
}

void MainWindow::createToolBar() {
    toolBar_ = addToolBar(tr("工具栏"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->addAction(openProjectAct_);
    toolBar_->addAction(saveProjectAct_);
    toolBar_->addSeparator();
    toolBar_->addAction(undoAct_);
    toolBar_->addAction(redoAct_);
    toolBar_->addAction(analysisListAct_);
    toolBar_->addAction(contourMapAct_);
    toolBar_->addSeparator();
    toolBar_->addAction(optionsAct_);
    toolBar_->addSeparator();
    toolBar_->addAction(graphicOutputAct_);
    toolBar_->addAction(reportAct_);
    toolBar_->addAction(summaryAct_);
    viewMenu_->addAction(toolBar_->toggleViewAction());
    startMarkAct_->setCheckable(true);
}

void MainWindow::createDocks() {
    // The object names identify the panels in the saved layout, whatever
    // the interface language.
    const struct {
        const char* title;
        const char* name;
        QWidget* widget;
    } panels[] = {
        {QT_TR_NOOP("测区信息"), "areaInfoDock", scrolled(pipeInfo_)},
        {QT_TR_NOOP("波形参数"), "waveParameterDock", scrolled(waveParameter_)},
        {QT_TR_NOOP("测区文件"), "areaFilesDock", fileTable_},
    };
    for (const auto& panel : panels) {
        auto* dock = new QDockWidget(tr(panel.title), this);
        dock->setObjectName(QString::fromLatin1(panel.name));
        dock->setWidget(panel.widget);
        panel.widget->show();
        docks_.append(dock);
        viewMenu_->addAction(dock->toggleViewAction());
    }
    // One column at the left, so the waves keep the window's height: the
    // files above, the two panels below as tabs of one place.
    setTabPosition(Qt::LeftDockWidgetArea, QTabWidget::North);
    addDockWidget(Qt::LeftDockWidgetArea, docks_[2]);
    addDockWidget(Qt::LeftDockWidgetArea, docks_[0]);
    tabifyDockWidget(docks_[0], docks_[1]);
}

void MainWindow::diskChanged(int index, bool gone) {
    const NamePipeFile& file = *state_.files[static_cast<std::size_t>(index)];
    const QString name = QFile::decodeName(file.fileName.c_str());
    if (gone) {
        dialogs_.notify(this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
                        tr("测区文件“%1”已被其他程序删除或移走。\n"
                           "它仍在内存中；保存会重新写出它。")
                            .arg(name));
        return;
    }
    if (file.modified) {
        dialogs_.notify(this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
                        tr("测区文件“%1”已被其他程序修改。\n"
                           "你在本程序中的修改仍保留；保存时会询问如何处理。")
                            .arg(name));
        return;
    }
    if (dialogs_.ask(this, QStringLiteral("Tarvel"),
                     tr("测区文件“%1”已被其他程序修改。重新读取吗？").arg(name),
                     {tr("重新读取"), tr("不读取")}, 0) == 0)
        reportReload(index);
}

void MainWindow::showDocks() {
    for (QDockWidget* dock : docks_)
        dock->show();
    if (docksPlaced_)
        return;
    docksPlaced_ = true;
    docks_[0]->raise();
    // As wide as the panels' fields stacked in one column, and the file
    // list a few rows high: the rest is the waves'.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width =
        std::max(pipeInfo_->minimumSizeHint().width(), waveParameter_->minimumSizeHint().width()) +
        scrollBar + 2 * style()->pixelMetric(QStyle::PM_DockWidgetFrameWidth);
    const int files = docks_[2]->sizeHint().height() - fileTable_->sizeHint().height() +
                      fileTable_->horizontalHeader()->sizeHint().height() +
                      kFileRowsShown * fileTable_->verticalHeader()->defaultSectionSize();
    resizeDocks({docks_[2]}, {width}, Qt::Horizontal);
    resizeDocks({docks_[2]}, {files}, Qt::Vertical);
}

void MainWindow::updateActions() {
    const bool open = state_.mode != kNothingOpen;
    const bool project = state_.mode == kProjectOpen;
    const NamePipeFile* current = state_.current();

    saveProjectAct_->setEnabled(project && state_.saveNeeded);
    saveProjectAsAct_->setEnabled(project);
    closeProjectAct_->setEnabled(project);
    addFileAct_->setEnabled(project);
    removeFileAct_->setEnabled(project);
    saveFileAct_->setEnabled(open && current && current->modified);
    saveFileAsAct_->setEnabled(open && !state_.files.empty());
    closeFileAct_->setEnabled(state_.mode == kSingleFileOpen);
    printAct_->setEnabled(open);
    undoAct_->setEnabled(session_.canUndo());
    redoAct_->setEnabled(session_.canRedo());
    // The wave commands act on the current point of the current file.
    const bool point = open && session_.currentPointIndex() >= 0;
    startMarkAct_->setEnabled(point);
    startMarkBox_->setEnabled(point);
    endMarkAct_->setEnabled(point);
    deleteWaveAct_->setEnabled(point);
    restoreWavesAct_->setEnabled(point);
    acceptanceAct_->setEnabled(project);
    for (QAction* action : englishActs_)
        action->setEnabled(open);
    for (QAction* action :
         {optionsAct_, projectInfoAct_, graphicOutputAct_, reportAct_, summaryAct_})
        action->setEnabled(open);
    // These read the current file: a project without areas has nothing to show.
    samplingAct_->setEnabled(current != nullptr);
    // The result list and the map take turns: choosing one leaves the other.
    analysisListAct_->setEnabled(current != nullptr);
    analysisListBox_->setEnabled(current != nullptr);
    contourMapAct_->setEnabled(current != nullptr);
    contourMapBox_->hide();
    goToPointAct_->setEnabled(current != nullptr);
    impactZoomAct_->setEnabled(current != nullptr);
    fitShownAct_->setEnabled(current != nullptr);
    centre_->setCurrentWidget(open ? static_cast<QWidget*>(waveList_) : centre_->widget(0));
    markModifiedFiles();
    refreshTitle();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (session_.hasUnsavedChanges()) {
        const int answer =
            dialogs_.ask(this, QStringLiteral("Tarvel"), tr("工程已修改没有保存，你想保存文件吗？"),
                         {tr("保存"), tr("不保存"), tr("返回")}, 0);
        if (answer != 1 && !(answer == 0 && saveProject())) {
            event->ignore();
            return;
        }
    }
    storeRemembered();
    event->accept();
}

void MainWindow::closeApp() {
    close();
}

// The window keeps these commands although nothing is behind them: the wave
// views mark, flag and measure by themselves, and the window offers only the
// menus that lead there.
void MainWindow::printView() {}
void MainWindow::printSet() {}
void MainWindow::WaveView() {}
void MainWindow::doHead() {}
void MainWindow::doTail() {}
void MainWindow::doError() {}
void MainWindow::doMarkPrint() {}
void MainWindow::doClear() {}
void MainWindow::jifen() {}
void MainWindow::fangDaAdd() {}
void MainWindow::fangDaDel() {}
void MainWindow::smallWaveAdd() {}
void MainWindow::smallWaveDel() {}

void MainWindow::actionTriggered(QAction* action) {
    qDebug("action '%s' triggered", qPrintable(action->text()));
}

void MainWindow::setCorner(int id) {
    switch (id) {
    case 0:
        QMainWindow::setCorner(Qt::TopLeftCorner, Qt::TopDockWidgetArea);
        break;
    case 1:
        QMainWindow::setCorner(Qt::TopLeftCorner, Qt::LeftDockWidgetArea);
        break;
    case 2:
        QMainWindow::setCorner(Qt::TopRightCorner, Qt::TopDockWidgetArea);
        break;
    case 3:
        QMainWindow::setCorner(Qt::TopRightCorner, Qt::RightDockWidgetArea);
        break;
    case 4:
        QMainWindow::setCorner(Qt::BottomLeftCorner, Qt::BottomDockWidgetArea);
        break;
    case 5:
        QMainWindow::setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
        break;
    case 6:
        QMainWindow::setCorner(Qt::BottomRightCorner, Qt::BottomDockWidgetArea);
        break;
    case 7:
        QMainWindow::setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
        break;
    default:
        break;
    }
}

void MainWindow::switchLayoutDirection() {
    QApplication::setLayoutDirection(layoutDirection() == Qt::LeftToRight ? Qt::RightToLeft
                                                                          : Qt::LeftToRight);
}

void MainWindow::setProjInfo() {
    if (state_.mode != kProjectOpen) {
        dialogs_.notify(this, NoticeIcon::Critical, QStringLiteral("Tarvel"),
                        tr("没有打开的工程！"));
        return;
    }
    ProjectInfo edited = state_.project;
    if (!dialogs_.editProjectInfo(nullptr, edited))
        return;
    // Confirming the form unchanged leaves the project as it was.
    if (std::memcmp(&edited, &state_.project, sizeof edited) == 0)
        return;
    session_.setProjectInfo(edited);
}

void MainWindow::setAcceptance() {
    if (state_.mode != kProjectOpen)
        return;
    AcceptanceCriteria criteria = session_.criteria();
    const NamePipeFile* current = state_.current();
    const QString area = current ? QString::fromStdString(current->fileName) : QString();
    if (!dialogs_.editAcceptance(this, criteria, area))
        return;
    session_.setCriteria(criteria);
    const std::string path = acceptanceFilePath(
        QFile::encodeName(session_.projectDirectory() + session_.projectFileName()).toStdString());
    const std::string reason = writeAcceptanceFile(path, criteria);
    if (!reason.empty())
        dialogs_.notify(this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
                        tr("验收标准保存失败：%1\n%2")
                            .arg(QString::fromStdString(path), QString::fromStdString(reason)));
}

void MainWindow::goToPoint() {
    const NamePipeFile* file = state_.current();
    if (!file || file->pointCount() == 0)
        return;
    const int count = file->pointCount();
    int number = session_.currentPointIndex() + 1;
    if (!dialogs_.askNumber(this, tr("转到测点"), tr("测点号（1–%1）：").arg(count), number, 1,
                            count, number))
        return;
    if (number < 1 || number > count) {
        dialogs_.notify(this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
                        tr("本测区没有测点 %1（测点号 1–%2）。").arg(number).arg(count));
        return;
    }
    if (!waveList_->goToPoint(number - 1))
        dialogs_.notify(this, NoticeIcon::Information, QStringLiteral("Tarvel"),
                        tr("测点 %1 已删除。").arg(number));
}

void MainWindow::about() {
    auto* box = new QAboutMain(this);
    box->exec();
}
