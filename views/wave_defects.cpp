// Defect marks of a wave view: marking a defect at the picked time and
// clearing the wave's defects. The menu keeps both entries hidden.
#include "wave.h"

#include "app_context.h"
#include "data/app_state.h"
#include "data/gbk_text.h"
#include "legend_record.h"
#include "user_dialogs.h"
#include "wave_host.h"

using namespace tarvel;

namespace {

// The legend position (m) of the picked abscissa: in the time mode the
// inverse of how a legend mark is placed on the time axis.
double pickedPosition(const NamePipeFile& f, const MeasurePoint& p, bool timeMode) {
    return timeMode ? p.pickTime * f.header.waveSpeed / 2000 : p.pickTime;
}

} // namespace

void QWave::doError() {
    NamePipeFile* f = file();
    MeasurePoint* p = point();
    if (!f || !p)
        return;
    const double position = pickedPosition(*f, *p, appState()->options.abscissaTime != 0);
    // Without a pick (or a wave speed) there is no place to mark, and an
    // entry at zero would read as empty.
    if (!(position > 1e-6))
        return;
    DefectMark* slot = nullptr;
    int entry = 0;
    for (; entry < 10; ++entry) {
        if (!hasPosition(f->header.defectLegend[entry])) {
            slot = &f->header.defectLegend[entry];
            break;
        }
    }
    if (!slot || !userDialogs().chooseDefect(this))
        return;
    waveHost().pushEdit(legendEditRecord(*f, kEditDefects, pointIndex_));
    encodeGbk(f->defectTypeText, slot->codeA);
    encodeGbk(f->defectGradeText, slot->codeB);
    slot->position = static_cast<float>(position);
    f->header.legendPoint[entry] = pointIndex_;
    f->modified = true;
    waveHost().markCurrentFileModified();
    drawPoint();
}

void QWave::doClear() {
    NamePipeFile* f = file();
    if (!f || !point())
        return;
    bool any = false;
    for (int e = 0; e < 10; ++e)
        any = any ||
              (hasPosition(f->header.defectLegend[e]) && f->header.legendPoint[e] == pointIndex_);
    if (!any)
        return;
    waveHost().pushEdit(legendEditRecord(*f, kEditDefects, pointIndex_));
    for (int e = 0; e < 10; ++e) {
        if (hasPosition(f->header.defectLegend[e]) && f->header.legendPoint[e] == pointIndex_)
            f->header.defectLegend[e].position = 0;
    }
    f->modified = true;
    waveHost().markCurrentFileModified();
    drawPoint();
}

// The spectrum menu that would offer these is never opened: the spectrum
// view has no peaks to clear or to find.
void QWave::hzClear() {}

void QWave::hzFengZhi() {}
