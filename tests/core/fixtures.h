// One generator of test data for every core test: areas built in memory with
// chosen samples, written to a private temporary folder when a test needs files.
#pragma once

#include "data/area_file.h"

#include <string>
#include <vector>

namespace tarvel::test {

// A header as the instrument would write it: 1024 samples of 10 us, unit
// conversion (fullScale 32768, sensitivity 1, so one count is one unit),
// gain 1, legend already collected.
PipHeader makeHeader(int sampleCount = 1024);

// A point whose conditioned (inverted) samples will equal `accel`, in whole
// counts, padded with zeros to the header's sample count.
MeasurePoint makePoint(const PipHeader& header, const std::vector<double>& accel);

// A Hertz-shaped impact of `height` counts whose contact runs from sample
// `first` for `length` samples, rising and falling alike, rounded to whole
// counts, on `sampleCount` samples of zero.
std::vector<double> hertzImpact(double height, int first = 100, int length = 300,
                                int sampleCount = 1024);

// An area of `count` points each carrying a small triangular impact.
NamePipeFile makeArea(int count, int sampleCount = 1024);

// Fills every reserved byte of the header and of each point header with a
// recognisable pattern, so a round trip shows whether they survive.
void fillReservedBytes(NamePipeFile& file);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; } // ends in '/'
    std::string file(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

std::vector<unsigned char> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);

} // namespace tarvel::test
