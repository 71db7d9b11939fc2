#include "shared_map_scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvel {

MapScale sharedMapScale(const AreaFileList& areas) {
    double lowest = std::numeric_limits<double>::quiet_NaN();
    double highest = lowest;
    for (const auto& area : areas) {
        const AreaMap map = buildAreaMap(*area);
        if (!map.usable() || !map.hasValues())
            continue;
        lowest = std::isnan(lowest) ? map.minValue : std::min(lowest, map.minValue);
        highest = std::isnan(highest) ? map.maxValue : std::max(highest, map.maxValue);
    }
    return mapScale(lowest, highest);
}

} // namespace tarvel
