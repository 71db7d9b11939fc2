#include "view_options.h"

#include "atomic_file.h"
#include "input_file.h"

#include <cstring>

namespace tarvel {

ViewOptions defaultViewOptions() {
    ViewOptions options{};
    options.waveHeight = 300;
    options.abscissaTime = 1;
    return options;
}

bool loadViewOptions(ViewOptions& options, const std::string& path) {
    InputFile file;
    if (!file.open(path).empty())
        return false;
    ViewOptions read = options;
    std::size_t got = 0;
    if (!file.readAt(0, &read, sizeof read, got).empty())
        return false;
    std::memcpy(&options, &read, got);
    return true;
}

std::string saveViewOptions(const ViewOptions& options, const std::string& path) {
    return writeFileAtomically(path, &options, sizeof options);
}

} // namespace tarvel
