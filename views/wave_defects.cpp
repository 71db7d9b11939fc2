// Defect marks of a wave view: marking a defect at the picked time and
// clearing the wave's defects. The menu keeps both entries hidden.
#include "wave.h"

#include "data/gbk_text.h"
#include "session/project_session.h"
#include "user_dialogs.h"

using namespace tarvel;

namespace {

// The legend position (m) of the picked abscissa: in the time mode the
// inverse of how a legend mark is placed on the time axis.
double pickedPosition(const NamePipeFile& f, const MeasurePoint& p, bool timeMode) {
    return timeMode ? p.pickTime * f.header.waveSpeed / 2000 : p.pickTime;
}

// The text as the legend's five-byte code field holds it.
std::string legendCode(const QString& text) {
    char code[5] = {};
    encodeGbk(text.toStdString(), code);
    return std::string(code);
}

} // namespace

void QWave::doError() {
    NamePipeFile* f = file();
    MeasurePoint* p = point();
    if (!f || !p)
        return;
    const double position = pickedPosition(*f, *p, options().abscissaTime != 0);
    // Without a pick (or a wave speed) there is no place to mark, and an
    // entry at zero would read as empty.
    if (!(position > 1e-6))
        return;
    bool freeEntry = false;
    for (const DefectMark& mark : f->header.defectLegend)
        freeEntry = freeEntry || !(mark.position > 1e-6f);
    QString type;
    QString grade;
    if (!freeEntry || !dialogs_->chooseDefect(this, type, grade))
        return;
    f->defectTypeText = type.toStdString();
    f->defectGradeText = grade.toStdString();
    edit(AddDefect{pointIndex_, static_cast<float>(position), legendCode(type), legendCode(grade)});
}

void QWave::doClear() {
    if (point())
        edit(ClearDefects{pointIndex_});
}

// The spectrum menu that would offer these is never opened: the spectrum
// view has no peaks to clear or to find.
void QWave::hzClear() {}

void QWave::hzFengZhi() {}
