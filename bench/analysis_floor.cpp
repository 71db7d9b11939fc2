// The least a whole-project analysis must do, as a program of its own: read
// every point, convert it, band-pass it with FFTW (plans and buffers made
// once) and find its peak. Nothing is marked, evaluated or printed but a
// checksum. tarvel-end-to-end-bench measures tarvel-cli analyze against it.
#include "data/records.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fftw3.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using tarvel::PipHeader;
using tarvel::PointHeader;

struct BandPass {
    explicit BandPass(int n) : n(n) {
        real = fftw_alloc_real(static_cast<std::size_t>(n));
        spectrum = fftw_alloc_complex(static_cast<std::size_t>(n / 2 + 1));
        forward = fftw_plan_dft_r2c_1d(n, real, spectrum, FFTW_ESTIMATE);
        inverse = fftw_plan_dft_c2r_1d(n, spectrum, real, FFTW_ESTIMATE);
    }
    ~BandPass() {
        fftw_destroy_plan(forward);
        fftw_destroy_plan(inverse);
        fftw_free(real);
        fftw_free(spectrum);
    }
    BandPass(const BandPass&) = delete;
    BandPass& operator=(const BandPass&) = delete;
    // Keeps bins first..last of the half spectrum; the result is left in `real`.
    void run(int first, int last) {
        fftw_execute(forward);
        for (int bin = 0; bin <= n / 2; ++bin)
            if (bin < first || bin > last)
                spectrum[bin][0] = spectrum[bin][1] = 0.0;
        fftw_execute(inverse);
    }
    int n;
    double* real;
    fftw_complex* spectrum;
    fftw_plan forward;
    fftw_plan inverse;
};

bool readFile(const std::string& path, std::vector<unsigned char>& bytes) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    struct stat info {};
    fstat(fd, &info);
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    close(fd);
    return got == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvel-analysis-floor PROJECT_FOLDER\n");
        return 1;
    }
    const std::string dir = std::string(argv[1]) + "/";
    DIR* listing = opendir(dir.c_str());
    if (!listing)
        return 2;
    std::vector<std::unique_ptr<BandPass>> passes; // one per length, kept for the run
    std::vector<unsigned char> bytes;
    double checksum = 0;
    long points = 0;
    while (dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".pip") != 0)
            continue;
        if (!readFile(dir + name, bytes) || bytes.size() < sizeof(PipHeader))
            return 2;
        PipHeader header;
        std::memcpy(&header, bytes.data(), sizeof header);
        const int n = header.sampleCount;
        const std::size_t block = sizeof(PointHeader) + 2 * static_cast<std::size_t>(n);
        auto found = std::find_if(passes.begin(), passes.end(),
                                  [n](const auto& pass) { return pass->n == n; });
        BandPass& pass =
            found != passes.end() ? **found : *passes.emplace_back(std::make_unique<BandPass>(n));
        const double scale = header.fullScale * 3.0517578125e-05 / header.sensitivity;
        const long fs = static_cast<long>(1000000.0 / header.sampleInterval);
        for (int p = 0; p < header.pointCount; ++p) {
            const std::size_t offset = sizeof(PipHeader) + static_cast<std::size_t>(p) * block;
            if (offset + block > bytes.size())
                return 2;
            PointHeader point;
            std::memcpy(&point, bytes.data() + offset, sizeof point);
            const unsigned char* samples = bytes.data() + offset + sizeof point;
            for (int k = 0; k < n; ++k) {
                uint16_t raw;
                std::memcpy(&raw, samples + 2 * k, 2);
                pass.real[k] = (32768 - static_cast<int>(raw)) * scale;
            }
            const int first = static_cast<int>(long{n} * point.params.filterF1 / fs) + 1;
            const int last = static_cast<int>(long{n} * point.params.filterF2 / fs) - 1;
            pass.run(first, last);
            checksum += *std::max_element(pass.real, pass.real + n) / n;
            ++points;
        }
    }
    closedir(listing);
    std::printf("%ld points, checksum %.6g\n", points, checksum);
    return 0;
}
