// Exporting a wave: as a picture, or its stored samples as text.
#include "wave.h"

#include "session/project_session.h"
#include "user_dialogs.h"
#include "wave_export.h"
#include "wave_pictures.h"

#include <QFile>
#include <QImageWriter>
#include <QTextStream>

using namespace tarvel;

namespace tarvel {

QString imageFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageWriter::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return QStringLiteral("Images (") + patterns.join(QLatin1Char(' ')) + QStringLiteral(")");
}

QString writeSampleText(const MeasurePoint& point, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return file.errorString();
    QTextStream out(&file);
    for (const uint16_t sample : point.raw)
        out << (static_cast<int>(sample) - 32768) << "\r\n";
    out.flush();
    if (out.status() != QTextStream::Ok || !file.flush())
        return file.errorString();
    return QString();
}

} // namespace tarvel

void QWave::saveAs() {
    if (!point())
        return;
    const QString name = dialogs_->saveFileName(this, QStringLiteral("Export File Name"), QString(),
                                                imageFilter(), false);
    if (name.isEmpty())
        return;
    // A name without a known suffix, or a folder that cannot be written,
    // must not pass for a saved picture.
    QImageWriter writer(name);
    if (!writer.write(WavePicture(options()).render(*file(), pointIndex_)))
        dialogs_->notify(this, NoticeIcon::Warning, QStringLiteral("Error"),
                         QStringLiteral("Failed to save %1\n%2").arg(name, writer.errorString()));
}

void QWave::dataexport() {
    const MeasurePoint* p = point();
    if (!p)
        return;
    const QString reason = writeSampleText(*p, QString::fromLatin1(kSampleTextFile));
    if (!reason.isEmpty())
        dialogs_->notify(this, NoticeIcon::Warning, QStringLiteral("Error"),
                         QStringLiteral("Failed to open %1\n%2")
                             .arg(QString::fromLatin1(kSampleTextFile), reason));
}
