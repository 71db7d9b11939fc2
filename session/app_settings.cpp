#include "app_settings.h"

#include "view_options_store.h"

#include <QFileInfo>

namespace tarvel {

QString appSettingsPath() {
    return QFileInfo(viewOptionsPath()).absolutePath() + QStringLiteral("/tarvel.conf");
}

QString labProfilePath() {
    return QFileInfo(viewOptionsPath()).absolutePath() + QStringLiteral("/lab.json");
}

std::unique_ptr<QSettings> openAppSettings() {
    return std::make_unique<QSettings>(appSettingsPath(), QSettings::IniFormat);
}

} // namespace tarvel
