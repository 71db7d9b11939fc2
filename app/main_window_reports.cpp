// The English pile-integrity reports of the project: each asks where to write
// its document and hands the records to the report library.
#include "main_window.h"

#include "data/lab_profile.h"
#include "report/installed_template.h"
#include "report/scrivet.h"
#include "views/picture_language.h"
#include "views/plot_picture.h"
#include "views/user_dialogs.h"
#include "views/wave_pictures.h"

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
// Each English document has a name of its own, beside the Chinese ones.
const QString kSummaryTail = QStringLiteral("-summary-en");
const QString kReportTail = QStringLiteral("-test-report-en");
const QString kPicturesTail = QStringLiteral("-waves-en");

} // namespace

void MainWindow::englishSummary() {
    LabProfile lab;
    if (!readLab(lab))
        return;
    const QString path = askReportPath(tr("Summary Table"), QStringLiteral("xlsx"), kSummaryTail);
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ScrivetSettings settings{nullptr, &lab, nullptr, ScrivetEnglish};
    reportWritten(openExcel_EWith(&state_.project, &state_.files, &settings,
                                  path.toUtf8().constData(), openReportsWhenDone_),
                  path);
}

void MainWindow::englishReport() {
    LabProfile lab;
    if (!readLab(lab))
        return;
    const QString path = askReportPath(tr("Test Report"), QStringLiteral("docx"), kReportTail);
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string templatePath = scrivet::installedTemplatePath("report_en.docx");
    const ScrivetSettings settings{nullptr, &lab, nullptr, ScrivetEnglish};
    reportWritten(openDoc1_EWith(templatePath.c_str(), &state_.project, &state_.files, &settings,
                                 path.toUtf8().constData(), openReportsWhenDone_),
                  path);
}

void MainWindow::englishPictures() {
    LabProfile lab;
    if (!readLab(lab))
        return;
    const QString path = askReportPath(tr("Wave Pictures"), QStringLiteral("docx"), kPicturesTail);
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
    // Returns the picture that could not be written, and why.
    const QString failure = [&]() -> QString {
        // The pictures of an English report carry English labels.
        const EnglishPictures english;
        WavePicture picture(state_.options);
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
                writer.setQuality(kPictureQuality);
                if (!writer.write(picture.render(*file, i)))
                    return QStringLiteral("%1\n%2").arg(name, writer.errorString());
            }
        }
        return QString();
    }();
    if (!failure.isEmpty()) {
        QApplication::restoreOverrideCursor();
        dialogs_.notify(this, NoticeIcon::Critical, kTitle, failure);
        return;
    }
    const QByteArray folder = QFile::encodeName(pictures.path());
    const ScrivetSettings settings{nullptr, &lab, folder.constData(), ScrivetEnglish};
    reportWritten(openDoc2_EWith(&state_.project, &state_.files, &settings,
                                 path.toUtf8().constData(), openReportsWhenDone_),
                  path);
}
