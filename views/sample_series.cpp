#include "sample_series.h"

#include <algorithm>

namespace tarvel {

SampleSeries::SampleSeries(const double* x, const double* y, std::size_t size, double xShift)
    : x_(x), y_(y), size_(size), xShift_(xShift) {}

size_t SampleSeries::size() const {
    return size_;
}

QRectF SampleSeries::boundingRect() const {
    if (size_ == 0)
        return {1, 1, -2, -2}; // Qwt's invalid rectangle
    if (d_boundingRect.width() < 0) {
        // The x axis is ascending: only the y range needs a pass.
        const auto [low, high] = std::minmax_element(y_, y_ + size_);
        d_boundingRect = QRectF(x_[0] + xShift_, *low, x_[size_ - 1] - x_[0], *high - *low);
    }
    return d_boundingRect;
}

} // namespace tarvel
