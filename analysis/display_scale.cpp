#include "display_scale.h"

#include <algorithm>

namespace tarvel {

double ampZoomScale(int32_t ampZoom) {
    if (ampZoom == 0)
        return 1.0;
    const int32_t zoom = std::clamp(ampZoom, kLeastAmpZoom, kMostAmpZoom);
    return 100.0 / (100 + zoom);
}

} // namespace tarvel
