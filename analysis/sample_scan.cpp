#include "sample_scan.h"

#include <algorithm>

namespace tarvel {
namespace {

double larger(double a, double b) {
    return a < b ? b : a;
}

} // namespace

int indexOfLargest(const double* x, int n) {
    double a = x[0], b = x[0], c = x[0], d = x[0];
    int k = 0;
    for (; k + 4 <= n; k += 4) {
        a = larger(a, x[k]);
        b = larger(b, x[k + 1]);
        c = larger(c, x[k + 2]);
        d = larger(d, x[k + 3]);
    }
    double largest = larger(larger(a, b), larger(c, d));
    for (; k < n; ++k)
        largest = larger(largest, x[k]);
    // A record of NaN has no largest sample; its first stands in, so callers
    // always get an index they may read.
    const auto found = std::find(x, x + n, largest);
    return found == x + n ? 0 : static_cast<int>(found - x);
}

} // namespace tarvel
