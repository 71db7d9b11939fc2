#include "view_options.h"

#include "atomic_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tarvel {

void loadViewOptions(ViewOptions& options, const std::string& path) {
    std::vector<unsigned char> bytes;
    if (!readWholeFile(path, bytes).empty())
        return;
    std::memcpy(&options, bytes.data(), std::min(bytes.size(), sizeof options));
}

std::string saveViewOptions(const ViewOptions& options, const std::string& path) {
    return writeFileAtomically(path, &options, sizeof options);
}

} // namespace tarvel
