// The single-wave view over a loaded project: what it shows, picking, the
// marking commands, the print flag, deletion, alignment and the exports.
#include "analysis/results.h"
#include "app/main_window.h"
#include "data/gbk_text.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"
#include "views/pipe_info_panel.h"
#include "views/plot_overlay_items.h"
#include "views/wave.h"
#include "views/wave_export.h"
#include "views/wave_list.h"
#include "views/wave_pictures.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QMenu>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>

using namespace tarvel;

class WaveViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void titleCountsShownWavesAndMarksTheCurrentOne();
    void markersSitOnTheMarksWithTheirLabels();
    void resultLinesShowTheEngineResults();
    void pickingReadsTheStoredSample();
    void clickOnTheCanvasPicks();
    void rightClickOpensThePreparedMenu();
    void pickAtZeroClearsTheStatus();
    void pickingMovesTheHighlight();
    void marksByHandNeedManualMarking();
    void startMarkByHandIsRecordedAndApplied();
    void endMarkMayNotPrecedeStart();
    void endMarkRescalesTheLegendOnlyWithASpeedAndLength();
    void printFlagOfLastFlaggedWaveIsKept();
    void menuFollowsThePoint();
    void deletingTheCurrentWave();
    void deletingAfterReopeningWithDeletedPoints();
    void defectMarkAtThePickAndClearing();
    void headAlignmentShiftsTheWave();
    void legendMarksOfThePointAreShown();
    void imageExportIs800By400In16BitRgb();
    void textExportTruncatesAndEndsLinesInCrLf();
    void exportsStartAtTheAreaNameAndAddTheirSuffix();
    void impactZoomShowsTheContactAndBack();
    void aStartMarkAtTheLeftEdgeLeavesTheTitleReadable();

private:
    NamePipeFile& file() { return *window->session().currentFile(); }
    QWave* view(int point) { return window->waveList()->viewOfPoint(point); }

    QTemporaryDir* dir = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    MainWindow* window = nullptr;
};

void WaveViewTest::init() {
    dir = new QTemporaryDir;
    dialogs = new ScriptedDialogs;
    window = new MainWindow;
    tarvel::ViewOptions options = window->state().options;
    options.waveHeight = 300;
    options.abscissaTime = 1;
    window->session().setOptions(options);
    QVERIFY(window->openProjectPath(writeStandardProject(dir->path())));
    // 测区2 has six points.
    const int index = window->state().files[0]->pointCount() == 6   ? 0
                      : window->state().files[1]->pointCount() == 6 ? 1
                                                                    : 2;
    window->fileTable()->selectRow(index);
    window->cellClicked(index, 1);
    QCOMPARE(file().pointCount(), 6);
}

void WaveViewTest::cleanup() {
    delete window;
    delete dialogs;
    delete dir;
}

void WaveViewTest::titleCountsShownWavesAndMarksTheCurrentOne() {
    file().currentPoint = 3;
    window->waveList()->redrawAll();
    QCOMPARE(view(0)->titleItem()->text(), QString("序号:1/6"));
    QCOMPARE(view(2)->titleItem()->text(), QString("序号:3/6"));
    QCOMPARE(view(2)->titleItem()->colour(), QColor(255, 0, 0));
    QVERIFY(!view(0)->titleItem()->colour().isValid());
    QCOMPARE(view(2)->titleItem()->pointSize(), 10);
    QVERIFY(view(2)->pickMarker()->plot());
    QVERIFY(!view(0)->pickMarker()->plot());

    file().points[4].header.pointNo = -1;
    view(4)->drawPoint();
    QCOMPARE(view(4)->titleItem()->text(), QString("序号:5/6 系叠加波"));
    QCOMPARE(view(0)->unitItem()->text(), QString("T(ms)"));
}

void WaveViewTest::markersSitOnTheMarksWithTheirLabels() {
    const MeasurePoint& p = file().points[1];
    QWave* v = view(1);
    QCOMPARE(v->startMarker()->xValue(), p.startMarkMs);
    QCOMPARE(v->endMarker()->xValue(), p.endMarkMs);
    QCOMPARE(v->peakMarker()->xValue(), p.peakTime);
    QCOMPARE(v->baselineMarker()->yValue(), p.baseline);
    QCOMPARE(v->startMarker()->label().text(),
             "起始:  " + QString::number(p.startMarkMs, 'f', 3) + "ms");
    QCOMPARE(v->endMarker()->label().text(),
             "结束:  " + QString::number(p.endMarkMs, 'f', 3) + "ms");
    QCOMPARE(v->peakMarker()->label().text(),
             QString("( %1ms, %2m/s2 )")
                 .arg(QString::number(p.peakTime, 'f', 3))
                 .arg(QString::number(p.peakValue / file().header.gain, 'f', 2)));
    // The curve reads the samples in place.
    QCOMPARE(v->curve()->dataSize(), p.accel.size());
    QCOMPARE(v->curve()->sample(100), QPointF(file().timeAxis[100], p.accel[100]));
}

void WaveViewTest::resultLinesShowTheEngineResults() {
    const MeasurePoint& p = file().points[2];
    QVERIFY(p.hasResults);
    const auto expected = resultLines(p.results);
    QWave* v = view(2);
    for (int i = 0; i < 12; ++i) {
        QCOMPARE(v->resultItem(i)->text(), QString::fromStdString(expected[i]));
        QCOMPARE(v->resultItem(i)->colour(), QColor(0, 0, 255));
        QCOMPARE(v->resultItem(i)->pointSize(), 10);
    }
    // With a canvas as high as the option the lines stand evenly, a little
    // more than a line apart, the first below the title.
    const QRectF canvas(0, 0, 1000, 300);
    const QFontMetricsF metrics(QFont("Helvetica", 10));
    const double spacing =
        v->resultItem(1)->position(canvas).y() - v->resultItem(0)->position(canvas).y();
    QVERIFY(spacing > metrics.lineSpacing());
    QVERIFY(v->resultItem(0)->position(canvas).y() - metrics.ascent() >= overlayTitleBottom(10));
    for (int i = 0; i < 12; ++i)
        QCOMPARE(v->resultItem(i)->position(canvas),
                 v->resultItem(0)->position(canvas) + QPointF(0, spacing * i));
    QCOMPARE(v->resultItem(0)->position(canvas).x(), 790.0);
    for (int i = 12; i < 15; ++i)
        QVERIFY(v->resultItem(i)->text().isEmpty());
    // The fitted moduli stand in the title band, right of the title.
    QCOMPARE(v->fitItem()->text(), QString::fromStdString(fitResultLine(p.results)));
    QVERIFY(v->fitItem()->position(canvas).x() >
            QFontMetrics(QFont("Helvetica", 10)).horizontalAdvance(v->titleItem()->text()));
    QCOMPARE(v->fitItem()->position(canvas).y(), v->titleItem()->position(canvas).y());
    QCOMPARE(v->resultItem(0)->text(),
             "测试 Tc (ms): " + QString::number(p.endMarkMs - p.startMarkMs, 'f', 3));
    const AreaMeans means = computeAreaMeans(file());
    QCOMPARE(window->pipeInfo()->resilientText(), QString::number(means.resilientModulus, 'f', 2));
}

void WaveViewTest::pickingReadsTheStoredSample() {
    const NamePipeFile& f = file();
    const MeasurePoint& p = f.points[1];
    const double x = 6.5;
    const int k = int(x * 1000 / f.header.sampleInterval);
    const double expected = (double(p.raw[k]) - 32768) * f.header.fullScale / 32768 /
                            f.header.sensitivity / f.header.gain;
    view(1)->Pickedselected(QPointF(x, 0));
    QCOMPARE(window->statusBar()->currentMessage(),
             QString("T=6.500ms, A=%1m/s2").arg(QString::number(expected, 'f', 2)));
    QCOMPARE(file().points[1].pickTime, x);
    QCOMPARE(view(1)->pickMarker()->xValue(), x);
}

void WaveViewTest::clickOnTheCanvasPicks() {
    window->resize(1200, 800);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QWave* v = view(1);
    QWidget* canvas = v->canvas();
    const QPoint at(canvas->width() / 3, canvas->height() / 2);
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, at);
    const double expected = v->invTransform(QwtPlot::xBottom, at.x());
    QVERIFY(qAbs(file().points[1].pickTime - expected) < 0.1);
    QCOMPARE(file().currentPoint, 2);
    QVERIFY(window->statusBar()->currentMessage().startsWith("T="));
}

void WaveViewTest::rightClickOpensThePreparedMenu() {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    file().points[0].header.printMark = 2;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                            view(0)->mapToGlobal({10, 10}));
    QApplication::sendEvent(view(0), &event);
    QMenu* menu = view(0)->mainMenu();
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->actions()[4]->text(), QString("去除打印标识"));
    menu->close();
}

void WaveViewTest::pickAtZeroClearsTheStatus() {
    window->statusBar()->showMessage("old");
    view(0)->Pickedselected(QPointF(0, 3));
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
}

void WaveViewTest::pickingMovesTheHighlight() {
    file().currentPoint = 1;
    window->waveList()->redrawAll();
    view(3)->Pickedselected(QPointF(7, 0));
    QCOMPARE(file().currentPoint, 4);
    QCOMPARE(file().previousPoint, 1);
    QCOMPARE(view(3)->titleItem()->colour(), QColor(255, 0, 0));
    QVERIFY(!view(0)->titleItem()->colour().isValid());
}

void WaveViewTest::marksByHandNeedManualMarking() {
    QCOMPARE(file().points[0].header.params.autoMark, 1);
    view(0)->doHead();
    view(0)->doTail();
    QCOMPARE(dialogs->texts(), (QStringList{"请先选择人工标记时间！", "请先选择人工标记时间！"}));
    QCOMPARE(dialogs->calls.first().title, QString("Tarvel"));
    QVERIFY(!file().modified);
}

void WaveViewTest::startMarkByHandIsRecordedAndApplied() {
    MeasurePoint& p = file().points[0];
    p.header.params.autoMark = 2;
    window->waveList()->reprocess();
    p.pickTime = p.endMarkMs;
    view(0)->doHead();
    QCOMPARE(dialogs->texts(), QStringList{"撞击起始时间不能大于结束时间！"});

    const float oldStart = p.header.startMark;
    const double newStart = p.startMarkMs + 0.5;
    p.pickTime = newStart;
    view(0)->doHead();
    QCOMPARE(p.header.startMark, float(newStart));
    QCOMPARE(p.startMarkMs, double(float(newStart)));
    QVERIFY(file().modified);
    QVERIFY(window->state().saveNeeded);
    QCOMPARE(window->history().undoStack().back().kind, int(kEditStartMark));
    // The file was conditioned again: results follow the new mark.
    QCOMPARE(view(0)->startMarker()->xValue(), p.startMarkMs);
    QCOMPARE(view(0)->resultItem(0)->text(),
             "测试 Tc (ms): " + QString::number(p.endMarkMs - p.startMarkMs, 'f', 3));
    // Undoing puts the old mark back and conditions again.
    window->CancelDo();
    QCOMPARE(p.header.startMark, oldStart);
    QCOMPARE(view(0)->startMarker()->xValue(), double(oldStart));
    window->ReDo();
    QCOMPARE(p.header.startMark, float(newStart));
}

void WaveViewTest::endMarkMayNotPrecedeStart() {
    MeasurePoint& p = file().points[0];
    p.header.params.autoMark = 2;
    window->waveList()->reprocess();
    p.pickTime = p.startMarkMs;
    view(0)->doTail();
    QCOMPARE(dialogs->texts(), QStringList{"撞击结束时间不能小于开始时间！"});
    QVERIFY(!file().modified);
}

void WaveViewTest::endMarkRescalesTheLegendOnlyWithASpeedAndLength() {
    MeasurePoint& p = file().points[0];
    p.header.params.autoMark = 2;
    window->waveList()->reprocess();
    PipHeader& h = file().header;
    h.pileLength = 10;
    h.waveSpeed = 0;
    h.defectLegend[0].position = 2.0f;
    p.pickTime = p.endMarkMs - 0.2;
    view(0)->doTail();
    QVERIFY(dialogs->texts().isEmpty());
    QCOMPARE(float(h.defectLegend[0].position), 2.0f);

    h.waveSpeed = 4000;
    p.pickTime = p.endMarkMs + 0.1;
    const float newSpeed = float(4000 * 10 / float(p.pickTime));
    view(0)->doTail();
    QCOMPARE(float(h.waveSpeed), newSpeed);
    QCOMPARE(float(h.defectLegend[0].position), float(2.0f * newSpeed / 4000));

    // A file without a pile length (the usual case for these areas) keeps
    // its wave speed and its legend marks; the end mark itself still moves.
    h.pileLength = 0;
    h.waveSpeed = 4000;
    h.defectLegend[0].position = 2.0f;
    p.pickTime = p.endMarkMs + 0.1;
    const double end = p.pickTime;
    view(0)->doTail();
    QCOMPARE(float(h.waveSpeed), 4000.0f);
    QCOMPARE(float(h.defectLegend[0].position), 2.0f);
    QCOMPARE(p.header.endMark, float(end));
}

void WaveViewTest::printFlagOfLastFlaggedWaveIsKept() {
    for (MeasurePoint& p : file().points)
        p.header.printMark = 1;
    file().points[0].header.printMark = 2;
    window->waveList()->redrawAll();
    QVERIFY(view(0)->checkImage()->plot());
    QVERIFY(!view(1)->checkImage()->plot());

    view(0)->doPrint();
    QCOMPARE(dialogs->calls.last().title, QString("Tarvel"));
    QCOMPARE(dialogs->calls.last().text, QString("当前桩必须有一个可打印波形！"));
    QCOMPARE(dialogs->calls.last().icon, NoticeIcon::Critical);
    QCOMPARE(file().points[0].header.printMark, 2);
    QVERIFY(!file().modified);

    view(1)->doPrint();
    QCOMPARE(file().points[1].header.printMark, 2);
    QVERIFY(view(1)->checkImage()->plot());
    QCOMPARE(window->history().undoStack().back().kind, int(kEditPrintMarkSet));

    view(0)->doPrint();
    QCOMPARE(file().points[0].header.printMark, 1);
    QVERIFY(!view(0)->checkImage()->plot());
    QCOMPARE(window->history().undoStack().back().kind, int(kEditPrintMarkCleared));
    QVERIFY(file().modified);
}

void WaveViewTest::menuFollowsThePoint() {
    file().points[0].header.printMark = 2;
    view(0)->prepareMenu();
    QStringList visible;
    QStringList enabled;
    for (QAction* action : view(0)->mainMenu()->actions()) {
        if (action->isVisible())
            visible << action->text();
        if (action->isEnabled())
            enabled << action->text();
    }
    QCOMPARE(visible, (QStringList{"起始时间标记(&T)", "结束时间标记(&D)", "去除打印标识",
                                   "图形导出", "数据导出"}));
    QVERIFY(!enabled.contains("起始时间标记(&T)"));
    file().points[1].header.params.autoMark = 0;
    view(1)->prepareMenu();
    const QList<QAction*> actions = view(1)->mainMenu()->actions();
    QVERIFY(actions[0]->isEnabled());
    QStringList all;
    for (QAction* action : actions)
        all << action->text();
    QCOMPARE(all, (QStringList{"起始时间标记(&T)", "结束时间标记(&D)", "缺陷(&F)", "清除(&C)",
                               "设打印标识", "自动计算桩头", "图形导出", "删除波形", "数据导出"}));
    QCOMPARE(actions[3]->statusTip(), QString("清除此波形的缺陷"));
}

void WaveViewTest::deletingTheCurrentWave() {
    file().currentPoint = 3;
    window->WaveDelete();
    QVERIFY(file().points[2].isDeleted());
    QCOMPARE(file().deletedCount, 1);
    QCOMPARE(file().currentPoint, 2);
    QVERIFY(view(2)->isHidden());
    QCOMPARE(view(0)->titleItem()->text(), QString("序号:1/5"));
    QCOMPARE(window->history().undoStack().back().kind, int(kEditPointDeleted));
    // Undoing shows the wave again and makes it current; redoing hides it.
    window->CancelDo();
    QVERIFY(!file().points[2].isDeleted());
    QVERIFY(!view(2)->isHidden());
    QCOMPARE(file().currentPoint, 3);
    window->ReDo();
    QVERIFY(view(2)->isHidden());
    QCOMPARE(file().currentPoint, 2);
    QVERIFY(file().modified);

    // The first point, when deleted, hands the selection forward.
    file().currentPoint = 1;
    window->WaveDelete();
    QCOMPARE(file().currentPoint, 2);

    window->show();
    for (int remaining = 4; remaining > 0; --remaining)
        window->WaveDelete();
    QCOMPARE(file().deletedCount, 6);
    QVERIFY(window->waveList()->isHidden());
}

void WaveViewTest::deletingAfterReopeningWithDeletedPoints() {
    // A file saved with its first point deleted has one view fewer than
    // points, so the last point's view is not at the last point's position.
    file().points[0].header.deleted = 1;
    file().deletedCount = 1;
    window->waveList()->setFile();
    QCOMPARE(window->waveList()->waves().size(), 5);
    file().currentPoint = 6;
    window->WaveDelete();
    QVERIFY(file().points[5].isDeleted());
    QCOMPARE(file().deletedCount, 2);
    QCOMPARE(file().currentPoint, 5);
    QVERIFY(view(5)->isHidden());
}

void WaveViewTest::defectMarkAtThePickAndClearing() {
    file().header.waveSpeed = 4000;
    for (DefectMark& mark : file().header.defectLegend)
        mark.position = 0;
    view(1)->Pickedselected(QPointF(1.5, 0));

    dialogs->defectAnswers << false;
    view(1)->doError();
    QVERIFY(!file().header.defectLegend[0].position);
    QVERIFY(window->history().undoStack().empty());

    dialogs->defectAnswers << true;
    view(1)->doError();
    const DefectMark& mark = file().header.defectLegend[0];
    QCOMPARE(mark.position, 3.0f); // 1.5 ms at 4000 m/s there and back
    QCOMPARE(file().header.legendPoint[0], 1);
    QCOMPARE(QString::fromStdString(decodeGbk(mark.codeA)), QString("缩径"));
    QCOMPARE(QString::fromStdString(decodeGbk(mark.codeB)), QString("轻微"));
    QVERIFY(view(1)->defectLine(0)->plot());
    QCOMPARE(view(1)->defectLine(0)->xValue(), 1.5);
    QCOMPARE(window->history().undoStack().back().kind, int(kEditDefects));
    QVERIFY(file().modified);

    // Clearing another wave leaves this one's mark alone.
    const std::size_t edits = window->history().undoStack().size();
    view(2)->doClear();
    QCOMPARE(window->history().undoStack().size(), edits);
    QCOMPARE(mark.position, 3.0f);

    view(1)->doClear();
    QVERIFY(!(mark.position > 1e-6f));
    QVERIFY(!view(1)->defectLine(0)->plot());
    // Undoing the clearing brings the mark back, on its point.
    window->CancelDo();
    QCOMPARE(mark.position, 3.0f);
    QVERIFY(view(1)->defectLine(0)->plot());
}

void WaveViewTest::headAlignmentShiftsTheWave() {
    const NamePipeFile& f = file();
    MeasurePoint& p = file().points[1];
    const double start = p.header.startMark;
    const double dt = f.header.sampleInterval;
    view(1)->alignHead();
    QCOMPARE(p.startMarkMs, 0.0);
    QCOMPARE(p.baseline, 0.0);
    QCOMPARE(p.endMarkMs, double(f.header.pileLength));
    QCOMPARE(view(1)->curve()->sample(0).x(), dt / 1000 - start);
    const double b = -start / 1000 * f.header.waveSpeed;
    QCOMPARE(p.lengthAxis[0], (dt / 1000000 * f.header.waveSpeed + b) / 2);

    window->waveList()->reprocess();
    QCOMPARE(view(1)->curve()->sample(0).x(), 0.0);
    QCOMPARE(p.startMarkMs, start);
}

void WaveViewTest::legendMarksOfThePointAreShown() {
    NamePipeFile& f = file();
    f.header.defectLegend[3].position = 2.5f;
    f.header.legendPoint[3] = 1;
    f.header.defectLegend[4].position = 3.0f;
    f.header.legendPoint[4] = 2;
    window->waveList()->redrawAll();
    const double time = 2.5 * 1000 * 2 / f.header.waveSpeed;
    QVERIFY(view(1)->defectLine(3)->plot());
    QCOMPARE(view(1)->defectLine(3)->xValue(), time);
    QCOMPARE(view(1)->defectLabel(3)->label().text(), QString("2.50m"));
    QCOMPARE(view(1)->defectLabel(3)->yValue(), f.points[1].yMax / 10);
    QVERIFY(!view(1)->defectLine(4));
    QVERIFY(view(2)->defectLine(4)->plot());

    {
        tarvel::ViewOptions options = window->state().options;
        options.defectInTime = 1;
        window->session().setOptions(options);
    }
    f.header.defectLegend[3].position = 0;
    f.header.defectLegend[4].position = 3.0f;
    window->waveList()->redrawAll();
    QVERIFY(!view(1)->defectLine(3)->plot());
    QCOMPARE(view(2)->defectLabel(4)->label().text(),
             QString::number(3.0 * 1000 * 2 / f.header.waveSpeed, 'f', 2) + "ms");
}

void WaveViewTest::imageExportIs800By400In16BitRgb() {
    const QImage image = WavePicture(window->state().options).render(file(), 1);
    QCOMPARE(image.size(), QSize(800, 400));
    QCOMPARE(image.format(), QImage::Format_RGB16);

    const QString path = dir->path() + "/wave.bmp";
    dialogs->fileNames << path;
    view(1)->saveAs();
    const DialogCall save = dialogs->callsOf("save").first();
    QCOMPARE(save.title, QString("图形导出"));
    QVERIFY(save.text.startsWith("PNG (*.png);;Images (*."));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    QCOMPARE(reader.size(), QSize(800, 400));
    // The wave itself is in the picture: some of the curve's gray fill.
    const QImage saved(path);
    int gray = 0;
    for (int y = 0; y < saved.height(); ++y)
        for (int x = 0; x < saved.width(); ++x)
            gray += qGray(saved.pixel(x, y)) > 100 && qGray(saved.pixel(x, y)) < 160;
    QVERIFY(gray > 1000);
    QVERIFY(dialogs->callsOf("notify").isEmpty());

    // A picture that could not be written says so.
    const QString nowhere = dir->path() + "/missing/wave.png";
    dialogs->fileNames << nowhere;
    view(1)->saveAs();
    QVERIFY(!QFile::exists(nowhere));
    QCOMPARE(dialogs->callsOf("notify").size(), 1);
    QCOMPARE(dialogs->callsOf("notify").first().title, QString("Tarvel"));
    QVERIFY(dialogs->callsOf("notify").first().text.startsWith("Failed to save " + nowhere + "\n"));
}

void WaveViewTest::exportsStartAtTheAreaNameAndAddTheirSuffix() {
    const QString area = QFileInfo(QString::fromStdString(file().fileName)).completeBaseName();
    const QString folder = QString::fromStdString(file().dirPath);
    dialogs->startPaths.clear();
    // A name typed without a suffix is a PNG picture, a text named ".txt".
    dialogs->fileNames << dir->path() + "/picture" << dir->path() + "/samples";
    view(1)->saveAs();
    view(1)->dataexport();
    QCOMPARE(QImageReader(dir->path() + "/picture.png").format(), QByteArray("png"));
    QVERIFY(QFile::exists(dir->path() + "/samples.txt"));
    QCOMPARE(window->statusBar()->currentMessage(), "已写入 " + dir->path() + "/samples.txt");
    QCOMPARE(dialogs->callsOf("save").last().title, QString("数据导出"));
    // The first starts in the area's folder, the next where the last went.
    QCOMPARE(QFileInfo(dialogs->startPaths[0]).absolutePath(), QDir(folder).absolutePath());
    QCOMPARE(QFileInfo(dialogs->startPaths[0]).fileName(), area + "-2.png");
    QCOMPARE(dialogs->startPaths[1], dir->path() + "/" + area + "-2.txt");

    dialogs->fileNames << QString();
    view(0)->dataexport();
    QVERIFY(dialogs->callsOf("notify").isEmpty());
}

void WaveViewTest::textExportTruncatesAndEndsLinesInCrLf() {
    const QString path = dir->path() + "/A.txt";
    {
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray(200000, 'x'));
    }
    dialogs->fileNames << path;
    view(1)->dataexport();
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray content = written.readAll();

    QByteArray expected;
    for (uint16_t sample : file().points[1].raw)
        expected += QByteArray::number(int(sample) - 32768) + "\r\n";
    QCOMPARE(content, expected);
    QCOMPARE(dialogs->callsOf("save").size(), 1);
    QVERIFY(dialogs->callsOf("notify").isEmpty());
}

void WaveViewTest::impactZoomShowsTheContactAndBack() {
    QAction* zoom = window->findChild<QAction*>("impactZoom");
    QVERIFY(zoom->isCheckable());
    const QwtInterval whole = view(1)->axisInterval(QwtPlot::xBottom);
    const MeasurePoint& p = file().points[1];
    const double contact = p.endMarkMs - p.startMarkMs;
    QVERIFY(contact > 0);
    zoom->setChecked(true);
    const QwtInterval shown = view(1)->axisInterval(QwtPlot::xBottom);
    QCOMPARE(shown.minValue(), std::max(0.0, p.startMarkMs - contact / 2));
    QCOMPARE(shown.maxValue(), p.endMarkMs + contact);
    QVERIFY(shown.width() < whole.width() / 2);
    // A pick inside the zoomed view reads the time under the cursor.
    view(1)->Pickedselected(QPointF(p.startMarkMs + contact / 2, 0));
    QCOMPARE(file().points[1].pickTime, p.startMarkMs + contact / 2);
    zoom->setChecked(false);
    QCOMPARE(view(1)->axisInterval(QwtPlot::xBottom).maxValue(), whole.maxValue());
}

void WaveViewTest::aStartMarkAtTheLeftEdgeLeavesTheTitleReadable() {
    file().points[1].startMarkMs = 0.02;
    QWave* v = view(1);
    v->drawPoint();
    v->resize(1000, 300);
    const QImage shot = v->grab().toImage();
    // Red in the title's band may only be the start line itself, a pixel
    // or two wide: its label starts below the band.
    const QRect canvas = v->canvas()->geometry();
    const int titleWidth =
        QFontMetrics(QFont("Helvetica", 10)).horizontalAdvance(v->titleItem()->text());
    int red = 0;
    for (int y = canvas.top(); y < canvas.top() + overlayTitleBottom(10); ++y) {
        for (int x = canvas.left(); x < canvas.left() + titleWidth + 40; ++x) {
            const QColor c = shot.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 120 && c.blue() < 120 ? 1 : 0;
        }
    }
    QVERIFY2(red <= 2 * overlayTitleBottom(10), qPrintable(QString::number(red)));
}

QTEST_MAIN(WaveViewTest)
#include "wave_view_test.moc"
