// What the window keeps between runs: its layout, the folders its dialogs
// last used, "缩放到冲击" and the recent projects.
#include "main_window.h"

#include "start_hint.h"
#include "views/user_dialogs.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSettings>

using namespace tarvel;

bool MainWindow::rememberIn(QSettings* settings) {
    settings_ = settings;
    remembered_ = readRememberedState(*settings);
    const bool placed = restoreGeometry(remembered_.windowGeometry);
    docksPlaced_ = restoreState(remembered_.windowState);
    // The saved state may show the panels; with nothing open they wait for
    // a project, keeping the places and sizes just restored.
    if (state_.mode == kNothingOpen) {
        for (QDockWidget* dock : docks_)
            dock->hide();
    }
    impactZoomAct_->setChecked(remembered_.impactZoom);
    fitShownAct_->setChecked(remembered_.fitShown);
    session_.setExportFolder(remembered_.exportFolder);
    refreshRecentProjects();
    return placed;
}

void MainWindow::storeRemembered() {
    if (!settings_)
        return;
    remembered_.windowGeometry = saveGeometry();
    remembered_.windowState = saveState();
    remembered_.impactZoom = impactZoomAct_->isChecked();
    remembered_.fitShown = fitShownAct_->isChecked();
    remembered_.exportFolder = session_.exportFolder();
    writeRememberedState(*settings_, remembered_);
}

void MainWindow::noteRecentProject(const QString& path) {
    remembered_.recentProjects = withRecentProject(remembered_.recentProjects, path);
    remembered_.projectFolder = QFileInfo(path).absolutePath();
    refreshRecentProjects();
    // Written at once, so that a later crash does not forget it.
    storeRemembered();
}

void MainWindow::refreshRecentProjects() {
    recentMenu_->clear();
    const QStringList& recent = remembered_.recentProjects;
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        QAction* action = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        connect(action, &QAction::triggered, this, [this, path] { openRecentProject(path); });
    }
    recentMenu_->setEnabled(!recent.isEmpty());
    showRecentProjects(startHint_, recent);
}
