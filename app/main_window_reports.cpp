// The English pile-integrity reports of the project: each asks where to write
// its document and hands the records to the report library.
#include "main_window.h"

#include "report/installed_template.h"
#include "report/scrivet.h"
#include "views/user_dialogs.h"
#include "views/wave_export.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace tarvel;

namespace {

const QString kTitle = QStringLiteral("Tarvel");

} // namespace

QString MainWindow::askReportPath(const QString& caption, const QString& suffix) {
    const QString folder = projectDir_.isEmpty() ? QDir::homePath() : projectDir_;
    const QString base = QFileInfo(projectFileName_).completeBaseName();
    QString path = dialogs_.saveFileName(
        this, caption,
        QDir(folder).filePath((base.isEmpty() ? QStringLiteral("report") : base) +
                              QStringLiteral("-en.") + suffix),
        QStringLiteral("*.") + suffix, true);
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
        path += QLatin1Char('.') + suffix;
    return path;
}

void MainWindow::reportWritten(bool written, const QString& path) {
    QApplication::restoreOverrideCursor();
    if (!written) {
        dialogs_.notify(this, NoticeIcon::Critical, kTitle, QString::fromUtf8(scrivetLastError()));
        return;
    }
    statusBar()->showMessage(QStringLiteral("已写入 %1").arg(path));
}

void MainWindow::englishSummary() {
    const QString path = askReportPath(QStringLiteral("Summary Table"), QStringLiteral("xlsx"));
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    reportWritten(openExcel_E(&state_.project, &state_.files, path.toUtf8().constData(),
                              openReportsWhenDone_),
                  path);
}

void MainWindow::englishReport() {
    const QString path = askReportPath(QStringLiteral("Test Report"), QStringLiteral("docx"));
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string templatePath = scrivet::installedTemplatePath("report_en.docx");
    reportWritten(openDoc1_E(templatePath.c_str(), &state_.project, &state_.files,
                             path.toUtf8().constData(), openReportsWhenDone_),
                  path);
}

void MainWindow::englishPictures() {
    const QString path = askReportPath(QStringLiteral("Wave Pictures"), QStringLiteral("docx"));
    if (path.isEmpty())
        return;
    // The pictures live only as long as the call: a private folder, never
    // one the user may own.
    QTemporaryDir pictures;
    if (!pictures.isValid()) {
        dialogs_.notify(this, NoticeIcon::Critical, kTitle, pictures.errorString());
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const auto& file : state_.files) {
        if (file->excluded)
            continue;
        for (int i = 0; i < static_cast<int>(file->points.size()); ++i) {
            const MeasurePoint& point = file->points[static_cast<std::size_t>(i)];
            if (point.isDeleted() || point.header.printMark != 2)
                continue;
            const QString name = QDir(pictures.path())
                                     .filePath(QStringLiteral("%1-%2.png")
                                                   .arg(QString::fromStdString(file->fileName))
                                                   .arg(i + 1));
            QImageWriter writer(name, "png");
            if (!writer.write(renderWaveImage(session_, dialogs_, i, file.get()))) {
                QApplication::restoreOverrideCursor();
                dialogs_.notify(this, NoticeIcon::Critical, kTitle,
                                QStringLiteral("%1\n%2").arg(name, writer.errorString()));
                return;
            }
        }
    }
    reportWritten(openDoc2_E(QFile::encodeName(pictures.path()).constData(), &state_.project,
                             &state_.files, path.toUtf8().constData(), openReportsWhenDone_),
                  path);
}
