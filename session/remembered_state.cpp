#include "remembered_state.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace tarvel {

namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kState = QStringLiteral("window/state");
const QString kProjectFolder = QStringLiteral("folders/project");
const QString kPictureFolder = QStringLiteral("folders/pictures");
const QString kExportFolder = QStringLiteral("folders/export");
const QString kReportFolder = QStringLiteral("folders/reports");
const QString kRecent = QStringLiteral("recent/projects");
const QString kImpactZoom = QStringLiteral("view/impactZoom");
const QString kFitShown = QStringLiteral("view/fitShown");

QString cleanPath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QStringList cleanRecent(const QStringList& paths) {
    QStringList kept;
    for (const QString& path : paths) {
        if (path.isEmpty() || !QDir::isAbsolutePath(path))
            continue;
        const QString clean = cleanPath(path);
        if (!kept.contains(clean))
            kept << clean;
        if (kept.size() == kMaxRecentProjects)
            break;
    }
    return kept;
}

} // namespace

RememberedState readRememberedState(const QSettings& settings) {
    RememberedState state;
    state.windowGeometry = settings.value(kGeometry).toByteArray();
    state.windowState = settings.value(kState).toByteArray();
    state.projectFolder = settings.value(kProjectFolder).toString();
    state.pictureFolder = settings.value(kPictureFolder).toString();
    state.exportFolder = settings.value(kExportFolder).toString();
    state.reportFolder = settings.value(kReportFolder).toString();
    state.recentProjects = cleanRecent(settings.value(kRecent).toStringList());
    // Only what writeRememberedState() writes turns the zoom on.
    state.impactZoom = settings.value(kImpactZoom).toString() == QLatin1String("true");
    // The fitted line is shown unless it was turned off.
    state.fitShown = settings.value(kFitShown).toString() != QLatin1String("false");
    return state;
}

void writeRememberedState(QSettings& settings, const RememberedState& state) {
    settings.setValue(kGeometry, state.windowGeometry);
    settings.setValue(kState, state.windowState);
    settings.setValue(kProjectFolder, state.projectFolder);
    settings.setValue(kPictureFolder, state.pictureFolder);
    settings.setValue(kExportFolder, state.exportFolder);
    settings.setValue(kReportFolder, state.reportFolder);
    settings.setValue(kRecent, state.recentProjects);
    settings.setValue(kImpactZoom, state.impactZoom);
    settings.setValue(kFitShown, state.fitShown);
    settings.sync();
}

QStringList withRecentProject(const QStringList& recent, const QString& path) {
    return cleanRecent(QStringList{cleanPath(path)} + recent);
}

} // namespace tarvel
