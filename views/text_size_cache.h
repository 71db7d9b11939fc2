// Axis tick labels whose sizes are measured once.
//
// Every wave view lays out the same tick labels ("0", "2", ... "48") in the
// same font, and Qwt measures each of them again for every view, at every
// replot and every paint: with an area's worth of views this is most of the
// drawing time. The sizes depend only on the font and the text, so one
// measurement serves all views.
#pragma once

#include <qwt_scale_draw.h>

class CachedLabelScaleDraw : public QwtScaleDraw {
public:
    CachedLabelScaleDraw();
    QwtText label(double value) const override;
};
