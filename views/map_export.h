// Placeholder until the distribution map lands.
#pragma once

#include <QImage>

namespace tarvel {
struct NamePipeFile;
QImage renderAreaMap(const NamePipeFile& file);
} // namespace tarvel
