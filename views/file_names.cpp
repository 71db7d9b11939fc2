#include "file_names.h"

#include <QFileInfo>
#include <QImageWriter>

namespace tarvel {

QString withSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || path.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
        return path;
    return path + QLatin1Char('.') + suffix;
}

QString withImageSuffix(const QString& path) {
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (!suffix.isEmpty() && QImageWriter::supportedImageFormats().contains(suffix))
        return path;
    return withSuffix(path, QStringLiteral("png"));
}

} // namespace tarvel
