// What the desktop keeps between runs besides the display options: the
// window's layout, the folders its dialogs last used and the recent projects.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSettings;

namespace tarvel {

constexpr int kMaxRecentProjects = 8;

struct RememberedState {
    QByteArray windowGeometry;
    // Docks and toolbar, as QMainWindow::saveState() gives them.
    QByteArray windowState;
    // Where the project dialogs start while no project is open.
    QString projectFolder;
    QString pictureFolder;
    QString exportFolder;
    // Where the last report or workbook was written.
    QString reportFolder;
    // Newest first, absolute paths, at most kMaxRecentProjects.
    QStringList recentProjects;
    bool impactZoom = false;
    bool fitShown = true;
};

// The settings file may have been edited by hand or written by another
// version: values of the wrong kind read as empty, and the recent list keeps
// only absolute paths, once each, at most kMaxRecentProjects.
RememberedState readRememberedState(const QSettings& settings);
void writeRememberedState(QSettings& settings, const RememberedState& state);

// `recent` with `path` in front, once, trimmed to kMaxRecentProjects.
QStringList withRecentProject(const QStringList& recent, const QString& path);

} // namespace tarvel
