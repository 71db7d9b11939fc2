#include "area_file.h"

#include "atomic_file.h"
#include "input_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

namespace tarvel {
namespace {

bool isEmptyMark(const DefectMark& mark) {
    return !(mark.position > 1e-6f);
}

void takeMark(PipHeader& header, int entry, const DefectMark& mark, int pointIndex) {
    DefectMark& legend = header.defectLegend[entry];
    std::memcpy(legend.codeA, mark.codeA, sizeof legend.codeA);
    std::memcpy(legend.codeB, mark.codeB, sizeof legend.codeB);
    legend.position = mark.position;
    header.legendPoint[entry] = pointIndex;
}

// Gathers the distinct marks of all points into the header's legend. Marks
// closer than 0.1 m to a legend entry update every such entry.
void collectLegend(NamePipeFile& record) {
    PipHeader& header = record.header;
    for (std::size_t index = 0; index < record.points.size(); ++index) {
        MeasurePoint& point = record.points[index];
        if (point.isDeleted())
            continue;
        point.header.params.ampZoom = 0;
        for (const DefectMark& mark : point.header.defects) {
            if (isEmptyMark(mark))
                continue;
            bool matched = false;
            for (int entry = 0; entry < 10; ++entry) {
                const DefectMark& legend = header.defectLegend[entry];
                if (isEmptyMark(legend))
                    continue;
                if (std::fabs(legend.position - mark.position) < 0.1f) {
                    takeMark(header, entry, mark, static_cast<int>(index));
                    matched = true;
                }
            }
            if (matched)
                continue;
            for (int entry = 0; entry < 10; ++entry) {
                if (isEmptyMark(header.defectLegend[entry])) {
                    takeMark(header, entry, mark, static_cast<int>(index));
                    break;
                }
            }
        }
    }
}

// Gives the point at `index` its slot of the file's block, or storage of its
// own when the block has no room (a file built in memory). A slot without
// room for conditioned samples leaves them to whoever conditions the point.
void placePointSamples(NamePipeFile& record, std::size_t index) {
    MeasurePoint& point = record.points[index];
    const std::size_t n = static_cast<std::size_t>(record.sampleCount());
    if (index < record.samples.slotCount() && record.samples.sampleCount() == n) {
        point.raw.borrow(record.samples.raw(index), n);
        if (double* accel = record.samples.accel(index))
            point.accel.borrow(accel, n);
    } else {
        point.raw.assign(n, 0x8000);
        point.accel.assign(n, 0.0);
    }
    point.halfCount = static_cast<int32_t>(n / 2);
}

} // namespace

bool isSupportedSampleCount(int32_t sampleCount) {
    return sampleCount == 1024 || sampleCount == 2048 || sampleCount == 4096;
}

namespace {

// Reads `count` bytes at `offset` of the file being loaded; returns an empty
// string, or the reason they could not all be read.
using ReadAt = std::function<std::string(std::uint64_t offset, void* into, std::size_t count)>;

// Like releaseAreaRecord, but the sample block and the point array keep
// their room for the file about to be read.
void clearForLoad(NamePipeFile& record) {
    record.points.clear();
    record.timeAxis.clear();
    record.deletedCount = 0;
    record.mergedCount = 0;
    record.header = PipHeader{};
    record.fileYMax = record.fileYMin = 0;
    record.loadError.clear();
    record.damaged = false;
}

// The one loading procedure behind parseAreaFile and readAreaFile: the header
// first, then only the point blocks the header names and the file holds.
LoadResult loadArea(std::uint64_t size, const ReadAt& readAt, NamePipeFile& record,
                    SlotContents contents) {
    clearForLoad(record);

    auto fail = [&record](std::string message) {
        record.points.clear();
        record.samples.release();
        record.header.pointCount = 0;
        record.loadError = message;
        record.damaged = true;
        return LoadResult{LoadStatus::Failed, std::move(message), {}};
    };

    if (size < kPipHeaderSize)
        return fail("the header is incomplete: " + std::to_string(size) + " of " +
                    std::to_string(kPipHeaderSize) + " bytes");
    if (std::string error = readAt(0, &record.header, kPipHeaderSize); !error.empty())
        return fail(error);
    PipHeader& header = record.header;

    if (!isSupportedSampleCount(header.sampleCount))
        return fail("unsupported sample count " + std::to_string(header.sampleCount) +
                    " (expected 1024, 2048 or 4096)");
    if (!std::isfinite(header.sampleInterval) || header.sampleInterval <= 0.0f)
        return fail("invalid sample interval " + std::to_string(header.sampleInterval) + " us");
    if (header.pointCount < 0)
        return fail("invalid point count " + std::to_string(header.pointCount));

    // Only the blocks really present are read, whatever the header claims.
    const std::size_t sampleCount = static_cast<std::size_t>(header.sampleCount);
    const std::size_t blockSize = kPointHeaderSize + 2 * sampleCount;
    const std::uint64_t present = (size - kPipHeaderSize) / blockSize;
    const std::uint64_t claimed = static_cast<std::uint64_t>(header.pointCount);
    const std::uint64_t blocks = claimed < present ? claimed : present;
    if (blocks > kMaxPointCount)
        return fail("too many points: " + std::to_string(blocks) + " point blocks (at most " +
                    std::to_string(kMaxPointCount) + ")");

    if (header.legendBuilt == 0) {
        std::memset(header.defectLegend, 0, sizeof header.defectLegend);
        std::memset(header.legendPoint, 0, sizeof header.legendPoint);
    }

    const std::size_t room = static_cast<std::size_t>(blocks) + kMaxMergedWaves;
    record.points.reserve(room);
    record.samples.reserve(room, sampleCount, contents);
    std::uint64_t offset = kPipHeaderSize;
    for (std::uint64_t block = 0; block < blocks; ++block, offset += blockSize) {
        PointHeader pointHeader;
        if (std::string error = readAt(offset, &pointHeader, kPointHeaderSize); !error.empty())
            return fail(error);
        if (pointHeader.deleted != 0)
            continue; // a deleted block's samples are never read
        MeasurePoint& point = record.points.emplace_back();
        point.header = pointHeader;
        placePointSamples(record, record.points.size() - 1);
        std::string error = readAt(offset + kPointHeaderSize, point.raw.data(), 2 * sampleCount);
        if (!error.empty())
            return fail(error);
    }
    header.pointCount = static_cast<int32_t>(record.points.size());

    if (header.legendBuilt == 0) {
        collectLegend(record);
        header.legendBuilt = 1;
    }

    if (claimed > present) {
        record.loadError = "the file ends inside point block " + std::to_string(present + 1) +
                           " of " + std::to_string(claimed) + "; " +
                           std::to_string(record.points.size()) + " points were read";
        return {LoadStatus::Truncated, record.loadError, {}};
    }
    LoadResult result;
    const std::uint64_t trailing = size - kPipHeaderSize - claimed * blockSize;
    if (trailing > 0)
        result.note = std::to_string(trailing) + " bytes after the last point ignored";
    return result;
}

} // namespace

LoadResult parseAreaFile(const unsigned char* bytes, std::size_t size, NamePipeFile& record) {
    auto readAt = [bytes](std::uint64_t offset, void* into, std::size_t count) {
        std::memcpy(into, bytes + offset, count);
        return std::string();
    };
    return loadArea(size, readAt, record, SlotContents::RawAndConditioned);
}

LoadResult readAreaFile(const std::string& path, NamePipeFile& record, SlotContents contents) {
    InputFile file;
    std::string error = file.open(path);
    if (!error.empty()) {
        clearForLoad(record);
        record.loadError = error;
        record.damaged = true;
        return {LoadStatus::Failed, error, {}};
    }
    auto readAt = [&file](std::uint64_t offset, void* into, std::size_t count) {
        std::size_t got = 0;
        std::string error = file.readAt(offset, into, count, got);
        if (error.empty() && got < count)
            error = "the file became shorter while it was read";
        return error;
    };
    return loadArea(file.size(), readAt, record, contents);
}

std::vector<unsigned char> serializeAreaFile(const NamePipeFile& record) {
    const std::size_t sampleBytes = isSupportedSampleCount(record.header.sampleCount)
                                        ? 2 * static_cast<std::size_t>(record.header.sampleCount)
                                        : 0;
    std::vector<unsigned char> bytes(kPipHeaderSize +
                                     record.points.size() * (kPointHeaderSize + sampleBytes));
    PipHeader header = record.header;
    header.pointCount = static_cast<int32_t>(record.points.size());
    std::memcpy(bytes.data(), &header, kPipHeaderSize);
    unsigned char* cursor = bytes.data() + kPipHeaderSize;
    for (const MeasurePoint& point : record.points) {
        std::memcpy(cursor, &point.header, kPointHeaderSize);
        cursor += kPointHeaderSize;
        std::size_t have = point.raw.size() * 2 < sampleBytes ? point.raw.size() * 2 : sampleBytes;
        std::memcpy(cursor, point.raw.data(), have);
        cursor += sampleBytes;
    }
    return bytes;
}

std::string writeAreaFile(const NamePipeFile& record, const std::string& path) {
    std::vector<unsigned char> bytes = serializeAreaFile(record);
    return writeFileAtomically(path, bytes.data(), bytes.size());
}

int newMergedPoint(NamePipeFile& record) {
    if (record.mergedCount >= kMaxMergedWaves || !isSupportedSampleCount(record.sampleCount()))
        return -1;
    int index = static_cast<int>(record.points.size());
    MeasurePoint& point = record.points.emplace_back();
    placePointSamples(record, static_cast<std::size_t>(index));
    // Untouched room reads as zeros; a merge starts from silence, 0x8000.
    std::fill(point.raw.begin(), point.raw.end(), uint16_t{0x8000});
    point.header.pointNo = -1;
    point.listRow = index - record.deletedCount;
    record.header.pointCount = index + 1;
    ++record.mergedCount;
    return index;
}

void releaseAreaRecord(NamePipeFile& record) {
    record.points.clear();
    record.points.shrink_to_fit();
    record.samples.release();
    record.timeAxis.clear();
    record.timeAxis.shrink_to_fit();
    record.deletedCount = 0;
    record.mergedCount = 0;
}

} // namespace tarvel
