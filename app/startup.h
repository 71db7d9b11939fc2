#pragma once

#include "views/application_font.h"

// Runs the program: application object, font, command line, main window and
// event loop. Returns the process exit code.
int runTarvel(int argc, char** argv);
