// Whole-archive reads and writes of the zip containers behind .docx files.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tarvel::scrivet {

// The archive's entries in their stored order: name and content.
using ZipEntries = std::vector<std::pair<std::string, std::string>>;

// Throws std::runtime_error with the reason when the archive cannot be read.
ZipEntries readZipFile(const std::string& path);
ZipEntries readZipBytes(const unsigned char* bytes, std::size_t size);

// An entry whose content is produced piece by piece: `produce` is called
// once with a sink that takes each piece. Large parts go straight into the
// compressor instead of being assembled in memory first.
struct StreamedEntry {
    std::string name;
    std::function<void(const std::function<void(const char*, std::size_t)>&)> produce;
};

// Writes the entries, deflated, in the order given, then the streamed ones. The archive is built
// beside `path` and renamed over it, so a failed write leaves no half file.
// Throws std::runtime_error with the reason.
void writeZipFile(const std::string& path, const ZipEntries& entries,
                  const std::vector<StreamedEntry>& streamed = {});

} // namespace tarvel::scrivet
