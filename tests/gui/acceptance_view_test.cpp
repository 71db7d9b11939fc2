// Quality flags and acceptance in the desktop: the badge on a flagged wave,
// the area's verdict in the information panel, and "验收标准".
#include "app/main_window.h"
#include "data/acceptance_file.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"
#include "views/pipe_info_panel.h"
#include "views/plot_overlay_items.h"
#include "views/wave.h"
#include "views/wave_list.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvel;

class AcceptanceViewTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void verdictFollowsTheCriteriaFile();
    void malformedCriteriaFileIsSaidNotIgnored();
    void dialogWritesTheCriteriaBesideTheProject();
    void flaggedWaveCarriesABadgeOfItsGravestFlag();

private:
    void open(const QByteArray& criteria = QByteArray());

    QTemporaryDir* dir = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    MainWindow* window = nullptr;
    QString project;
};

void AcceptanceViewTest::init() {
    dir = new QTemporaryDir;
    dialogs = new ScriptedDialogs;
    window = new MainWindow;
    project = writeFixtureProject(dir->path(), {{QStringLiteral("测区1"), 2, 3}});
}

void AcceptanceViewTest::cleanup() {
    delete window;
    delete dialogs;
    delete dir;
}

void AcceptanceViewTest::open(const QByteArray& criteria) {
    if (!criteria.isEmpty()) {
        QFile file(QString::fromStdString(acceptanceFilePath(project.toStdString())));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(criteria);
    }
    QVERIFY(window->openProjectPath(project));
}

void AcceptanceViewTest::verdictFollowsTheCriteriaFile() {
    open(R"({"requiredDeformationModulus": 1, "guaranteeRate": 0.95})");
    QVERIFY2(window->pipeInfo()->verdictText().startsWith("验收：合格"),
             qPrintable(window->pipeInfo()->verdictText()));
    AcceptanceCriteria strict;
    strict.requiredDeformationModulus = 1e6;
    window->session().setCriteria(strict);
    QVERIFY(window->pipeInfo()->verdictText().startsWith("验收：不合格"));
    window->session().setCriteria(AcceptanceCriteria{});
    QCOMPARE(window->pipeInfo()->verdictText(), QString("验收：未设要求"));
}

void AcceptanceViewTest::malformedCriteriaFileIsSaidNotIgnored() {
    open("{\"requiredDeformationModulus\": 80,");
    const QList<DialogCall> notices = dialogs->callsOf("notify");
    QCOMPARE(notices.size(), 1);
    QVERIFY(notices[0].text.contains(".acceptance.json"));
    QCOMPARE(window->pipeInfo()->verdictText(), QString("验收：未设要求"));
}

void AcceptanceViewTest::dialogWritesTheCriteriaBesideTheProject() {
    open();
    AcceptanceCriteria chosen;
    chosen.requiredDeformationModulus = 80;
    chosen.guaranteeRate = 0.90;
    dialogs->acceptanceAnswers.enqueue(chosen);
    window->findChild<QAction*>("setAcceptance")->trigger();
    QCOMPARE(dialogs->callsOf("acceptance").value(0).text,
             QString::fromStdString(window->session().currentFile()->fileName));
    const AcceptanceRead read = readAcceptanceFile(acceptanceFilePath(project.toStdString()));
    QVERIFY(read.found && read.ok());
    QCOMPARE(*read.criteria.requiredDeformationModulus, 80.0);
    QCOMPARE(read.criteria.guaranteeRate, 0.90);
    QVERIFY(window->pipeInfo()->verdictText().contains("代表值"));
    // A cancelled dialog writes nothing and keeps the criteria.
    window->findChild<QAction*>("setAcceptance")->trigger();
    QCOMPARE(*window->session().criteria().requiredDeformationModulus, 80.0);
}

void AcceptanceViewTest::flaggedWaveCarriesABadgeOfItsGravestFlag() {
    open();
    MeasurePoint& point = window->session().currentFile()->points[1];
    QWave* view = window->waveList()->viewOfPoint(1);
    QVERIFY(!view->badgeItem()->plot());
    point.results.flags.set(QualityFlag::SecondImpact);
    point.results.flags.set(QualityFlag::Clipped);
    view->drawPoint();
    QVERIFY(view->badgeItem()->plot());
    QCOMPARE(view->badgeItem()->text(), QString("[警告]"));
    QVERIFY(view->toolTip().contains(QString::fromUtf8(labelOf(QualityFlag::Clipped).chinese)));
    QVERIFY(
        view->toolTip().contains(QString::fromUtf8(labelOf(QualityFlag::SecondImpact).chinese)));
    point.results.flags.set(QualityFlag::NoImpact);
    view->drawPoint();
    QCOMPARE(view->badgeItem()->text(), QString("[错误]"));
    QCOMPARE(view->badgeItem()->colour(), QColor(200, 0, 0));
}

QTEST_MAIN(AcceptanceViewTest)
#include "acceptance_view_test.moc"
