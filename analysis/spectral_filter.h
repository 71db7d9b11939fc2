// Zero-phase spectral filtering of one point's samples.
#pragma once

#include <cstdint>

struct fftw_plan_s;

namespace tarvel {

enum class FilterMode { None, LowPass, HighPass, BandPass };

// Which half-spectrum bins (0..N/2) survive a filter.
struct PassBand {
    int first = 0; // first kept bin
    int last = 0;  // last kept bin; last < first keeps nothing
    bool all = false;
};

FilterMode filterModeOf(int32_t filterType);

// fs is the sampling rate in whole samples per second. Edges come from the
// instrument's integer arithmetic: bin = N * f / fs, truncated.
PassBand passBand(FilterMode mode, int n, int64_t fs, int32_t f1, int32_t f2);

// The transform plans and aligned buffer for one record length, made once
// and reused: planning costs far more than a transform of a few thousand
// points. Each conditioning workspace keeps its own, so areas conditioned on
// several threads share nothing.
class SpectralFilter {
public:
    explicit SpectralFilter(int n);
    ~SpectralFilter();
    SpectralFilter(const SpectralFilter&) = delete;
    SpectralFilter& operator=(const SpectralFilter&) = delete;

    int length() const { return n_; }

    // The transform's own buffer. A caller that produces samples anyway
    // writes them here and calls filterBufferInto, so they go through the
    // cache once instead of being stored, read back and stored again.
    double* buffer() { return real_; }

    // Filters the samples in buffer(): the bins outside the pass band and
    // their conjugate mirrors are removed and the real inverse is written to
    // `out`, so the wave keeps its sign and its phase. The buffer keeps its
    // samples unless `out` is the buffer.
    void filterBufferInto(double* out, const PassBand& band);

    // The same for samples anywhere, filtered in place.
    void filter(double* samples, const PassBand& band);

private:
    int n_;
    double* real_;
    double* inverseRoom_;   // where the inverse goes when `out` is aligned otherwise
    double (*spectrum_)[2]; // FFTW's complex numbers
    fftw_plan_s* forward_;
    fftw_plan_s* inverse_;
};

} // namespace tarvel
