// The straightforward radix-2 transform the instrument's software used, kept
// here only as the yardstick for the filter benchmarks.
#pragma once

#include <cmath>
#include <vector>

namespace tarvel::bench {

// In-place iterative decimation-in-time transform of n = 2^m points with a
// twiddle table built by repeated complex multiplication.
inline void naiveFft(std::vector<double>& re, std::vector<double>& im, bool inverse) {
    const int n = static_cast<int>(re.size());
    const int m = static_cast<int>(std::log(n) / std::log(2) + 0.5);
    for (int i = 0; i < n; ++i) {
        int j = 0;
        for (int bit = 0; bit < m; ++bit)
            j |= ((i >> bit) & 1) << (m - 1 - bit);
        if (j > i) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
    }
    std::vector<double> wr(n), wi(n);
    const double a = 6.283185306 / n;
    wr[0] = 1;
    wi[0] = 0;
    wr[1] = std::cos(a);
    wi[1] = inverse ? std::sin(a) : -std::sin(a);
    for (int i = 2; i < n; ++i) {
        // (a + ib)(c + id) with three real multiplications
        double k1 = wr[1] * (wr[i - 1] + wi[i - 1]);
        double k2 = wi[i - 1] * (wr[1] + wi[1]);
        double k3 = wr[i - 1] * (wi[1] - wr[1]);
        wr[i] = k1 - k2;
        wi[i] = k1 + k3;
    }
    for (int span = 2; span <= n; span *= 2) {
        const int half = span / 2;
        const int stride = n / span;
        for (int start = 0; start < n; start += span) {
            for (int k = 0; k < half; ++k) {
                const double cr = wr[k * stride], ci = wi[k * stride];
                const int p = start + k, q = p + half;
                const double tr = re[q] * cr - im[q] * ci;
                const double ti = re[q] * ci + im[q] * cr;
                re[q] = re[p] - tr;
                im[q] = im[p] - ti;
                re[p] += tr;
                im[p] += ti;
            }
        }
    }
    if (inverse)
        for (int i = 0; i < n; ++i) {
            re[i] /= n;
            im[i] /= n;
        }
}

// Band-pass the old way: transform, zero bins, transform back, take the modulus.
inline void naiveBandPass(double* samples, int n, int kLow, int kHigh) {
    std::vector<double> re(samples, samples + n), im(n, 0.0);
    naiveFft(re, im, false);
    for (int k = 0; k < n; ++k)
        if (k <= kLow || k >= kHigh) {
            re[k] = 0;
            im[k] = 0;
        }
    naiveFft(re, im, true);
    for (int k = 0; k < n; ++k)
        samples[k] = std::sqrt(re[k] * re[k] + im[k] * im[k]);
}

} // namespace tarvel::bench
