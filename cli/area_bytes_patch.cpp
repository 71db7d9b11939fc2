#include "area_bytes_patch.h"

#include "data/area_file.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace tarvel::cli {
namespace {

void patchAt(unsigned char* block, std::size_t blockSize, const BytePatch& patch) {
    if (patch.offset < 0 || static_cast<std::size_t>(patch.offset) + patch.bytes.size() > blockSize)
        return;
    std::memcpy(block + patch.offset, patch.bytes.data(), patch.bytes.size());
}

} // namespace

std::vector<unsigned char> patchAreaBytes(const std::vector<unsigned char>& bytes,
                                          const AreaPatches& patches) {
    std::vector<unsigned char> patched = bytes;
    if (patched.size() < kPipHeaderSize)
        return patched;
    PipHeader header;
    std::memcpy(&header, bytes.data(), kPipHeaderSize);
    for (const BytePatch& patch : patches.header)
        patchAt(patched.data(), kPipHeaderSize, patch);

    if (!isSupportedSampleCount(header.sampleCount) || header.pointCount <= 0)
        return patched;
    const std::size_t blockSize =
        kPointHeaderSize + 2 * static_cast<std::size_t>(header.sampleCount);
    const std::size_t present = (bytes.size() - kPipHeaderSize) / blockSize;
    const std::size_t blocks = std::min(present, static_cast<std::size_t>(header.pointCount));
    for (std::size_t block = 0; block < blocks; ++block) {
        unsigned char* start = patched.data() + kPipHeaderSize + block * blockSize;
        int32_t deleted = 0;
        std::memcpy(&deleted, start + offsetof(PointHeader, deleted), sizeof deleted);
        if (deleted != 0)
            continue;
        for (const BytePatch& patch : patches.points)
            patchAt(start + offsetof(PointHeader, params), sizeof(ProcessingParams), patch);
    }
    return patched;
}

} // namespace tarvel::cli
