#include "marking.h"

#include <cmath>

namespace tarvel {
namespace {

void setYRange(MeasurePoint& point) {
    double m = 0;
    for (double value : point.accel) {
        if (m <= 1e-6)
            m = value;
        if (value > m)
            m = value;
    }
    point.yMax = 1.2 * m;
    point.yMin = -0.5 * point.yMax;
}

void markAutomatically(MeasurePoint& point, double dt) {
    const std::vector<double>& a = point.accel;
    const int n = static_cast<int>(a.size());
    const double threshold = point.baseline + kStartThreshold;
    enum { Searching, Tracking } state = Searching;
    for (int k = 0; k < n; ++k) {
        if (state == Searching) {
            if (k < 1 || k + 2 > n - 1)
                continue;
            if (!(a[k] > threshold && a[k + 1] > threshold && a[k + 2] > threshold))
                continue;
            point.header.startMark = static_cast<float>((k - 1) * dt / 1000);
            point.peakValue = a[k];
            state = Tracking;
        }
        if (point.peakValue <= a[k]) { // a later equal sample wins
            point.peakTime = k * dt / 1000;
            point.peakValue = a[k];
        }
        if (a[k - 1] > point.baseline && a[k] <= point.baseline) {
            point.header.endMark = static_cast<float>((k - 1) * dt / 1000);
            return;
        }
    }
}

void markByStoredMarks(MeasurePoint& point, double dt) {
    const std::vector<double>& a = point.accel;
    const double n = static_cast<double>(a.size());
    // Hostile files may hold any float here: bound before converting.
    double first = std::trunc(point.header.startMark * 1000.0 / dt);
    double end = point.header.endMark * 1000.0 / dt;
    if (!(first >= 0))
        first = 0;
    if (first > n)
        first = n;
    if (!(end <= n))
        end = n;
    for (int k = static_cast<int>(first); k < end; ++k) {
        if (a[static_cast<std::size_t>(k)] > point.peakValue) { // the first of equal maxima wins
            point.peakTime = k * dt / 1000;
            point.peakValue = a[static_cast<std::size_t>(k)];
        }
    }
}

} // namespace

void markPoint(MeasurePoint& point, const PipHeader& header) {
    point.pickTime = 0;
    point.startMarkMs = 0;
    point.peakTime = 0;
    point.yMax = 0;
    point.yMin = 0;
    point.baseline = header.accelCorrection;
    setYRange(point);
    point.peakValue = 0;

    const double dt = header.sampleInterval;
    if (point.header.params.autoMark == 1)
        markAutomatically(point, dt);
    else
        markByStoredMarks(point, dt);

    point.startMarkMs = point.header.startMark;
    point.endMarkMs = point.header.endMark;
}

} // namespace tarvel
