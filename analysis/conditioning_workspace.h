// What the conditioning chain keeps from one point to the next: the
// conversion of every converter count, the transform plans, the baseline
// terms of a record length and scratch room. Made by whoever conditions
// files and passed in, so areas conditioned on several threads, each with
// its own workspace, share nothing.
#pragma once

#include "record_baseline.h"
#include "spectral_filter.h"

#include <map>
#include <memory>
#include <vector>

namespace tarvel {

class ConditioningWorkspace {
public:
    ConditioningWorkspace();
    ~ConditioningWorkspace();
    ConditioningWorkspace(const ConditioningWorkspace&) = delete;
    ConditioningWorkspace& operator=(const ConditioningWorkspace&) = delete;

    // countsToAccel of every possible count. A file converts hundreds of
    // thousands of samples but holds at most 65536 distinct counts, so each
    // division is done once per count; the table is kept while the next files
    // share the two factors.
    const double* countTable(double fullScale, double sensitivity);

    SpectralFilter& filter(int sampleCount);
    const BaselineBasis& baselineBasis(int sampleCount, double sampleIntervalUs);

    // Room for one record of `sampleCount` samples, valid until the next call.
    double* scratch(int sampleCount);

private:
    std::vector<double> table_;
    double tableFullScale_ = 0;
    double tableSensitivity_ = 0;
    std::map<int, std::unique_ptr<SpectralFilter>> filters_;
    std::unique_ptr<BaselineBasis> basis_;
    std::vector<double> scratch_;
};

} // namespace tarvel
