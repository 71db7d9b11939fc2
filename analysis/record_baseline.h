// The record's own baseline: what the converter offset, a slow drift and
// mains hum add to every sample, fitted on the samples outside the impact and
// removed from the whole record before the impact is marked.
//
// The samples before the impact alone are not enough: a pretrigger of a few
// milliseconds is a fraction of a mains period, and a hum fitted on it and
// extrapolated over the contact can be further off than no correction at all.
// Samples on both sides of the impact pin it down.
#pragma once

#include "data/impact_fits.h"

#include <vector>

namespace tarvel {

// Offset, drift (a ramp from -1 at the first sample to +1 at the last) and
// the cosine and sine of 50 and 60 Hz, for every sample of a record of one
// length and sample interval, with running sums of their products so that the
// normal equations of any stretch are two lookups. Shared by every point of a
// file.
class BaselineBasis {
public:
    static constexpr int kTerms = 6;
    static constexpr int kProducts = kTerms * (kTerms + 1) / 2;

    BaselineBasis(int sampleCount, double sampleIntervalUs);

    int sampleCount() const { return sampleCount_; }
    double sampleIntervalUs() const { return sampleIntervalUs_; }
    const double* row(int k) const { return &values_[static_cast<std::size_t>(k) * kTerms]; }
    // Sums of the products of the terms over samples [0, k).
    const double* productsBefore(int k) const {
        return &products_[static_cast<std::size_t>(k) * kProducts];
    }

private:
    int sampleCount_;
    double sampleIntervalUs_;
    std::vector<double> values_;
    std::vector<double> products_;
};

// The fitted interference at sample k.
double interferenceAt(const RecordBaseline& fit, const BaselineBasis& basis, int k);

// Fits the interference of `samples` (converted, the impact pointing up) on
// the samples outside the impact, where `countUnit` is one converter count in
// the samples' unit. The impact is found as the largest pulse with a margin of
// a sixth of its width on each side; other pulses are left out as outliers of
// a first fit. When there are too few samples outside the impact, nothing is
// fitted.
RecordBaseline fitInterference(const double* samples, const BaselineBasis& basis, double countUnit);

// Subtracts the fit from every sample when it reaches half a count somewhere
// in the record: below that the converter itself could not have recorded it,
// and a record whose samples outside the impact sit exactly at one level keeps
// its samples bit for bit.
void removeInterference(double* samples, const BaselineBasis& basis, RecordBaseline& fit,
                        double countUnit);

} // namespace tarvel
