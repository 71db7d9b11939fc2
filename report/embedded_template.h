// The report templates compiled into the library, for when no template file
// is installed: the test report's and the English pile report's.
#pragma once

#include <cstddef>

namespace tarvel::scrivet {

extern const unsigned char kEmbeddedTemplate[];
extern const std::size_t kEmbeddedTemplateSize;
extern const unsigned char kEmbeddedEnglishTemplate[];
extern const std::size_t kEmbeddedEnglishTemplateSize;

} // namespace tarvel::scrivet
