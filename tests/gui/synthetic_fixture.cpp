#include "synthetic_fixture.h"

#include "app/main_window.h"

#include "analysis/synthetic.h"

#include <QList>

namespace tarvel {

QString writeFixtureProject(const QString& dir, const QList<FixtureArea>& areas) {
    SyntheticProject project;
    for (const FixtureArea& fixture : areas) {
        SyntheticArea area;
        area.areaName = fixture.name.toStdString();
        area.rows = fixture.rows;
        area.columns = fixture.columns;
        area.sampleCount = fixture.sampleCount;
        area.moduliMPa = modulusPattern(fixture.moduli.toStdString(), area.rows, area.columns, 7);
        area.unloadingRatio = 1.6;
        project.areas.push_back(area);
    }
    const std::string error = writeSyntheticProject(dir.toStdString(), project);
    if (!error.empty())
        return QString();
    return dir + QLatin1Char('/') + QString::fromStdString(project.projectFileName);
}

QString writeStandardProject(const QString& dir) {
    return writeFixtureProject(dir, {{QStringLiteral("测区1"), 2, 2},
                                     {QStringLiteral("测区2"), 2, 3},
                                     {QStringLiteral("测区3"), 1, 2}});
}

void editArea(MainWindow& window, int index) {
    ProjectSession& session = window.session();
    const int current = session.state().currentFile;
    session.setCurrentFile(index);
    const float slope = session.currentFile()->header.slopeCoef + 1;
    session.applyEdit(SetHeaderFields{{floatPatch(offsetof(PipHeader, slopeCoef), slope)}});
    session.setCurrentFile(current);
}

} // namespace tarvel
