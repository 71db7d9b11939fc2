// Names typed into save dialogs, made whole before anything is written.
#pragma once

#include <QString>

namespace tarvel {

// `path` with ".<suffix>" added unless it already ends in it (in any case);
// an empty path (a cancelled dialog) stays empty.
QString withSuffix(const QString& path, const QString& suffix);

// `path` as is when it ends in a suffix the image writer knows, otherwise
// with ".png" added.
QString withImageSuffix(const QString& path);

} // namespace tarvel
