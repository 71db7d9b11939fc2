#include "fixtures.h"

#include "analysis/hertz_pulse.h"
#include "data/input_file.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tarvel::test {

PipHeader makeHeader(int sampleCount) {
    PipHeader h{};
    h.sampleCount = sampleCount;
    h.sampleInterval = 10;
    h.waveSpeed = 1000;
    h.fullScale = 32768;
    h.sensitivity = 1;
    h.gain = 1;
    h.accelCorrection = 0;
    h.legendBuilt = 1;
    h.dropHeight = 0.5f;
    h.ballRadius = 0.1f;
    h.ballMass = 20;
    h.ballModulus = 2.1e11f;
    h.ballPoisson = 0.3f;
    h.materialPoisson = 0.35f;
    h.materialCorr = 1;
    h.slopeCoef = 1;
    h.deflectionCorr = 1;
    h.maxDryDensity = 2.2f;
    h.minDryDensity = 1.6f;
    h.densityA = 0.1f;
    h.densityB = 1.7f;
    return h;
}

MeasurePoint makePoint(const PipHeader& header, const std::vector<double>& accel) {
    MeasurePoint point;
    point.header.params.autoMark = 1;
    point.header.params.polarity = 2; // the default block inverts
    point.header.params.filterType = 1;
    point.raw.assign(static_cast<std::size_t>(header.sampleCount), 0x8000);
    point.halfCount = header.sampleCount / 2;
    for (std::size_t k = 0; k < accel.size() && k < point.raw.size(); ++k)
        point.raw[k] = static_cast<uint16_t>(32768 + std::lround(accel[k]));
    return point;
}

std::vector<double> hertzImpact(double height, int first, int length, int sampleCount) {
    std::vector<double> wave(static_cast<std::size_t>(sampleCount), 0.0);
    const double half = length / 2.0;
    for (int k = first; k < first + length && k < sampleCount; ++k) {
        const double fromEdge = std::min(k - first, first + length - k) / half;
        wave[static_cast<std::size_t>(k)] = std::round(height * hertzRise(fromEdge).value);
    }
    return wave;
}

NamePipeFile makeArea(int count, int sampleCount) {
    NamePipeFile file;
    file.header = makeHeader(sampleCount);
    file.points.reserve(static_cast<std::size_t>(count) + kMaxMergedWaves);
    for (int i = 0; i < count; ++i) {
        std::vector<double> wave(200, 0.0);
        for (int k = 100; k < 150; ++k)
            wave[static_cast<std::size_t>(k)] = 1000.0 * (25 - std::abs(k - 125)) / 25.0 + i;
        file.points.push_back(makePoint(file.header, wave));
        file.points.back().header.pointNo = i;
    }
    file.header.pointCount = count;
    file.fileName = "area.pip";
    return file;
}

void fillReservedBytes(NamePipeFile& file) {
    auto fill = [](uint8_t* bytes, std::size_t size, uint8_t seed) {
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<uint8_t>(seed + i * 7);
    };
    PipHeader& h = file.header;
    fill(h.reserved0, sizeof h.reserved0, 1);
    fill(h.reserved1, sizeof h.reserved1, 2);
    fill(h.reserved2, sizeof h.reserved2, 3);
    fill(h.reserved3, sizeof h.reserved3, 4);
    fill(h.reserved4, sizeof h.reserved4, 5);
    fill(h.reserved5, sizeof h.reserved5, 6);
    for (MeasurePoint& point : file.points) {
        fill(point.header.reserved, sizeof point.header.reserved, 7);
        fill(point.header.params.reserved0, sizeof point.header.params.reserved0, 8);
        fill(point.header.params.reserved1, sizeof point.header.params.reserved1, 9);
        point.header.params.shapeScale = 1.25f;
        point.header.params.offsetParam = 77;
    }
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvel-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    path_ = std::string(made ? made : "/tmp") + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<unsigned char> readBytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    readWholeFile(path, bytes);
    return bytes;
}

void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace tarvel::test
