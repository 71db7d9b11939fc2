#include "area_changes.h"

#include "data/gbk_text.h"
#include "data/original_copy.h"
#include "header_fields.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace tarvel {
namespace {

// Fields outside the panel that a file from the instrument never changes;
// a difference there is shown all the same.
struct OtherField {
    const char* key;
    const char* label;
    int32_t offset;
};
constexpr OtherField kSamplingFields[] = {
    {"gain", "增益", offsetof(PipHeader, gain)},
    {"sensitivity", "灵敏度", offsetof(PipHeader, sensitivity)},
    {"fullScale", "满量程", offsetof(PipHeader, fullScale)},
    {"sampleInterval", "采样间隔(us)", offsetof(PipHeader, sampleInterval)},
};

float floatAt(const PipHeader& header, int32_t offset) {
    float value = 0;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&header) + offset, sizeof value);
    return value;
}

std::string general(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void compareHeaders(const PipHeader& before, const PipHeader& after, AreaChanges& changes) {
    for (const HeaderField& field : kHeaderFields) {
        const float a = headerFloat(before, field);
        const float b = headerFloat(after, field);
        if (!sameBits(a, b))
            changes.header.push_back(
                {field.key, field.label, formatHeaderField(field, a), formatHeaderField(field, b)});
    }
    for (const OtherField& field : kSamplingFields) {
        const float a = floatAt(before, field.offset);
        const float b = floatAt(after, field.offset);
        if (!sameBits(a, b))
            changes.header.push_back({field.key, field.label, general(a), general(b)});
    }
    const auto text = [](const char* bytes, std::size_t size) {
        return decodeGbkField(bytes, size);
    };
    if (std::memcmp(before.buildDate, after.buildDate, sizeof before.buildDate) != 0)
        changes.header.push_back({"buildDate", "建设日期",
                                  text(before.buildDate, sizeof before.buildDate),
                                  text(after.buildDate, sizeof after.buildDate)});
    if (std::memcmp(before.testDate, after.testDate, sizeof before.testDate) != 0)
        changes.header.push_back({"testDate", "检测日期",
                                  text(before.testDate, sizeof before.testDate),
                                  text(after.testDate, sizeof after.testDate)});
    if (before.areaType != after.areaType)
        changes.header.push_back({"areaType", "测区类型", std::to_string(before.areaType),
                                  std::to_string(after.areaType)});
}

bool samePlace(const MeasurePoint& a, const MeasurePoint& b) {
    if (a.header.pointNo != b.header.pointNo || a.header.pointColumn != b.header.pointColumn)
        return false;
    const bool bothHoldSamples = !a.raw.empty() && a.raw.size() == b.raw.size();
    return !bothHoldSamples ||
           std::memcmp(a.raw.data(), b.raw.data(), a.raw.size() * sizeof(uint16_t)) == 0;
}

bool manual(const MeasurePoint& point) {
    return point.header.params.autoMark != 1;
}

void comparePoints(const MeasurePoint& before, const MeasurePoint& after, int number,
                   AreaChanges& changes) {
    // Automatic marking rewrites the marks at every load; only what a hand
    // set, or a change of the marking mode, is a change of the record.
    const bool marksMoved = !sameBits(before.header.startMark, after.header.startMark) ||
                            !sameBits(before.header.endMark, after.header.endMark);
    if (manual(before) != manual(after) || (manual(after) && marksMoved))
        changes.marks.push_back({number, manual(before), manual(after), before.header.startMark,
                                 after.header.startMark, before.header.endMark,
                                 after.header.endMark});
    if ((before.header.printMark == 2) != (after.header.printMark == 2))
        changes.printFlags.push_back({number, after.header.printMark == 2});
}

} // namespace

AreaChanges compareAreas(const NamePipeFile& original, const NamePipeFile& current) {
    AreaChanges changes;
    changes.originalFound = true;
    compareHeaders(original.header, current.header, changes);

    std::vector<bool> paired(original.points.size(), false);
    std::size_t cursor = 0;
    int shown = 0; // the wave's number in the list, deleted points left out
    for (const MeasurePoint& point : current.points) {
        if (!point.isDeleted())
            ++shown;
        std::size_t match = cursor;
        while (match < original.points.size() && !samePlace(original.points[match], point))
            ++match;
        if (match == original.points.size()) {
            if (!point.isDeleted())
                changes.restoredWaves.push_back(shown);
            continue;
        }
        paired[match] = !point.isDeleted();
        cursor = match + 1;
        if (!point.isDeleted())
            comparePoints(original.points[match], point, static_cast<int>(match) + 1, changes);
    }
    for (std::size_t j = 0; j < paired.size(); ++j) {
        if (!paired[j])
            changes.deletedPoints.push_back(static_cast<int>(j) + 1);
    }
    return changes;
}

std::string changesSinceOriginal(const std::string& areaPath, const NamePipeFile& current,
                                 AreaChanges& changes) {
    changes = AreaChanges{};
    const std::string kept = originalPathFor(areaPath);
    struct stat info {};
    const bool found = ::lstat(kept.c_str(), &info) == 0;
    NamePipeFile original;
    const LoadResult read = readAreaFile(found ? kept : areaPath, original, SlotContents::RawOnly);
    if (read.status == LoadStatus::Failed)
        return (found ? kept : areaPath) + ": " + read.message;
    changes = compareAreas(original, current);
    changes.originalFound = found;
    return {};
}

} // namespace tarvel
