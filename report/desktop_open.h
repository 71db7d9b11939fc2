// Hands a finished document to the desktop's default application.
#pragma once

#include <string>

namespace tarvel::scrivet {

// Starts "xdg-open path" without waiting for it. Returns an empty string or
// the reason it could not be started.
std::string openWithDesktop(const std::string& path);

} // namespace tarvel::scrivet
