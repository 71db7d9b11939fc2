// Where the display options live: the user's configuration folder, so that
// they follow the user and not the folder the program was started from.
#pragma once

#include "data/view_options.h"

#include <QString>

namespace tarvel {

// The options file in the configuration folder (which may not exist yet).
QString viewOptionsPath();

// The defaults, overlaid by the configuration folder's file or, when there
// is none, by a "Kestrine.dat" in the working folder that older setups kept.
ViewOptions loadStartupOptions();

// Writes the options to viewOptionsPath(), making the folder as needed.
// Returns an empty string, or the path and the reason it failed.
QString storeViewOptions(const ViewOptions& options);

} // namespace tarvel
