#include "map_contours.h"

#include <cmath>

namespace tarvel {
namespace {

struct Corner {
    double x, y, value;
    bool above;
};

struct Point {
    double x, y;
};

Point crossing(const Corner& a, const Corner& b, double level) {
    const double t = (level - a.value) / (b.value - a.value);
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

} // namespace

std::vector<ContourSegment> contourSegments(const AreaMap& map, double level) {
    std::vector<ContourSegment> segments;
    if (!map.usable() || !std::isfinite(level))
        return segments;
    const auto corner = [&](int row, int column) {
        const double value = map.value(row, column);
        return Corner{(column + 0.5) * map.columnSpacing, (row + 0.5) * map.rowSpacing, value,
                      value >= level};
    };
    const auto add = [&](Point a, Point b) { segments.push_back({a.x, a.y, b.x, b.y}); };
    for (int row = 0; row + 1 < map.rows; ++row) {
        for (int column = 0; column + 1 < map.columns; ++column) {
            // Counter-clockwise from the lower left.
            const Corner c[4] = {corner(row, column), corner(row, column + 1),
                                 corner(row + 1, column + 1), corner(row + 1, column)};
            if (std::isnan(c[0].value) || std::isnan(c[1].value) || std::isnan(c[2].value) ||
                std::isnan(c[3].value))
                continue;
            // Edge k runs from corner k to corner k + 1.
            Point cut[4];
            bool crossed[4];
            int crossings = 0;
            for (int k = 0; k < 4; ++k) {
                const Corner& a = c[k];
                const Corner& b = c[(k + 1) % 4];
                crossed[k] = a.above != b.above;
                if (crossed[k]) {
                    cut[k] = crossing(a, b, level);
                    ++crossings;
                }
            }
            if (crossings == 2) {
                int first = -1;
                for (int k = 0; k < 4; ++k) {
                    if (!crossed[k])
                        continue;
                    if (first < 0)
                        first = k;
                    else
                        add(cut[first], cut[k]);
                }
            } else if (crossings == 4) {
                // A saddle: the mean of the corners decides which pair of
                // opposite corners the level joins.
                const double centre = (c[0].value + c[1].value + c[2].value + c[3].value) / 4;
                if ((centre >= level) == c[0].above) {
                    add(cut[0], cut[1]); // cuts off corner 1
                    add(cut[2], cut[3]); // cuts off corner 3
                } else {
                    add(cut[3], cut[0]); // cuts off corner 0
                    add(cut[1], cut[2]); // cuts off corner 2
                }
            }
        }
    }
    return segments;
}

} // namespace tarvel
