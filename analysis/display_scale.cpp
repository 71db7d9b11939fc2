#include "display_scale.h"

#include <algorithm>

namespace tarvel {

double ampZoomScale(int32_t ampZoom) {
    if (ampZoom == 0)
        return 1.0;
    const int32_t zoom = std::clamp(ampZoom, kLeastAmpZoom, kMostAmpZoom);
    return 100.0 / (100 + zoom);
}

void computeTicks(NamePipeFile& record) {
    const PipHeader& header = record.header;
    double recordUs = static_cast<double>(header.sampleCount) * header.sampleInterval;
    record.lengthTick = static_cast<float>(header.waveSpeed * (recordUs / 1000000.0) * 0.25 / 10);
    record.timeTick = static_cast<float>((recordUs / 1000.0) * 0.5 / 10);
}

} // namespace tarvel
