// Exporting a wave: as a picture, or its stored samples as text.
#include "wave.h"

#include "file_names.h"
#include "session/project_session.h"
#include "user_dialogs.h"
#include "wave_export.h"
#include "wave_pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTextStream>

using namespace tarvel;

namespace tarvel {

QString imageFilter() {
    QStringList patterns;
    for (const QByteArray& format : QImageWriter::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return QWave::tr("Images (%1)").arg(patterns.join(QLatin1Char(' ')));
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

QString QWave::exportPath(const QString& caption, const QString& suffix, const QString& filter) {
    const NamePipeFile* f = file();
    // The first export of a run starts beside the area file, in the
    // project's folder; so does one after the last folder went away.
    QString folder = session_->exportFolder();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QString::fromStdString(f->dirPath);
    const QString name = QStringLiteral("%1-%2.%3")
                             .arg(QFileInfo(QString::fromStdString(f->fileName)).completeBaseName())
                             .arg(pointIndex_ + 1)
                             .arg(suffix);
    const QString path =
        dialogs_->saveFileName(this, caption, QDir(folder).filePath(name), filter, true);
    if (!path.isEmpty())
        session_->setExportFolder(QFileInfo(path).absolutePath());
    return path;
}

void QWave::saveAs() {
    if (!point())
        return;
    const QString name = withImageSuffix(exportPath(
        tr("图形导出"), QStringLiteral("png"), QStringLiteral("PNG (*.png);;") + imageFilter()));
    if (name.isEmpty())
        return;
    // A folder that cannot be written must not pass for a saved picture.
    QImageWriter writer(name);
    if (!writer.write(WavePicture(options()).render(*file(), pointIndex_))) {
        dialogs_->notify(this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
                         tr("Failed to save %1\n%2").arg(name, writer.errorString()));
        return;
    }
    session_->showStatus(tr("已写入 %1").arg(name));
}

void QWave::dataexport() {
    const MeasurePoint* p = point();
    if (!p)
        return;
    const QString name =
        withSuffix(exportPath(tr("数据导出"), QStringLiteral("txt"), tr("文本文件(*.txt)")),
                   QStringLiteral("txt"));
    if (name.isEmpty())
        return;
    const QString reason = writeSampleText(*p, name);
    if (!reason.isEmpty()) {
        dialogs_->notify(this, NoticeIcon::Warning, QStringLiteral("Tarvel"),
                         tr("Failed to open %1\n%2").arg(name, reason));
        return;
    }
    session_->showStatus(tr("已写入 %1").arg(name));
}
