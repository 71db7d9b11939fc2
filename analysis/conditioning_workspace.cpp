#include "conditioning_workspace.h"

#include "conditioning.h"

#include <cstring>

namespace tarvel {
namespace {

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

ConditioningWorkspace::ConditioningWorkspace() = default;
ConditioningWorkspace::~ConditioningWorkspace() = default;

const double* ConditioningWorkspace::countTable(double fullScale, double sensitivity) {
    if (table_.empty() || !sameBits(fullScale, tableFullScale_) ||
        !sameBits(sensitivity, tableSensitivity_)) {
        table_.resize(65536);
        for (std::size_t count = 0; count < table_.size(); ++count)
            table_[count] = countsToAccel(static_cast<uint16_t>(count), fullScale, sensitivity);
        tableFullScale_ = fullScale;
        tableSensitivity_ = sensitivity;
    }
    return table_.data();
}

SpectralFilter& ConditioningWorkspace::filter(int sampleCount) {
    std::unique_ptr<SpectralFilter>& slot = filters_[sampleCount];
    if (!slot)
        slot = std::make_unique<SpectralFilter>(sampleCount);
    return *slot;
}

const BaselineBasis& ConditioningWorkspace::baselineBasis(int sampleCount,
                                                          double sampleIntervalUs) {
    if (!basis_ || basis_->sampleCount() != sampleCount ||
        !sameBits(basis_->sampleIntervalUs(), sampleIntervalUs))
        basis_ = std::make_unique<BaselineBasis>(sampleCount, sampleIntervalUs);
    return *basis_;
}

double* ConditioningWorkspace::scratch(int sampleCount) {
    if (scratch_.size() < static_cast<std::size_t>(sampleCount))
        scratch_.resize(static_cast<std::size_t>(sampleCount));
    return scratch_.data();
}

} // namespace tarvel
