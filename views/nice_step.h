#pragma once

namespace tarvel {

// Rounds a positive step to one significant digit (37 -> 40, 0.123 -> 0.1),
// the way the axis ticks of the wave views are chosen.
double niceStep(double x);

} // namespace tarvel
