// The single application-state record: what is open and how it is shown.
#pragma once

#include "area_file.h"
#include "project_info.h"
#include "view_options.h"

#include <cstdint>

namespace tarvel {

enum OpenMode : int32_t {
    kNothingOpen = 0,
    kProjectOpen = 1,
    kSingleFileOpen = 2,
};

struct AppState {
    int32_t mode = kNothingOpen;
    int32_t currentFile = -1;     // index into files
    bool saveNeeded = false;      // any unsaved change of the project
    bool projectModified = false; // project record not yet written
    int32_t spectrumMode = 0;
    ProjectInfo project{};
    AreaFileList files;
    ViewOptions options{};

    NamePipeFile* current() {
        return currentFile >= 0 && currentFile < static_cast<int>(files.size())
                   ? files[static_cast<std::size_t>(currentFile)].get()
                   : nullptr;
    }
    const NamePipeFile* current() const { return const_cast<AppState*>(this)->current(); }
};

} // namespace tarvel
