// The output commands: wave pictures of the current area, and the three
// reports of the project. Each asks where its output goes, shows progress on
// long work, changes no record and says what it wrote or why it could not.
#include "main_window.h"

#include "analysis/shared_map_scale.h"
#include "data/lab_profile.h"
#include "report/installed_template.h"
#include "report/pdf_conversion.h"
#include "report/scrivet.h"
#include "views/map_export.h"
#include "views/plot_picture.h"
#include "views/user_dialogs.h"
#include "views/wave_pictures.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QTemporaryDir>

using namespace tarvel;

namespace {

const QString kTitle = QStringLiteral("Tarvel");

} // namespace

bool MainWindow::checkSomethingOpen(NoticeIcon icon) {
    if (state_.mode != kNothingOpen)
        return true;
    dialogs_.notify(this, icon, kTitle, tr("没有打开的工程文件！"));
    return false;
}

NamePipeFile* MainWindow::fileWithMarkedWaves() {
    NamePipeFile* file = session_.currentFile();
    if (file && !file->excluded && !picturePoints(*file).empty())
        return file;
    dialogs_.notify(this, NoticeIcon::Critical, kTitle, tr("没有设置打印标识的图形！"));
    return nullptr;
}

QString MainWindow::outputFolder() const {
    if (!session_.projectDirectory().isEmpty())
        return session_.projectDirectory();
    const NamePipeFile* file = state_.current();
    if (file && !file->dirPath.empty())
        return QString::fromStdString(file->dirPath);
    return QDir::homePath();
}

QString MainWindow::outputBaseName() const {
    if (!session_.projectFileName().isEmpty())
        return QFileInfo(session_.projectFileName()).completeBaseName();
    const NamePipeFile* file = state_.current();
    return file ? QFileInfo(QString::fromStdString(file->fileName)).completeBaseName()
                : QStringLiteral("report");
}

bool MainWindow::writePictures(NamePipeFile& file, const QString& folder, QStringList& written) {
    const std::vector<int> points = picturePoints(file);
    const std::unique_ptr<Progress> progress = dialogs_.startProgress(
        this, tr("正在生成 %1 的位图…").arg(QString::fromStdString(file.fileName)),
        static_cast<int>(points.size()));
    WavePicture picture(state_.options);
    const PictureRun run = writeWavePictures(picture, file, points, folder,
                                             [&](int done) { return progress->advance(done); });
    if (!run.failure.isEmpty()) {
        dialogs_.notify(this, NoticeIcon::Critical, kTitle,
                        tr("位图保存失败：%1").arg(run.failure));
        return false;
    }
    if (run.cancelled) {
        statusBar()->showMessage(tr("已取消，没有写入位图"));
        return false;
    }
    written = run.written;
    return true;
}

void MainWindow::print() {
    if (!checkSomethingOpen(NoticeIcon::Information))
        return;
    NamePipeFile* file = fileWithMarkedWaves();
    if (!file)
        return;
    const QString start =
        remembered_.pictureFolder.isEmpty() || !QDir(remembered_.pictureFolder).exists()
            ? outputFolder()
            : remembered_.pictureFolder;
    const QString folder = dialogs_.existingFolder(this, tr("选择保存文件夹"), start);
    if (folder.isEmpty())
        return;
    remembered_.pictureFolder = folder;
    // Pictures of an earlier run keep their names: replaced only when asked.
    int existing = 0;
    for (int n = 1; n <= static_cast<int>(picturePoints(*file).size()); ++n)
        existing += QFileInfo::exists(QDir(folder).filePath(wavePictureName(*file, n)));
    if (existing > 0 &&
        !dialogs_.askYesNo(this, kTitle,
                           tr("%1 中已有 %2 张同名位图。要替换它们吗？").arg(folder).arg(existing)))
        return;
    QStringList written;
    if (writePictures(*file, folder, written))
        statusBar()->showMessage(tr("已写入 %1 张位图到 %2").arg(written.size()).arg(folder));
}

QString MainWindow::askReportPath(const QString& caption, const QString& suffix,
                                  const QString& nameTail) {
    // Where the last document went, while that folder is there.
    const QString folder =
        remembered_.reportFolder.isEmpty() || !QDir(remembered_.reportFolder).exists()
            ? outputFolder()
            : remembered_.reportFolder;
    QString path = dialogs_.saveFileName(
        this, caption,
        QDir(folder).filePath(outputBaseName() + nameTail + QLatin1Char('.') + suffix),
        QStringLiteral("*.") + suffix, true);
    if (path.isEmpty())
        return path;
    if (!path.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
        path += QLatin1Char('.') + suffix;
    remembered_.reportFolder = QFileInfo(path).absolutePath();
    return path;
}

void MainWindow::reportWritten(bool written, const QString& path, const QString& failurePrefix) {
    QApplication::restoreOverrideCursor();
    const QString reason = QString::fromUtf8(scrivetLastError());
    if (!written) {
        dialogs_.notify(this, NoticeIcon::Critical, kTitle,
                        failurePrefix.isEmpty() ? reason
                                                : failurePrefix + QLatin1Char('\n') + reason);
        return;
    }
    // Written, but perhaps not handed to a viewer: say why.
    QString message = reason.isEmpty() ? tr("已写入 %1").arg(path)
                                       : tr("已写入 %1（未能打开：%2）").arg(path, reason);
    if (pdfAlsoAct_->isChecked())
        message += tr("；") + writePdfBeside(path);
    statusBar()->showMessage(message);
}

QString MainWindow::writePdfBeside(const QString& path) {
    const std::string soffice = findSoffice();
    if (soffice.empty())
        return tr("没有找到 LibreOffice（soffice），未生成 PDF");
    const std::string document = QFile::encodeName(path).toStdString();
    const QString pdf = QFile::decodeName(pdfPathFor(document).c_str());
    // The document's own name was confirmed in its dialog; its PDF's was not.
    if (QFileInfo::exists(pdf) &&
        !dialogs_.askYesNo(this, kTitle, tr("%1 已存在。要替换它吗？").arg(pdf)))
        return tr("未生成 PDF：%1 已存在").arg(pdf);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const PdfRun run = convertDocumentsToPdf(soffice, {document});
    QApplication::restoreOverrideCursor();
    if (!run.failures.empty())
        return tr("未生成 PDF：%1").arg(QString::fromStdString(run.failures.front()));
    return run.fontWarning.empty()
               ? tr("PDF：%1").arg(pdf)
               : tr("PDF：%1（%2）").arg(pdf, QString::fromStdString(run.fontWarning));
}

void MainWindow::BmpOutPut() {
    if (!checkSomethingOpen(NoticeIcon::Critical))
        return;
    NamePipeFile* file = fileWithMarkedWaves();
    if (!file)
        return;
    LabProfile lab;
    if (!readLab(lab))
        return;
    const QString path = askReportPath(tr("图形输出"), QStringLiteral("docx"), tr("-波形"));
    if (path.isEmpty())
        return;
    // The pictures live only as long as the call: a private folder, never
    // one the user may own or another copy of the program may share.
    QTemporaryDir pictures;
    if (!pictures.isValid()) {
        dialogs_.notify(this, NoticeIcon::Critical, kTitle, pictures.errorString());
        return;
    }
    QStringList written;
    if (!writePictures(*file, pictures.path(), written))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QByteArray folder = QFile::encodeName(pictures.path() + QLatin1Char('/'));
    const ScrivetSettings settings{nullptr, &lab, folder.constData(), ScrivetChinese};
    reportWritten(openDoc2With(&state_.project, &state_.files, state_.currentFile, &settings,
                               QFile::encodeName(path).constData(), openReportsWhenDone_),
                  path);
}

void MainWindow::PipeOutPut() {
    if (!checkSomethingOpen(NoticeIcon::Critical))
        return;
    LabProfile lab;
    if (!readLab(lab))
        return;
    const QString path = askReportPath(tr("生成报告"), QStringLiteral("docx"), tr("-检测报告"));
    if (path.isEmpty())
        return;
    QTemporaryDir maps;
    if (!maps.isValid()) {
        dialogs_.notify(this, NoticeIcon::Critical, kTitle, maps.errorString());
        return;
    }
    const int areas = static_cast<int>(state_.files.size());
    const std::unique_ptr<Progress> progress =
        dialogs_.startProgress(this, tr("正在生成报告…"), areas + 1);
    // Every map on the project's one colour scale, the points below the
    // area's requirement outlined; named from 1, as the areas are counted.
    const MapScale scale = sharedMapScale(state_.files);
    const AcceptanceCriteria& criteria = session_.criteria();
    for (int i = 0; i < areas; ++i) {
        if (!progress->advance(i)) {
            statusBar()->showMessage(tr("已取消，没有写入报告"));
            return;
        }
        const NamePipeFile& file = *state_.files[static_cast<std::size_t>(i)];
        // An area without a usable grid has no map; the report says so.
        const QImage map = renderAreaMap(
            file, {&scale, requirementFor(criteria, file.fileName).deformationModulus});
        if (map.isNull())
            continue;
        const QString name =
            QDir(maps.path()).filePath(QString::fromStdString(scrivet::mapFileName(i + 1)));
        if (const QString error = writePicture(map, name); !error.isEmpty()) {
            dialogs_.notify(this, NoticeIcon::Critical, kTitle,
                            QStringLiteral("%1\n%2").arg(name, error));
            return;
        }
    }
    if (!progress->advance(areas)) {
        statusBar()->showMessage(tr("已取消，没有写入报告"));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string templatePath = scrivet::installedTemplatePath("report.docx");
    const QByteArray folder = QFile::encodeName(maps.path() + QLatin1Char('/'));
    const ScrivetSettings settings{&criteria, &lab, folder.constData(), ScrivetChinese};
    const bool written =
        openDoc1With(templatePath.c_str(), &state_.project, &state_.files, &settings,
                     QFile::encodeName(path).constData(), openReportsWhenDone_);
    progress->advance(areas + 1);
    reportWritten(written, path);
}

void MainWindow::ProjectOutPut() {
    if (!checkSomethingOpen(NoticeIcon::Critical))
        return;
    LabProfile lab;
    if (!readLab(lab))
        return;
    const QString path = askReportPath(tr("生成汇总表"), QStringLiteral("xlsx"), tr("-汇总表"));
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ScrivetSettings settings{&session_.criteria(), &lab, nullptr, ScrivetChinese};
    reportWritten(openExcelWith(&state_.project, &state_.files, &settings,
                                QFile::encodeName(path).constData(), openReportsWhenDone_),
                  path, tr("Excel出现错误，可能Excel没有激活有关系！"));
}

void MainWindow::ExportReport() {
    ProjectOutPut();
}
