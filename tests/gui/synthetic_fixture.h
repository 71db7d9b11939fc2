// Synthetic projects on disk for the desktop tests, the benchmark and the
// screenshot: real-looking impacts from the physics generator.
#pragma once

#include <QString>

class MainWindow;

namespace tarvel {

struct FixtureArea {
    QString name;
    int rows = 2;
    int columns = 2;
    int sampleCount = 2048;
    QString moduli = QStringLiteral("gradient:60:140");
};

// Writes a project "示范工程.Prj" with one .pip per area into dir; returns
// the project file's path, or an empty string when writing failed.
QString writeFixtureProject(const QString& dir, const QList<FixtureArea>& areas);

// A project of three small areas: 测区1 (4 points), 测区2 (6), 测区3 (2).
QString writeStandardProject(const QString& dir);

// Edits area `index` of the open project as a user would (its slope
// coefficient), leaving the current area as it was: the area then holds an
// unsaved edit.
void editArea(MainWindow& window, int index);

} // namespace tarvel
