// The editing commands of a wave view: marks by hand, print flag, automatic
// re-marking, deletion and head alignment. The rules are the edit library's;
// a view only asks and shows a refusal.
#include "wave.h"

#include "plot_overlay_items.h"
#include "session/project_session.h"
#include "user_dialogs.h"

using namespace tarvel;

void QWave::edit(const Edit& change, const QString& title) {
    const QString refusal = session_->applyEdit(change);
    if (!refusal.isEmpty())
        dialogs_->notify(this, NoticeIcon::Warning, title, refusal);
}

void QWave::doHead() {
    if (const MeasurePoint* p = point())
        edit(SetStartMark{pointIndex_, p->pickTime});
}

void QWave::doTail() {
    if (const MeasurePoint* p = point())
        edit(SetEndMark{pointIndex_, p->pickTime});
}

void QWave::doPrint() {
    const MeasurePoint* p = point();
    if (!p)
        return;
    const bool marked = p->header.printMark == 2;
    const QString refusal = session_->applyEdit(SetPrintMark{pointIndex_, !marked});
    if (!refusal.isEmpty())
        dialogs_->notify(this, NoticeIcon::Critical, QStringLiteral("Tarvel"), refusal);
}

void QWave::autoHead() {
    if (point())
        edit(RefindStartMarks{pointIndex_, options().currentWaveOnly == 1});
}

void QWave::waveDel() {
    const int current = session_->currentPointIndex();
    if (current >= 0)
        edit(DeletePoint{current});
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
