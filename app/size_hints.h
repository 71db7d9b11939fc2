// The command line: "-SizeHint<colour> <width>x<height>" pairs and, as the
// last word, an optional project or area file to open.
#pragma once

#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace tarvel {

struct CommandLine {
    bool valid = true;
    QMap<QString, QSize> sizeHints;
    QString openPath; // a .Prj or .pip file to open at start; empty for none
};

inline constexpr const char* kUsage = "Usage: mainwindow [-SizeHint<color> <width>x<height>] ...";

// Reads the arguments after the program name.
CommandLine parseCommandLine(const QStringList& arguments);

} // namespace tarvel
