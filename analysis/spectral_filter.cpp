#include "spectral_filter.h"

#include <algorithm>
#include <fftw3.h>
#include <mutex>

namespace tarvel {
namespace {

// out[k] = in[k] * factor; `out` may be `in`. Four products are taken
// before any is stored, so the compiler can pair them in vector registers.
void scaleInto(const double* in, double* out, int n, double factor) {
    int k = 0;
    for (; k + 4 <= n; k += 4) {
        const double a = in[k] * factor;
        const double b = in[k + 1] * factor;
        const double c = in[k + 2] * factor;
        const double d = in[k + 3] * factor;
        out[k] = a;
        out[k + 1] = b;
        out[k + 2] = c;
        out[k + 3] = d;
    }
    for (; k < n; ++k)
        out[k] = in[k] * factor;
}

// FFTW's planner is not thread-safe; executing a plan is.
std::mutex& plannerMutex() {
    static std::mutex mutex;
    return mutex;
}

int64_t edgeBin(int n, int64_t fs, int32_t frequency) {
    return static_cast<int64_t>(n) * frequency / fs;
}

} // namespace

FilterMode filterModeOf(int32_t filterType) {
    if (filterType <= 1)
        return FilterMode::None;
    if (filterType == 2)
        return FilterMode::LowPass;
    if (filterType == 3)
        return FilterMode::HighPass;
    return FilterMode::BandPass;
}

PassBand passBand(FilterMode mode, int n, int64_t fs, int32_t f1, int32_t f2) {
    const int half = n / 2;
    PassBand band{0, half, true};
    if (fs <= 0)
        return band;
    switch (mode) {
    case FilterMode::None:
        break;
    case FilterMode::LowPass: {
        int64_t t = std::clamp<int64_t>(edgeBin(n, fs, f2), 0, n - 1);
        if (t <= n - t) // otherwise the cut-off lies beyond fs/2 and nothing goes
            band = {0, static_cast<int>(t) - 1, false};
        break;
    }
    case FilterMode::HighPass: {
        int64_t kLow = std::clamp<int64_t>(edgeBin(n, fs, f1), -1, n - 1);
        band = {static_cast<int>(std::min<int64_t>(kLow, half)) + 1, half, kLow < 0};
        break;
    }
    case FilterMode::BandPass: {
        int64_t kLow = std::clamp<int64_t>(edgeBin(n, fs, f1), -1, half);
        int64_t kHigh = std::clamp<int64_t>(edgeBin(n, fs, f2), 0, half);
        band = {static_cast<int>(kLow) + 1, static_cast<int>(kHigh) - 1, false};
        break;
    }
    }
    return band;
}

SpectralFilter::SpectralFilter(int n) : n_(n) {
    std::lock_guard<std::mutex> lock(plannerMutex());
    real_ = fftw_alloc_real(static_cast<std::size_t>(n));
    inverseRoom_ = fftw_alloc_real(static_cast<std::size_t>(n));
    spectrum_ = fftw_alloc_complex(static_cast<std::size_t>(n / 2 + 1));
    forward_ = fftw_plan_dft_r2c_1d(n, real_, spectrum_, FFTW_ESTIMATE);
    inverse_ = fftw_plan_dft_c2r_1d(n, spectrum_, real_, FFTW_ESTIMATE);
}

SpectralFilter::~SpectralFilter() {
    std::lock_guard<std::mutex> lock(plannerMutex());
    fftw_destroy_plan(forward_);
    fftw_destroy_plan(inverse_);
    fftw_free(real_);
    fftw_free(inverseRoom_);
    fftw_free(spectrum_);
}

void SpectralFilter::filterBufferInto(double* out, const PassBand& band) {
    fftw_execute_dft_r2c(forward_, real_, spectrum_);
    const int half = n_ / 2;
    // Bins below first and above last go; when last < first, all of them.
    std::fill(spectrum_[0], spectrum_[std::clamp(band.first, 0, half + 1)], 0.0);
    std::fill(spectrum_[std::clamp(band.last + 1, 0, half + 1)], spectrum_[half + 1], 0.0);
    // The forward transform leaves its input as it was. The inverse goes
    // straight to `out` when the plan can write there, and is scaled in
    // place. It destroys the spectrum, which is not needed again.
    double* inverse = fftw_alignment_of(out) == fftw_alignment_of(real_) ? out : inverseRoom_;
    fftw_execute_dft_c2r(inverse_, spectrum_, inverse);
    scaleInto(inverse, out, n_, 1.0 / n_);
}

void SpectralFilter::filter(double* samples, const PassBand& band) {
    if (band.all || n_ < 2)
        return;
    std::copy(samples, samples + n_, real_);
    filterBufferInto(samples, band);
}

} // namespace tarvel
