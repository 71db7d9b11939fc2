#pragma once

// The application font: family "wenquanyi" (the installed WenQuanYi Zen Hei),
// 14 points.
void setApplicationFont();

// Runs the program: application object, font, command line, main window and
// event loop. Returns the process exit code.
int runTarvel(int argc, char** argv);
