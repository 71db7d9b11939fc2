// One colour scale for the maps of many areas, so the same colour means the
// same modulus on every map of a report.
#pragma once

#include "area_map.h"

namespace tarvel {

// The round steps spanning every value of every area's map (the project's
// range); areas without a usable grid or without values add nothing.
MapScale sharedMapScale(const AreaFileList& areas);

} // namespace tarvel
