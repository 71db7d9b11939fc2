// The window on a field laptop's 1366 x 768 screen (and a 2x screen of twice
// the pixels, which lays out the same): with the sample project open, in
// Chinese and in English, the window keeps to the screen, no panel covers
// another, every field can be reached, and the waves show with their
// results.
#include "app/main_window.h"
#include "app/startup.h"
#include "scripted_dialogs.h"
#include "session/interface_language.h"
#include "views/distribution_map.h"
#include "views/plot_overlay_items.h"
#include "views/wave.h"
#include "views/wave_list.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>
#include <qwt_plot_canvas.h>
#include <qwt_scale_widget.h>

#include <tuple>

using namespace tarvel;

namespace {

const QSize kLaptopScreen(1366, 768);

QRect inWindow(const QWidget* widget, const QWidget* window) {
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// The fields a user types in, picks or clicks in a panel.
QList<QWidget*> fieldsOf(QWidget* panel) {
    QList<QWidget*> fields;
    for (QWidget* widget : panel->findChildren<QWidget*>()) {
        const bool field = qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                           qobject_cast<QAbstractSpinBox*>(widget) ||
                           qobject_cast<QAbstractButton*>(widget) || qobject_cast<QSlider*>(widget);
        // A spin box's own line edit is part of the spin box.
        if (field && widget->isVisibleTo(panel) &&
            !qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) &&
            !qobject_cast<QComboBox*>(widget->parentWidget()))
            fields << widget;
    }
    return fields;
}

// Scrolls `area` by its bars until the whole of `field` is in view, as far
// as the bars go.
void scrollTo(QScrollArea* area, QWidget* field) {
    const QRect place(field->mapTo(area->widget(), QPoint(0, 0)), field->size());
    const QSize view = area->viewport()->size();
    for (const auto& [bar, low, high, length] :
         {std::tuple{area->verticalScrollBar(), place.top(), place.bottom(), view.height()},
          std::tuple{area->horizontalScrollBar(), place.left(), place.right(), view.width()}}) {
        if (high >= bar->value() + length)
            bar->setValue(high - length + 1);
        if (low < bar->value())
            bar->setValue(low);
    }
    QCoreApplication::processEvents();
}

} // namespace

class WindowFitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void sampleFitsALaptopScreen_data();
    void sampleFitsALaptopScreen();

private:
    void expectFieldsReachable(MainWindow& window, QDockWidget* dock);
    void expectWavesWithTheirResults(MainWindow& window);
};

void WindowFitTest::initTestCase() {
    setApplicationFont();
}

void WindowFitTest::sampleFitsALaptopScreen_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("中文") << false;
    QTest::newRow("English") << true;
}

void WindowFitTest::sampleFitsALaptopScreen() {
    QFETCH(bool, english);
    QTranslator translator;
    if (english) {
        QVERIFY(
            translator.load(QStringLiteral("tarvel_en"), QStringLiteral(TARVEL_TRANSLATIONS_DIR)));
        QCoreApplication::installTranslator(&translator);
        setInterfaceLanguage(InterfaceLanguage::English);
    }
    QTemporaryDir dir;
    for (const QString& name : QDir(TARVEL_SAMPLES_DIR).entryList(QDir::Files))
        QVERIFY(QFile::copy(QDir(TARVEL_SAMPLES_DIR).filePath(name), dir.filePath(name)));
    ScriptedDialogs dialogs;
    {
        // A new user's window: no remembered layout, the screen's size.
        MainWindow window;
        window.resize(kLaptopScreen);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.openProjectPath(dir.filePath("demo.Prj")));
        QCoreApplication::processEvents();

        const QSize least = window.minimumSizeHint();
        QVERIFY2(least.width() <= kLaptopScreen.width() && least.height() <= kLaptopScreen.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        QCOMPARE(window.size(), kLaptopScreen);

        // The docks shown and the centre share the window without overlap.
        QList<QRect> places{inWindow(window.centralWidget(), &window)};
        // The two panels are tabs of one place: one of them shows.
        for (const QDockWidget* dock : window.docks()) {
            if (!dock->visibleRegion().isEmpty())
                places << inWindow(dock, &window);
        }
        QCOMPARE(places.size(), 3);
        for (int i = 0; i < places.size(); ++i) {
            QVERIFY(window.rect().contains(places[i]));
            for (int j = i + 1; j < places.size(); ++j)
                QVERIFY2(!places[i].intersects(places[j]),
                         qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
        }
        expectFieldsReachable(window, window.docks()[0]);
        expectFieldsReachable(window, window.docks()[1]);
        expectWavesWithTheirResults(window);

        // The map keeps its axes in view.
        window.findChild<QAction*>("DengZhiView")->trigger();
        QCoreApplication::processEvents();
        QWaveList* list = window.waveList();
        const QwtScaleWidget* axis = list->map()->plot->axisWidget(QwtPlot::xBottom);
        QVERIFY(list->viewport()->rect().contains(
            QRect(axis->mapTo(list->viewport(), QPoint(0, 0)), axis->size())));
    }
    if (english) {
        QCoreApplication::removeTranslator(&translator);
        setInterfaceLanguage(InterfaceLanguage::Chinese);
    }
}

void WindowFitTest::expectFieldsReachable(MainWindow& window, QDockWidget* dock) {
    dock->raise();
    QCoreApplication::processEvents();
    QVERIFY(!dock->visibleRegion().isEmpty());
    auto* area = qobject_cast<QScrollArea*>(dock->widget());
    QVERIFY(area);
    const QList<QWidget*> fields = fieldsOf(area->widget());
    QVERIFY(fields.size() > 5);
    for (int i = 0; i < fields.size(); ++i) {
        QWidget* field = fields[i];
        scrollTo(area, field);
        const QRect place(field->mapTo(area->viewport(), QPoint(0, 0)), field->size());
        QVERIFY2(area->viewport()->rect().contains(place),
                 qPrintable(field->objectName() + field->metaObject()->className()));
        for (int j = i + 1; j < fields.size(); ++j)
            QVERIFY2(!inWindow(field, &window).intersects(inWindow(fields[j], &window)),
                     qPrintable(QStringLiteral("%1 %2").arg(field->metaObject()->className(),
                                                            fields[j]->metaObject()->className())));
    }
}

void WindowFitTest::expectWavesWithTheirResults(MainWindow& window) {
    QWaveList* list = window.waveList();
    int whole = 0;
    for (QWave* wave : list->waves()) {
        const QRect place(wave->mapTo(list->viewport(), QPoint(0, 0)), wave->size());
        if (!wave->isVisible() || !list->viewport()->rect().contains(place))
            continue;
        ++whole;
        const QRectF canvas = wave->canvas()->contentsRect();
        for (int line = 0; line < 12; ++line) {
            const QwtPlotTextEx* result = wave->resultItem(line);
            QVERIFY(!result->text().isEmpty());
            QVERIFY2(result->fits(canvas), qPrintable(result->text()));
            QVERIFY2(result->position(canvas).x() >= 0, qPrintable(result->text()));
        }
    }
    QVERIFY2(whole >= 2, qPrintable(QString::number(whole)));
}

QTEST_MAIN(WindowFitTest)
#include "window_fit_test.moc"
