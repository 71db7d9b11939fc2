#include "view_options.h"

#include "atomic_file.h"
#include "input_file.h"

#include <cstring>

namespace tarvel {

void loadViewOptions(ViewOptions& options, const std::string& path) {
    InputFile file;
    if (!file.open(path).empty())
        return;
    ViewOptions read = options;
    std::size_t got = 0;
    if (file.readAt(0, &read, sizeof read, got).empty())
        std::memcpy(&options, &read, got);
}

std::string saveViewOptions(const ViewOptions& options, const std::string& path) {
    return writeFileAtomically(path, &options, sizeof options);
}

} // namespace tarvel
