// Whole-archive reads and writes of the zip containers behind .docx files.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tarvel::scrivet {

// The archive's entries in their stored order: name and content.
using ZipEntries = std::vector<std::pair<std::string, std::string>>;

// Throws std::runtime_error with the reason when the archive cannot be read.
ZipEntries readZipFile(const std::string& path);
ZipEntries readZipBytes(const unsigned char* bytes, std::size_t size);

// Writes the entries, deflated, in the order given. The archive is built
// beside `path` and renamed over it, so a failed write leaves no half file.
// Throws std::runtime_error with the reason.
void writeZipFile(const std::string& path, const ZipEntries& entries);

} // namespace tarvel::scrivet
