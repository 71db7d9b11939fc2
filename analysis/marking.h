// Marking the start, end and peak of the ball's contact in one point.
#pragma once

#include "data/measure_point.h"
#include "data/records.h"

namespace tarvel {

// Resets the point's derived marks, sets its y range and marks it (automatic
// or by its stored marks, as its autoMark says), recording how in its
// `marking`. Automatic marking passes over pulses of instrument noise before
// the impact; its start threshold follows the record's noise. Needs accel
// and the record's baseline fit filled.
void markPoint(MeasurePoint& point, const PipHeader& header);

} // namespace tarvel
