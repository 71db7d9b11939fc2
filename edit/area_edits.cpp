#include "area_edits.h"

#include "data/translation_marks.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace tarvel {

namespace {

constexpr ByteRange kLegend{offsetof(PipHeader, defectLegend), sizeof(PipHeader::defectLegend)};
constexpr ByteRange kLegendPoints{offsetof(PipHeader, legendPoint), sizeof(PipHeader::legendPoint)};
constexpr ByteRange kWaveSpeed{offsetof(PipHeader, waveSpeed), sizeof(float)};
constexpr ByteRange kDeleted{offsetof(PointHeader, deleted), sizeof(int32_t)};
constexpr ByteRange kPrintMark{offsetof(PointHeader, printMark), sizeof(int32_t)};
constexpr ByteRange kStartMark{offsetof(PointHeader, startMark), sizeof(float)};
constexpr ByteRange kEndMark{offsetof(PointHeader, endMark), sizeof(float)};
// Start and end mark together: re-marking may rewrite both.
constexpr ByteRange kMarks{offsetof(PointHeader, startMark), 2 * sizeof(float)};
constexpr ByteRange kParams{offsetof(PointHeader, params), sizeof(ProcessingParams)};
constexpr int32_t kAccelCorrection = offsetof(PipHeader, accelCorrection);

unsigned char* bytesOf(PipHeader& header) {
    return reinterpret_cast<unsigned char*>(&header);
}
unsigned char* bytesOf(PointHeader& header) {
    return reinterpret_cast<unsigned char*>(&header);
}

bool validPoint(const NamePipeFile& file, int point) {
    return point >= 0 && point < static_cast<int>(file.points.size());
}

MeasurePoint& pointAt(NamePipeFile& file, int point) {
    return file.points[static_cast<std::size_t>(point)];
}

// Records, before an edit changes them, the bytes it may change.
class Recorder {
public:
    Recorder(NamePipeFile& file, int32_t kind, int32_t pointIndex) : file_(file) {
        record_.kind = kind;
        record_.pointIndex = pointIndex;
        record_.filePath = file.path();
    }

    void header(ByteRange range) {
        record_.headerRanges.push_back(range);
        const unsigned char* from = bytesOf(file_.header) + range.offset;
        record_.headerBytes.insert(record_.headerBytes.end(), from, from + range.length);
    }
    void legend() {
        header(kLegend);
        header(kLegendPoints);
    }
    void points(std::vector<ByteRange> ranges, const std::vector<int32_t>& indexes) {
        SavedPointBytes& saved = record_.pointBytes;
        saved.ranges = std::move(ranges);
        saved.points = indexes;
        for (int32_t index : indexes) {
            const unsigned char* from = bytesOf(pointAt(file_, index).header);
            for (const ByteRange& range : saved.ranges)
                saved.bytes.insert(saved.bytes.end(), from + range.offset,
                                   from + range.offset + range.length);
        }
    }
    void currentPoint() { record_.currentPoint = file_.currentPoint; }

    Applied done(Refresh refresh) { return Applied{std::move(record_), refresh}; }
    EditRecord& record() { return record_; }

private:
    NamePipeFile& file_;
    EditRecord record_;
};

std::vector<int32_t> shownPoints(const NamePipeFile& file) {
    std::vector<int32_t> indexes;
    for (std::size_t i = 0; i < file.points.size(); ++i) {
        if (!file.points[i].isDeleted())
            indexes.push_back(static_cast<int32_t>(i));
    }
    return indexes;
}

std::vector<int32_t> allPoints(const NamePipeFile& file) {
    std::vector<int32_t> indexes(file.points.size());
    for (std::size_t i = 0; i < indexes.size(); ++i)
        indexes[i] = static_cast<int32_t>(i);
    return indexes;
}

bool hasPosition(const DefectMark& mark) {
    return mark.position > 1e-6f;
}

ApplyOutcome refused(std::string why) {
    return ApplyOutcome{std::nullopt, std::move(why)};
}

ApplyOutcome done(Applied applied) {
    return ApplyOutcome{std::move(applied), {}};
}

const char* const kChooseManual = QT_TRANSLATE_NOOP("EditRules", "请先选择人工标记时间！");

// After a deletion: the nearest earlier point that is left, else the next
// later one, wrapping round; none when no point is left.
int32_t nextCurrentPoint(const NamePipeFile& file, int deleted) {
    const int count = static_cast<int>(file.points.size());
    bool earlierLeft = false;
    for (int i = 0; i < deleted; ++i)
        earlierLeft = earlierLeft || !file.points[static_cast<std::size_t>(i)].isDeleted();
    const int step = earlierLeft ? -1 : 1;
    for (int n = 1; n < count; ++n) {
        const int i = ((deleted + step * n) % count + count) % count;
        if (!file.points[static_cast<std::size_t>(i)].isDeleted())
            return i + 1;
    }
    return 0;
}

struct Applier {
    NamePipeFile& file;

    ApplyOutcome operator()(const SetStartMark& edit) const {
        if (!validPoint(file, edit.point))
            return {};
        MeasurePoint& p = pointAt(file, edit.point);
        if (p.header.params.autoMark == 1)
            return refused(kChooseManual);
        if (p.endMarkMs <= edit.ms)
            return refused(QT_TRANSLATE_NOOP("EditRules", "撞击起始时间不能大于结束时间！"));
        Recorder recorder(file, kEditStartMark, edit.point);
        recorder.points({kStartMark}, {edit.point});
        p.header.startMark = static_cast<float>(edit.ms);
        return done(recorder.done(Refresh::Chain));
    }

    ApplyOutcome operator()(const SetEndMark& edit) const {
        if (!validPoint(file, edit.point))
            return {};
        MeasurePoint& p = pointAt(file, edit.point);
        if (p.header.params.autoMark == 1)
            return refused(kChooseManual);
        if (edit.ms <= p.startMarkMs)
            return refused(QT_TRANSLATE_NOOP("EditRules", "撞击结束时间不能小于开始时间！"));
        Recorder recorder(file, kEditEndMark, edit.point);
        recorder.points({kEndMark}, {edit.point});
        recorder.header(kWaveSpeed);
        recorder.legend();
        p.header.endMark = static_cast<float>(edit.ms);
        // The length view and the legend follow the new contact time. Without
        // a speed or a length to scale it by there is nothing to rescale: a
        // zero speed would wipe every legend mark, a missing one make them NaN.
        PipHeader& h = file.header;
        const float oldSpeed = h.waveSpeed;
        const float newSpeed = static_cast<float>(oldSpeed * h.pileLength / edit.ms);
        if (oldSpeed > 0 && newSpeed > 0 && std::isfinite(newSpeed)) {
            h.waveSpeed = newSpeed;
            for (DefectMark& mark : h.defectLegend) {
                if (hasPosition(mark))
                    mark.position = mark.position * newSpeed / oldSpeed;
            }
        }
        return done(recorder.done(Refresh::Chain));
    }

    ApplyOutcome operator()(const SetPrintMark& edit) const {
        if (!validPoint(file, edit.point))
            return {};
        MeasurePoint& p = pointAt(file, edit.point);
        if ((p.header.printMark == 2) == edit.marked)
            return {};
        if (!edit.marked) {
            const auto flagged = std::count_if(
                file.points.begin(), file.points.end(),
                [](const MeasurePoint& other) { return other.header.printMark == 2; });
            if (flagged <= 1)
                return refused(QT_TRANSLATE_NOOP("EditRules", "当前桩必须有一个可打印波形！"));
        }
        Recorder recorder(file, edit.marked ? kEditPrintMarkSet : kEditPrintMarkCleared,
                          edit.point);
        recorder.points({kPrintMark}, {edit.point});
        p.header.printMark = edit.marked ? 2 : 1;
        return done(recorder.done(Refresh::Redraw));
    }

    ApplyOutcome operator()(const DeletePoint& edit) const {
        if (!validPoint(file, edit.point) || pointAt(file, edit.point).isDeleted())
            return {};
        // Only the point's own flags: a redo after later edits must not
        // bring back the waves deleted since.
        Recorder recorder(file, kEditPointDeleted, edit.point);
        recorder.legend();
        recorder.points({kDeleted, kPrintMark}, {edit.point});
        recorder.currentPoint();
        for (int e = 0; e < 10; ++e) {
            if (hasPosition(file.header.defectLegend[e]) &&
                file.header.legendPoint[e] == edit.point)
                file.header.defectLegend[e].position = 0;
        }
        pointAt(file, edit.point).header.deleted = 1;
        file.deletedCount = countDeleted(file);
        file.currentPoint = nextCurrentPoint(file, edit.point);
        return done(recorder.done(Refresh::Chain));
    }

    ApplyOutcome operator()(const MergePoints& edit) const {
        std::vector<int> chosen;
        for (int index : edit.points) {
            if (validPoint(file, index) && !pointAt(file, index).isDeleted() &&
                std::find(chosen.begin(), chosen.end(), index) == chosen.end())
                chosen.push_back(index);
        }
        if (chosen.empty())
            return {};
        const std::size_t samples = pointAt(file, chosen.front()).raw.size();
        for (int index : chosen) {
            if (pointAt(file, index).raw.size() != samples)
                return {};
        }
        Recorder recorder(file, kEditPointAdded, -1);
        recorder.legend();
        recorder.currentPoint();
        const int added = newMergedPoint(file);
        if (added < 0)
            return refused(QT_TRANSLATE_NOOP("EditRules", "每个测区最多叠加25个波形！"));
        MeasurePoint& merged = pointAt(file, added);
        double start = 0;
        double end = 0;
        for (int index : chosen) {
            start += pointAt(file, index).header.startMark;
            end += pointAt(file, index).header.endMark;
        }
        const auto n = static_cast<double>(chosen.size());
        merged.header.startMark = static_cast<float>(start / n);
        // Without an end the contact time of the merged wave would be negative.
        merged.header.endMark = static_cast<float>(end / n);
        merged.header.params = pointAt(file, chosen.front()).header.params;
        for (std::size_t k = 0; k < samples && k < merged.raw.size(); ++k) {
            uint32_t sum = 0;
            for (int index : chosen)
                sum += pointAt(file, index).raw[k];
            merged.raw[k] = static_cast<uint16_t>(sum / chosen.size());
        }
        recorder.record().pointIndex = added;
        // Undoing the merge hides the new point: what it held before was
        // "not there", which a deleted flag says.
        merged.header.deleted = 1;
        recorder.points({kDeleted, kPrintMark}, {added});
        merged.header.deleted = 0;
        file.deletedCount = countDeleted(file);
        return done(recorder.done(Refresh::Chain));
    }

    ApplyOutcome operator()(const RefindStartMarks& edit) const {
        if (!validPoint(file, edit.point))
            return {};
        Recorder recorder(file, kEditStartMarksRefound, edit.onlyThisPoint ? edit.point : -1);
        recorder.points({kStartMark},
                        edit.onlyThisPoint ? std::vector<int32_t>{edit.point} : shownPoints(file));
        return done(recorder.done(Refresh::Chain));
    }

    ApplyOutcome operator()(const SetHeaderFields& edit) const {
        Recorder recorder(file, kEditHeaderFields, -1);
        bool chain = false;
        std::vector<const BytePatch*> changed;
        for (const BytePatch& patch : edit.patches) {
            const auto length = static_cast<int32_t>(patch.bytes.size());
            if (patch.offset < 0 || length <= 0 ||
                patch.offset + length > static_cast<int32_t>(sizeof(PipHeader)))
                continue;
            if (std::memcmp(bytesOf(file.header) + patch.offset, patch.bytes.data(),
                            patch.bytes.size()) == 0)
                continue;
            recorder.header({patch.offset, length});
            chain = chain || (patch.offset < kAccelCorrection + 4 &&
                              patch.offset + length > kAccelCorrection);
            changed.push_back(&patch);
        }
        if (changed.empty())
            return {};
        // Conditioning again re-marks: keep what it may overwrite by hand.
        if (chain)
            recorder.points({kMarks, kParams}, shownPoints(file));
        for (const BytePatch* patch : changed)
            std::memcpy(bytesOf(file.header) + patch->offset, patch->bytes.data(),
                        patch->bytes.size());
        return done(recorder.done(chain ? Refresh::Chain : Refresh::Results));
    }

    ApplyOutcome operator()(const SetProcessingParams& edit) const {
        std::vector<int32_t> targets;
        if (edit.point >= 0) {
            if (!validPoint(file, edit.point))
                return {};
            targets.push_back(edit.point);
        } else {
            targets = shownPoints(file);
        }
        std::vector<int32_t> changed;
        for (int32_t index : targets) {
            const unsigned char* params =
                reinterpret_cast<const unsigned char*>(&pointAt(file, index).header.params);
            const bool differs =
                std::any_of(edit.patches.begin(), edit.patches.end(), [&](const BytePatch& p) {
                    return p.offset >= 0 && p.offset + p.bytes.size() <= sizeof(ProcessingParams) &&
                           std::memcmp(params + p.offset, p.bytes.data(), p.bytes.size()) != 0;
                });
            if (differs)
                changed.push_back(index);
        }
        if (changed.empty())
            return {};
        Recorder recorder(file, kEditProcessingParams, edit.point);
        recorder.points({kMarks, kParams}, changed);
        for (int32_t index : changed) {
            unsigned char* params =
                reinterpret_cast<unsigned char*>(&pointAt(file, index).header.params);
            for (const BytePatch& patch : edit.patches) {
                if (patch.offset >= 0 &&
                    patch.offset + patch.bytes.size() <= sizeof(ProcessingParams))
                    std::memcpy(params + patch.offset, patch.bytes.data(), patch.bytes.size());
            }
        }
        return done(recorder.done(Refresh::Chain));
    }

    ApplyOutcome operator()(const AddDefect& edit) const {
        if (!validPoint(file, edit.point) || !(edit.position > 1e-6f))
            return {};
        int entry = 0;
        while (entry < 10 && hasPosition(file.header.defectLegend[entry]))
            ++entry;
        if (entry == 10)
            return {};
        Recorder recorder(file, kEditDefects, edit.point);
        recorder.legend();
        recorder.points({kPrintMark}, allPoints(file));
        DefectMark& mark = file.header.defectLegend[entry];
        std::memset(mark.codeA, 0, sizeof mark.codeA);
        std::memset(mark.codeB, 0, sizeof mark.codeB);
        std::memcpy(mark.codeA, edit.typeText.data(),
                    std::min(edit.typeText.size(), sizeof mark.codeA - 1));
        std::memcpy(mark.codeB, edit.gradeText.data(),
                    std::min(edit.gradeText.size(), sizeof mark.codeB - 1));
        mark.position = edit.position;
        file.header.legendPoint[entry] = edit.point;
        return done(recorder.done(Refresh::Redraw));
    }

    ApplyOutcome operator()(const ClearDefects& edit) const {
        if (!validPoint(file, edit.point))
            return {};
        auto here = [&](int e) {
            return hasPosition(file.header.defectLegend[e]) &&
                   file.header.legendPoint[e] == edit.point;
        };
        bool any = false;
        for (int e = 0; e < 10; ++e)
            any = any || here(e);
        if (!any)
            return {};
        Recorder recorder(file, kEditDefects, edit.point);
        recorder.legend();
        recorder.points({kPrintMark}, allPoints(file));
        for (int e = 0; e < 10; ++e) {
            if (here(e))
                file.header.defectLegend[e].position = 0;
        }
        return done(recorder.done(Refresh::Redraw));
    }
};

void swapBytes(unsigned char* a, unsigned char* b, std::size_t n) {
    std::swap_ranges(a, a + n, b);
}

bool rangesFit(const std::vector<ByteRange>& ranges, std::size_t size) {
    return std::all_of(ranges.begin(), ranges.end(), [&](const ByteRange& r) {
        return r.offset >= 0 && r.length >= 0 &&
               static_cast<std::size_t>(r.offset) + static_cast<std::size_t>(r.length) <= size;
    });
}

// The saved deleted flag of the record's own point, if the record holds it.
std::optional<int32_t> savedDeletedFlag(const EditRecord& record) {
    const SavedPointBytes& saved = record.pointBytes;
    std::size_t stride = 0;
    std::size_t at = 0;
    bool found = false;
    for (const ByteRange& range : saved.ranges) {
        if (range.offset == kDeleted.offset && range.length == kDeleted.length) {
            at = stride;
            found = true;
        }
        stride += static_cast<std::size_t>(range.length);
    }
    if (!found)
        return std::nullopt;
    for (std::size_t i = 0; i < saved.points.size(); ++i) {
        if (saved.points[i] == record.pointIndex) {
            int32_t flag = 0;
            std::memcpy(&flag, saved.bytes.data() + i * stride + at, sizeof flag);
            return flag;
        }
    }
    return std::nullopt;
}

Refresh refreshOf(const EditRecord& record) {
    switch (record.kind) {
    case kEditPrintMarkSet:
    case kEditPrintMarkCleared:
    case kEditDefects:
        return Refresh::Redraw;
    case kEditHeaderFields:
        return record.pointBytes.points.empty() ? Refresh::Results : Refresh::Chain;
    default:
        return Refresh::Chain;
    }
}

} // namespace

BytePatch floatPatch(int32_t offset, float value) {
    BytePatch patch{offset, std::vector<unsigned char>(sizeof value)};
    std::memcpy(patch.bytes.data(), &value, sizeof value);
    return patch;
}

BytePatch int32Patch(int32_t offset, int32_t value) {
    BytePatch patch{offset, std::vector<unsigned char>(sizeof value)};
    std::memcpy(patch.bytes.data(), &value, sizeof value);
    return patch;
}

int32_t countDeleted(const NamePipeFile& file) {
    return static_cast<int32_t>(std::count_if(file.points.begin(), file.points.end(),
                                              [](const MeasurePoint& p) { return p.isDeleted(); }));
}

ApplyOutcome apply(NamePipeFile& file, const Edit& edit) {
    return std::visit(Applier{file}, edit);
}

std::optional<Refresh> exchange(NamePipeFile& file, EditRecord& record) {
    if (record.filePath != file.path())
        return std::nullopt;
    const SavedPointBytes& saved = record.pointBytes;
    std::size_t stride = 0;
    for (const ByteRange& range : saved.ranges)
        stride += static_cast<std::size_t>(std::max(range.length, 0));
    std::size_t headerTotal = 0;
    for (const ByteRange& range : record.headerRanges)
        headerTotal += static_cast<std::size_t>(std::max(range.length, 0));
    const bool fits = rangesFit(record.headerRanges, sizeof(PipHeader)) &&
                      headerTotal == record.headerBytes.size() &&
                      rangesFit(saved.ranges, sizeof(PointHeader)) &&
                      stride * saved.points.size() == saved.bytes.size() &&
                      std::all_of(saved.points.begin(), saved.points.end(),
                                  [&](int32_t index) { return validPoint(file, index); }) &&
                      (record.pointIndex < 0 || validPoint(file, record.pointIndex));
    if (!fits)
        return std::nullopt;
    // A deletion (or merge) whose point already stands as the record would
    // leave it: stale, since a later edit got there first.
    if (record.kind == kEditPointDeleted || record.kind == kEditPointAdded) {
        const std::optional<int32_t> flag = savedDeletedFlag(record);
        if (!flag || (*flag != 0) == pointAt(file, record.pointIndex).isDeleted())
            return std::nullopt;
    }

    unsigned char* saving = record.headerBytes.data();
    for (const ByteRange& range : record.headerRanges) {
        swapBytes(bytesOf(file.header) + range.offset, saving,
                  static_cast<std::size_t>(range.length));
        saving += range.length;
    }
    saving = record.pointBytes.bytes.data();
    for (int32_t index : saved.points) {
        unsigned char* header = bytesOf(pointAt(file, index).header);
        for (const ByteRange& range : saved.ranges) {
            swapBytes(header + range.offset, saving, static_cast<std::size_t>(range.length));
            saving += range.length;
        }
    }
    if (record.currentPoint >= 0)
        std::swap(record.currentPoint, file.currentPoint);
    // A redo after later deletions may name a wave deleted since.
    if (validPoint(file, file.currentPoint - 1) && pointAt(file, file.currentPoint - 1).isDeleted())
        file.currentPoint = nextCurrentPoint(file, file.currentPoint - 1);
    file.deletedCount = countDeleted(file);
    return refreshOf(record);
}

} // namespace tarvel
