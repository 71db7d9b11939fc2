#include "view_options_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarvel {

QString viewOptionsPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QString::fromLatin1(kViewOptionsFileName));
}

ViewOptions loadStartupOptions() {
    ViewOptions options = defaultViewOptions();
    if (!loadViewOptions(options, QFile::encodeName(viewOptionsPath()).toStdString()))
        loadViewOptions(options, kViewOptionsFileName);
    return options;
}

QString storeViewOptions(const ViewOptions& options) {
    const QString path = viewOptionsPath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QCoreApplication::translate("ViewOptionsStore", "%1\n无法创建文件夹").arg(path);
    const std::string reason = saveViewOptions(options, QFile::encodeName(path).toStdString());
    if (reason.empty())
        return QString();
    return QStringLiteral("%1\n%2").arg(path, QString::fromStdString(reason));
}

} // namespace tarvel
