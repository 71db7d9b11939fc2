// The command line: "-SizeHint<colour> <width>x<height>" pairs and, as the
// last word, an optional project or area file to open; "--help" and
// "--version" print and end the program before any window.
#pragma once

#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace tarvel {

struct CommandLine {
    bool valid = true;
    QMap<QString, QSize> sizeHints;
    // The last argument that is no option: a .Prj, a .pip or a folder to
    // open at start; empty for none.
    QString openPath;
    bool help = false;
    bool version = false;
};

inline constexpr const char* kUsage = "Usage: mainwindow [-SizeHint<color> <width>x<height>] ...";

inline constexpr const char* kHelp =
    "Usage: tarvel [-SizeHint<color> <width>x<height>]... [PATH.Prj | PATH.pip | FOLDER]\n"
    "Analysis of falling-ball modulus tests: opens a project or a single area file\n"
    "(or neither) in the desktop program.\n"
    "\n"
    "  PATH.Prj, PATH.pip  the project or area file to open at start\n"
    "  FOLDER              the project in that folder\n"
    "  -SizeHint<color> <width>x<height>\n"
    "                      accepted; the sizes are not used\n"
    "  --help              print this text and exit\n"
    "  --version           print the version and exit\n"
    "\n"
    "tarvel-cli analyzes, lists, corrects and reports without a screen.\n";

// Reads the arguments after the program name.
CommandLine parseCommandLine(const QStringList& arguments);

} // namespace tarvel
