// The distribution map of an area as a picture, drawn without any window or
// session: for the reports, "生成位图" and the command line.
#pragma once

#include <QImage>

namespace tarvel {

struct NamePipeFile;

// 800 x 400, 16-bit RGB; a null image when the area's grid is unusable
// (buildAreaMap(file).unusable says why).
QImage renderAreaMap(const tarvel::NamePipeFile& file);

} // namespace tarvel
