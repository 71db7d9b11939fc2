// "检测单位": the lab profile every report prints, kept in the user's
// configuration folder rather than in a project.
#include "main_window.h"

#include "data/lab_profile.h"
#include "session/app_settings.h"
#include "views/user_dialogs.h"

#include <QFile>

using namespace tarvel;

namespace {

std::string profilePath() {
    return QFile::encodeName(labProfilePath()).toStdString();
}

} // namespace

bool MainWindow::readLab(LabProfile& lab) {
    const LabProfileRead read = readLabProfile(profilePath());
    if (!read.ok()) {
        dialogs_.notify(this, NoticeIcon::Critical, QStringLiteral("Tarvel"),
                        tr("检测单位设置无法使用：%1").arg(QString::fromStdString(read.error)));
        return false;
    }
    lab = read.lab;
    return true;
}

void MainWindow::setLab() {
    // A profile that cannot be read is shown empty; saving replaces it.
    LabProfile lab = readLabProfile(profilePath()).lab;
    if (!dialogs_.editLab(this, lab))
        return;
    const std::string reason = writeLabProfile(profilePath(), lab);
    if (!reason.empty())
        dialogs_.notify(
            this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
            tr("检测单位保存失败：%1\n%2").arg(labProfilePath(), QString::fromStdString(reason)));
}
