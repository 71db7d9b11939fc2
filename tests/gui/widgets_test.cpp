// Overlay items, the commit-on-leave edit widgets and the small dialogs.
#include "app/main_window.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"
#include "views/edit_widgets.h"
#include "views/lab_dialog.h"
#include "views/plot_overlay_items.h"
#include "views/small_dialogs.h"
#include "views/text_size_cache.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <qwt_scale_map.h>

using namespace tarvel;

namespace {

// Stands in for a panel: counts its changesave() calls.
class Panel : public QWidget {
    Q_OBJECT

public:
    int saves = 0;

public slots:
    void changesave() { ++saves; }
};

// Rows of the image that hold any dark pixel.
QList<int> inkedRows(const QImage& image) {
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                rows << y;
                break;
            }
        }
    }
    return rows;
}

QImage drawn(const QwtPlotItem& item, const QRectF& canvas = QRectF(0, 0, 200, 100)) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    item.draw(&painter, QwtScaleMap(), QwtScaleMap(), canvas);
    return image;
}

// Number of separate bands of inked rows.
int bands(const QList<int>& rows) {
    int count = 0;
    for (int i = 0; i < rows.size(); ++i)
        count += i == 0 || rows[i] != rows[i - 1] + 1;
    return count;
}

} // namespace

class WidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void textAnchors();
    void textLinesEndAtEachSeparator();
    void boxTextFillsFromTheRight();
    void imageSitsLeftOfFourFifths();
    void cachedTickLabelsMeasureLikePlainText();
    void customEditCommitsOnlyChanges();
    void customEditWithoutParentNotifiesNobody();
    void customSpinBoxCommitsEveryTime();
    void defectDialogStoresItsDefaults();
    void mergeListSkipsDeletedAndMergedPoints();
    void aboutBox();
    void labDialogShowsTheProfileAndTakesOnlyAPngLogo();
};

void WidgetsTest::textAnchors() {
    QwtPlotTextEx text;
    QCOMPARE(text.rtti(), 1000);
    QCOMPARE(text.z(), 1000.0);
    const QRectF canvas(10, 20, 300, 200);
    text.setTopLeft(5, 12);
    QCOMPARE(text.position(canvas), QPointF(15, 32));
    text.setBottomRight(210, 40, 3, 4);
    QCOMPARE(text.position(canvas), QPointF(10 + 300 - 213, 20 + 200 - 44));
    text.setTopRight(100, 7, 1, 0);
    QCOMPARE(text.position(canvas), QPointF(10 + 300 - 101, 27));
}

void WidgetsTest::textLinesEndAtEachSeparator() {
    QwtPlotTextEx text;
    text.setTopLeft(10, 30);
    text.setText("AB\nCD\n", Qt::black, 6);
    QCOMPARE(bands(inkedRows(drawn(text))), 2);
    text.setText("AB\nCD", Qt::black, 6);
    QCOMPARE(bands(inkedRows(drawn(text))), 1);
    text.setText("AB", Qt::black, 6);
    QCOMPARE(bands(inkedRows(drawn(text))), 1);
}

void WidgetsTest::boxTextFillsFromTheRight() {
    QwtPlotTextEx1 box;
    box.setTopLeft(0, 12);
    box.setText(QString(), Qt::black, 8);
    // A 300 px canvas: the box starts 220 px left of its right edge.
    QImage image(300, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    box.draw(&painter, QwtScaleMap(), QwtScaleMap(), QRectF(0, 0, 300, 100));
    painter.end();
    QCOMPARE(QColor(image.pixel(50, 50)), QColor(Qt::white));
    QCOMPARE(QColor(image.pixel(150, 50)), QColor(Qt::cyan));
    QCOMPARE(QColor(image.pixel(80, 50)), QColor(Qt::black));
}

void WidgetsTest::imageSitsLeftOfFourFifths() {
    QImage check(26, 26, QImage::Format_RGB32);
    QwtPlotImage image(&check);
    QCOMPARE(image.rtti(), 1000);
    QCOMPARE(image.position(QRectF(10, 20, 500, 100)), QPointF(10 + 400 - 26 - 2, 22));
}

void WidgetsTest::cachedTickLabelsMeasureLikePlainText() {
    CachedLabelScaleDraw draw;
    const QFont small(QStringLiteral("Helvetica"), 8);
    const QFont large(QStringLiteral("Helvetica"), 20);
    QFont bold = small;
    bold.setBold(true);
    // Measured twice each, in fonts that differ in one property at a time,
    // so that a stale or shared cache entry would show.
    for (int round = 0; round < 2; ++round) {
        for (const QFont& font : {small, large, bold}) {
            for (const double value : {0.0, 8.0, 48.0, -12.5}) {
                const QwtText label = draw.label(value);
                const QwtText plain(label.text(), QwtText::PlainText);
                QCOMPARE(label.textSize(font), plain.textSize(font));
            }
        }
    }
}

void WidgetsTest::customEditCommitsOnlyChanges() {
    Panel panel;
    auto* edit = new QCustomEdit(&panel);
    QSignalSpy commits(edit, &QCustomEdit::textUpdate);
    edit->setText("12.5");
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(edit, &leave);
    QCOMPARE(commits.count(), 0);

    edit->QLineEdit::setText("13");
    edit->QLineEdit::setText("12.5");
    QApplication::sendEvent(edit, &leave);
    QCOMPARE(commits.count(), 0);

    edit->QLineEdit::setText("14");
    QApplication::sendEvent(edit, &leave);
    QApplication::sendEvent(edit, &leave);
    QCOMPARE(commits.count(), 1);
    QCOMPARE(panel.saves, 1);
}

void WidgetsTest::customEditWithoutParentNotifiesNobody() {
    QCustomEdit edit;
    QSignalSpy commits(&edit, &QCustomEdit::textUpdate);
    edit.QLineEdit::setText("1");
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(&edit, &leave);
    QCOMPARE(commits.count(), 1);
}

void WidgetsTest::customSpinBoxCommitsEveryTime() {
    Panel panel;
    auto* spin = new QCustomSpinBox(&panel);
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(spin, &leave);
    QApplication::sendEvent(spin, &leave);
    QCOMPARE(panel.saves, 2);
}

void WidgetsTest::defectDialogStoresItsDefaults() {
    QErrorDlg dialog;
    QCOMPARE(dialog.windowTitle(), QString("设置"));
    QCOMPARE(dialog.size(), QSize(600, 220));
    QCOMPARE(dialog.findChildren<QRadioButton*>().size(), 10);
    dialog.OKclicked();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.typeText(), QString("缩径"));
    QCOMPARE(dialog.gradeText(), QString("轻微"));
}

void WidgetsTest::mergeListSkipsDeletedAndMergedPoints() {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(writeFixtureProject(dir.path(), {{"测区1", 1, 5}}));
    NamePipeFile& file = *window.session().currentFile();
    file.points[0].header.deleted = 1;
    file.points[2].header.deleted = 1;
    file.points[4].header.pointNo = -1;
    file.deletedCount = 2;
    QMergeDlg dialog(file);
    QCOMPARE(dialog.windowTitle(), QString("波形叠加"));
    QCOMPARE(dialog.list()->count(), 2);
    QCOMPARE(dialog.list()->item(0)->text(), QString("序号:2/3"));
    QCOMPARE(dialog.list()->item(1)->text(), QString("序号:4/3"));
    dialog.list()->item(1)->setSelected(true);
    dialog.list()->item(0)->setSelected(true);
    QList<int> points{7};
    dialog.selectedPoints(points);
    QCOMPARE(points, (QList<int>{3, 1}));
}

void WidgetsTest::aboutBox() {
    QWidget parent;
    auto* about = new QAboutMain(&parent);
    QCOMPARE(about->windowTitle(), QString("关于"));
    QStringList labels;
    for (QLabel* label : about->findChildren<QLabel*>())
        labels << label->text();
    QVERIFY(labels.contains("Tarvel"));
    QVERIFY(labels.contains("V1.0"));
    QCOMPARE(about->findChild<QPushButton*>()->text(), QString("确认"));
    QPointer<QAboutMain> guard(about);
    about->show();
    about->AboutOk();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(guard.isNull());
}

void WidgetsTest::labDialogShowsTheProfileAndTakesOnlyAPngLogo() {
    QTemporaryDir dir;
    LabProfile lab;
    lab.name = "江城检测中心";
    lab.checker = "李强";
    QLabDlg dialog(lab);
    const QList<QLineEdit*> boxes = dialog.findChildren<QLineEdit*>();
    QCOMPARE(boxes.size(), 9);
    QCOMPARE(boxes[0]->text(), QString("江城检测中心"));
    QCOMPARE(boxes[5]->text(), QString("李强"));
    boxes[7]->setText("  赵刚  ");

    // A logo that is no PNG is said, and the dialog stays.
    QFile text(dir.filePath("logo.png"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    boxes[8]->setText(text.fileName());
    dialog.OKClicked();
    QCOMPARE(dialog.result(), 0);
    QVERIFY(dialog.findChildren<QLabel*>().last()->text().contains("PNG"));

    QImage logo(30, 10, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    QVERIFY(logo.save(text.fileName(), "PNG"));
    dialog.OKClicked();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdString(dialog.lab().approver), QString("赵刚"));
    QCOMPARE(dialog.lab().logo, text.fileName().toStdString());
    QCOMPARE(dialog.lab().checker, lab.checker);
}

QTEST_MAIN(WidgetsTest)
#include "widgets_test.moc"
