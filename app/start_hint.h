// What the centre of the window shows while nothing is open: how to begin.
#pragma once

class QLabel;
class QWidget;

// A label with two links: "project" opens a project, "area" an area file.
QLabel* createStartHint(QWidget* parent);
