// A loaded measurement-area file (.pip) and the operations that read and
// write it.
#pragma once

#include "disk_stamp.h"
#include "measure_point.h"
#include "records.h"
#include "sample_block.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace tarvel {

inline constexpr int kMaxMergedWaves = 25;
inline constexpr std::size_t kPipHeaderSize = sizeof(PipHeader);
inline constexpr std::size_t kPointHeaderSize = sizeof(PointHeader);
// More points than any measurement grid holds (int8 rows and columns); a
// header or file beyond it is refused instead of sizing memory from it.
inline constexpr std::size_t kMaxPointCount = 16384;

struct NamePipeFile {
    bool modified = false;
    bool excluded = false; // cleared check box in the file table
    PipHeader header{};
    // The loaded points' samples, with room for the merged waves.
    SampleBlock samples;
    std::vector<MeasurePoint> points; // header.pointCount entries
    std::string fileName;             // name with extension
    std::string dirPath;              // ends in a path separator (or is empty)
    double fileYMax = 0;
    double fileYMin = 0;
    int32_t deletedCount = 0;
    int32_t mergedCount = 0;
    int32_t currentPoint = 0; // counted from 1
    int32_t previousPoint = 0;
    std::string defectTypeText;
    std::string defectGradeText;
    float lengthTick = 0;
    float timeTick = 0;
    // One time axis serves every point of the file: all share dt and N.
    std::vector<double> timeAxis;
    // Why the last load failed or stopped early; empty after a clean load.
    std::string loadError;
    // The last load kept nothing: the header cannot be trusted either, so the
    // area is shown as damaged and never edited.
    bool damaged = false;
    // The file at path() as last read or written here.
    DiskStamp diskStamp;

    int pointCount() const { return header.pointCount; }
    int sampleCount() const { return header.sampleCount; }
    std::string path() const { return dirPath + fileName; }
};

using AreaFileList = std::vector<std::unique_ptr<NamePipeFile>>;

enum class LoadStatus {
    Ok,
    Truncated, // the file ends inside a point block: the points before it are kept
    Failed,    // no points were kept
};

struct LoadResult {
    LoadStatus status = LoadStatus::Ok;
    std::string message; // empty when Ok
    std::string note; // what was ignored in a sound file ("n bytes after the last point ignored")
    bool ok() const { return status == LoadStatus::Ok; }
};

bool isSupportedSampleCount(int32_t sampleCount);

// Fills `record` (whose fileName/dirPath are set) from the bytes of a .pip
// file: header, kept points, legend collection. Does not condition.
LoadResult parseAreaFile(const unsigned char* bytes, std::size_t size, NamePipeFile& record);

// Reads the file at `path` as parseAreaFile does, but only the header and
// the point blocks it needs: never more than the file holds, and memory in
// proportion to the points kept, not to the file's size. With RawOnly the
// points get no room for conditioned samples.
LoadResult readAreaFile(const std::string& path, NamePipeFile& record,
                        SlotContents contents = SlotContents::RawAndConditioned);

// The exact bytes writeAreaFile stores.
std::vector<unsigned char> serializeAreaFile(const NamePipeFile& record);

// Writes the header and every point atomically. Returns an empty string or
// the reason the write failed (the old file is then untouched).
std::string writeAreaFile(const NamePipeFile& record, const std::string& path);

// Appends a zeroed point for a merged wave and returns its index, or -1 when
// the file already holds the most merged waves it may.
int newMergedPoint(NamePipeFile& record);

// Frees every point and buffer; the record keeps its name and header.
void releaseAreaRecord(NamePipeFile& record);

} // namespace tarvel
