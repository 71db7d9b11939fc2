#include "area_writer.h"

#include "cli_common.h"
#include "data/area_file.h"
#include "data/change_journal.h"
#include "data/clean_text.h"
#include "data/original_copy.h"

#include <cstring>
#include <iostream>

namespace tarvel::cli {
namespace {

// How many bytes the loader may look at: the header and the blocks it
// claims (one more than it accepts, so it can say there are too many).
std::uint64_t loadedPart(const InputFile& file) {
    const std::uint64_t size = file.size();
    PipHeader header;
    std::size_t got = 0;
    if (size < kPipHeaderSize || !file.readAt(0, &header, kPipHeaderSize, got).empty() ||
        got < kPipHeaderSize || !isSupportedSampleCount(header.sampleCount) ||
        header.pointCount < 0)
        return std::min<std::uint64_t>(size, kPipHeaderSize);
    const std::uint64_t blockSize =
        kPointHeaderSize + 2 * static_cast<std::uint64_t>(header.sampleCount);
    const std::uint64_t blocks =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(header.pointCount), kMaxPointCount + 1);
    return std::min<std::uint64_t>(size, kPipHeaderSize + blocks * blockSize);
}

} // namespace

AreaBytes readAreaBytes(const std::string& path) {
    AreaBytes area;
    area.path = path;
    area.file = std::make_unique<InputFile>();
    std::string error = area.file->open(path);
    if (error.empty()) {
        const std::uint64_t part = loadedPart(*area.file);
        area.bytes.resize(static_cast<std::size_t>(part));
        std::size_t got = 0;
        error = area.file->readAt(0, area.bytes.data(), area.bytes.size(), got);
        if (error.empty() && got < area.bytes.size())
            error = "the file became shorter while it was read";
        area.tailLength = area.file->size() - part;
    }
    if (!error.empty())
        throw InputError{path + ": " + error};
    return area;
}

FolderWriter::FolderWriter(const std::string& folder, const std::string& program)
    : folder_(folder) {
    const LockAttempt attempt = lock_.acquire(folder, program, kLockWait);
    const std::string shown = folder.empty() ? std::string("./") : folder;
    if (attempt.busy)
        throw InputError{shown + ": the project is being changed by " + attempt.holder.describe() +
                         "; nothing was changed, try again later"};
    if (!attempt.acquired)
        throw InputError{shown + ": " + attempt.error};
    const PendingCompletion pending = completePendingChange(folder);
    if (!pending.error.empty())
        throw InputError{pending.error};
    if (pending.found)
        std::cerr << "tarvel-cli: " << cleanText(shown)
                  << ": completed a change interrupted earlier (" << pending.completed.size()
                  << " files)\n";
}

void FolderWriter::replaceAreas(const std::vector<AreaReplacement>& replacements) {
    FileChangeSet change(folder_);
    for (const AreaReplacement& replacement : replacements) {
        const AreaBytes& area = *replacement.area;
        const TailCopy tail{area.file->descriptor(), area.bytes.size(), area.tailLength};
        const std::string error =
            change.add(area.path, replacement.bytes->data(), replacement.bytes->size(), &tail);
        if (!error.empty())
            throw InputError{area.path + ": " + error + "; no area was changed"};
    }
    for (const AreaReplacement& replacement : replacements) {
        const std::string error = keepOriginal(replacement.area->path, replacement.area->path);
        if (!error.empty())
            throw InputError{error + "; no area was changed"};
    }
    if (const std::string error = change.commit(); !error.empty())
        throw InputError{error};
}

} // namespace tarvel::cli
