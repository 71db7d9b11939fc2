#include "nice_step.h"

#include <cmath>

namespace tarvel {

double niceStep(double x) {
    if (!std::isfinite(x) || x <= 0)
        return 0;
    const double a = x < 100 ? 100000 : 1;
    const double b = x * a;
    double p = 10;
    while (std::trunc(b / p + 0.5) != 0)
        p *= 10;
    return p / (a * 10) * std::trunc(b * 10 / p + 0.5);
}

} // namespace tarvel
