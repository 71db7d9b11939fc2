// What the centre of the window shows while nothing is open: how to begin.
#pragma once

#include <QStringList>

class QLabel;
class QWidget;

// A label with two links: "project" opens a project, "area" an area file.
QLabel* createStartHint(QWidget* parent);

// Lists the recent projects under the links, each a link of its own.
void showRecentProjects(QLabel* hint, const QStringList& recent);

// The index into the recent projects a link of the hint stands for, or -1.
int recentProjectOfLink(const QString& link);
