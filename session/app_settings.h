// The program's remembered state (window layout, folders, recent projects,
// interface language) lives in one INI file beside the display options, so a
// user's whole setup is one folder to copy or delete.
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace tarvel {

// The settings file in the configuration folder (which may not exist yet).
QString appSettingsPath();

// The lab profile, "lab.json" beside the settings (data/lab_profile.h).
QString labProfilePath();

// The settings, read from and written back to appSettingsPath().
std::unique_ptr<QSettings> openAppSettings();

} // namespace tarvel
