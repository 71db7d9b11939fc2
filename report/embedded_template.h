// The report template compiled into the library, for when no template file
// is installed.
#pragma once

#include <cstddef>

namespace tarvel::scrivet {

extern const unsigned char kEmbeddedTemplate[];
extern const std::size_t kEmbeddedTemplateSize;

} // namespace tarvel::scrivet
