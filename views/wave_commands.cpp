// The editing commands of a wave view: marks by hand, print flag, automatic
// re-marking, deletion and head alignment.
#include "wave.h"

#include "app_context.h"
#include "data/app_state.h"
#include "edit_record.h"
#include "legend_record.h"
#include "plot_overlay_items.h"
#include "user_dialogs.h"
#include "wave_host.h"
#include "wave_list.h"

#include <qwt_plot_marker.h>

#include <cmath>

using namespace tarvel;

namespace {

void warn(QWidget* parent, const QString& text) {
    userDialogs().notify(parent, NoticeIcon::Warning, QStringLiteral("Tarvel"), text);
}

} // namespace

void QWave::rerunAndRedrawAll() {
    file()->modified = true;
    waveHost().markCurrentFileModified();
    QWaveList::instance()->reprocess();
}

void QWave::doHead() {
    MeasurePoint* p = point();
    if (!p)
        return;
    if (p->header.params.autoMark == 1) {
        warn(this, QStringLiteral("请先选择人工标记时间！"));
        return;
    }
    if (p->endMarkMs <= p->pickTime) {
        warn(this, QStringLiteral("撞击起始时间不能大于结束时间！"));
        return;
    }
    EditRecord record;
    record.kind = kEditStartMark;
    record.pointIndex = pointIndex_;
    record.savedMark = p->header.startMark;
    waveHost().pushEdit(record);

    p->startMarkMs = p->pickTime;
    p->header.startMark = static_cast<float>(p->pickTime);
    rerunAndRedrawAll();
}

void QWave::doTail() {
    NamePipeFile* f = file();
    MeasurePoint* p = point();
    if (!f || !p)
        return;
    if (p->header.params.autoMark == 1) {
        warn(this, QStringLiteral("请先选择人工标记时间！"));
        return;
    }
    if (p->pickTime <= p->startMarkMs) {
        warn(this, QStringLiteral("撞击结束时间不能小于开始时间！"));
        return;
    }
    EditRecord record;
    record.kind = kEditEndMark;
    record.pointIndex = pointIndex_;
    record.savedMark = p->header.endMark;
    record.valueA = f->header.pileLength;
    record.valueB = f->header.waveSpeed;
    waveHost().pushEdit(record);

    p->endMarkMs = p->pickTime;
    p->header.endMark = static_cast<float>(p->pickTime);
    // The length view and the legend follow the new contact time.
    const float oldSpeed = f->header.waveSpeed;
    const float newSpeed =
        static_cast<float>(oldSpeed * f->header.pileLength / static_cast<float>(p->pickTime));
    // Without a wave speed, or without a length to scale it by, there is
    // nothing to rescale: a zero speed would wipe every legend mark and a
    // missing one would make them not-a-number.
    if (oldSpeed > 0 && newSpeed > 0 && std::isfinite(newSpeed)) {
        f->header.waveSpeed = newSpeed;
        for (DefectMark& mark : f->header.defectLegend) {
            if (hasPosition(mark))
                mark.position = mark.position * newSpeed / oldSpeed;
        }
    }
    rerunAndRedrawAll();
}

void QWave::doPrint() {
    NamePipeFile* f = file();
    MeasurePoint* p = point();
    if (!f || !p)
        return;
    EditRecord record;
    record.pointIndex = pointIndex_;
    if (p->header.printMark != 2) {
        record.kind = kEditPrintMarkSet;
        f->modified = true;
        waveHost().markCurrentFileModified();
        waveHost().pushEdit(record);
        p->header.printMark = 2;
        checkImage_->attach(this);
    } else {
        int flagged = 0;
        for (const MeasurePoint& other : f->points)
            flagged += other.header.printMark == 2 ? 1 : 0;
        if (flagged <= 1) {
            userDialogs().notify(this, NoticeIcon::Critical, QStringLiteral("Drosset"),
                                 QStringLiteral("当前桩必须有一个可打印波形！"));
            return;
        }
        record.kind = kEditPrintMarkCleared;
        f->modified = true;
        waveHost().markCurrentFileModified();
        waveHost().pushEdit(record);
        p->header.printMark = 1;
        checkImage_->detach();
    }
    replot();
}

void QWave::autoHead() {
    NamePipeFile* f = file();
    if (!f || !point())
        return;
    EditRecord record;
    record.kind = kEditStartMarksRefound;
    record.pointIndex = pointIndex_;
    const bool onlyThis = appState()->options.currentWaveOnly == 1;
    for (int i = 0; i < f->pointCount(); ++i) {
        const MeasurePoint& p = f->points[static_cast<std::size_t>(i)];
        if (onlyThis ? i == pointIndex_ : !p.isDeleted())
            record.startMarks[i] = p.header.startMark;
    }
    waveHost().pushEdit(record);
    rerunAndRedrawAll();
}

void QWave::waveDel() {
    NamePipeFile* f = file();
    if (!f)
        return;
    const int index = f->currentPoint - 1;
    if (index < 0 || index >= f->pointCount() ||
        f->points[static_cast<std::size_t>(index)].isDeleted())
        return;

    EditRecord record = legendEditRecord(*f, kEditPointDeleted, index);
    record.valueB = f->header.waveSpeed;
    for (int e = 0; e < 10; ++e) {
        if (hasPosition(f->header.defectLegend[e]) && f->header.legendPoint[e] == index)
            f->header.defectLegend[e].position = 0;
    }
    waveHost().pushEdit(record);
    f->points[static_cast<std::size_t>(index)].header.deleted = 1;
    f->deletedCount += 1;
    f->modified = true;
    waveHost().markCurrentFileModified();

    // The nearest earlier point that is left, or else the next later one.
    const int count = f->pointCount();
    bool earlierLeft = false;
    for (int i = 0; i < index; ++i)
        earlierLeft = earlierLeft || !f->points[static_cast<std::size_t>(i)].isDeleted();
    const int step = earlierLeft ? -1 : 1;
    for (int n = 1; n < count; ++n) {
        const int i = ((index + step * n) % count + count) % count;
        if (!f->points[static_cast<std::size_t>(i)].isDeleted()) {
            f->currentPoint = i + 1;
            break;
        }
    }

    QWaveList* list = QWaveList::instance();
    if (QWave* view = list->viewOfPoint(index))
        view->hide();
    list->reprocess();
    if (f->deletedCount >= f->pointCount())
        list->hide();
    waveHost().currentPointChanged();
}

void QWave::alignHead() {
    NamePipeFile* f = file();
    MeasurePoint* p = point();
    if (!f || !p)
        return;
    const double speed = f->header.waveSpeed;
    const double start = p->header.startMark;
    const double dt = f->header.sampleInterval;
    const std::size_t n = p->accel.size();
    const double b = -start / 1000 * speed;
    p->markValues[0] = b / 2;
    p->markValues[1] = (b + speed * static_cast<double>(n) * dt / 1000000) / 2;
    p->lengthAxis.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        p->lengthAxis[i] = ((static_cast<double>(i) + 1) * dt / 1000000 * speed + b) / 2;
    // The time axis is shared by every point of the file, so the shift of
    // this point's start mark to the origin is applied while drawing.
    aligned_ = true;
    alignShiftMs_ = dt / 1000 - start;

    p->pickTime = 0;
    p->startMarkMs = 0;
    p->endMarkMs = f->header.pileLength;
    p->baseline = 0;
    drawPoint();
}
