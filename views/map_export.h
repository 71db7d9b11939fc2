// The distribution map of an area as a picture, drawn without any window or
// session: for the reports, "生成位图" and the command line.
#pragma once

#include "analysis/area_map.h"

#include <QImage>
#include <optional>

namespace tarvel {

struct NamePipeFile;

// How a report's maps differ from the one on screen.
struct MapPictureStyle {
    // The colour scale, shared by the maps of one report; the area's own
    // when null.
    const MapScale* scale = nullptr;
    // Cells whose point's deformation modulus is below it are outlined.
    std::optional<double> requiredMpa;
};

// 800 x 400, 16-bit RGB, the unit on the colour bar; a null image when the
// area's grid is unusable (buildAreaMap(file).unusable says why).
QImage renderAreaMap(const tarvel::NamePipeFile& file, const MapPictureStyle& style = {});

} // namespace tarvel
