// tarvel-cli render (built with the desktop program, whose drawing it uses).
#pragma once

#include <string>
#include <vector>

namespace tarvel {

int runRenderCommand(const std::vector<std::string>& args);

} // namespace tarvel
