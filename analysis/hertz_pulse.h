// The shape of a Hertz impact: the deceleration of a ball pressed into an
// elastic half-space (F = k x^1.5) from first touch to the deepest point.
//
// In units of the deepest penetration X and of X / V0, the contact obeys
// u'' = -5/4 u^1.5 with u(0) = 0 and u'(0) = 1, whatever the ball, the ground
// or the speed. Its deceleration u^1.5 rises from 0 to 1 in kHertzHalfSpan of
// those time units; this file holds that rise normalised to a unit duration,
// integrated once into a table.
#pragma once

namespace tarvel {

// The loading half's length in units of X / V0: the integral of
// 1 / sqrt(1 - u^2.5) from 0 to 1, a classic constant of Hertz impacts (twice
// it is the 2.943 of the contact time): 0.4 B(0.4, 0.5).
inline constexpr double kHertzHalfSpan = 1.4716375921623523;

struct ShapePoint {
    double value = 0; // deceleration as a share of the peak
    double slope = 0; // its derivative by the normalised time
};

// The loading half of a Hertz pulse at normalised time tau: 0 at first touch
// (tau = 0), 1 at the peak (tau = 1); 0 before and 1 after.
ShapePoint hertzRise(double tau);

// The normalised time at which the rise reaches half the peak.
double hertzHalfHeightTime();

// A two-sided pulse: a Hertz rise over `loading` ms from `start` to the peak,
// then a Hertz fall over `unloading` ms, of height `amplitude`. An elastic
// ground gives equal halves; a ground that yields gives a shorter fall.
struct HertzPulse {
    double start = 0;     // ms
    double loading = 0;   // ms
    double unloading = 0; // ms
    double amplitude = 0; // accel units

    double end() const { return start + loading + unloading; }
    double valueAt(double t) const;
};

// The pulse's value and its derivatives by start, loading, unloading and
// amplitude, in that order, at time t (ms).
struct PulseGradient {
    double value = 0;
    double byStart = 0;
    double byLoading = 0;
    double byUnloading = 0;
    double byAmplitude = 0;
};
PulseGradient pulseGradient(const HertzPulse& pulse, double t);

// The peak deceleration (m/s2) Hertz theory gives for an impact at `speed`
// (m/s) whose loading half lasts `loadingSeconds`: 5/4 V0^2 / X, with the
// deepest penetration X = V0 * loading / kHertzHalfSpan. It follows from the
// ball's mass, radius and the ground's modulus through the loading time
// alone.
double hertzPeakDeceleration(double speed, double loadingSeconds);

} // namespace tarvel
