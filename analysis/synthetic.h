// Synthetic instrument data from physics: a steel ball dropped on an elastic
// half-space (Hertz contact), sampled and quantised as the instrument does.
// It gives the demo, the tests and the benchmarks real-looking files.
#pragma once

#include "data/area_file.h"
#include "data/project_info.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel {

struct BallParameters {
    double radius = 0.1;     // m
    double mass = 20.0;      // kg
    double modulus = 2.1e11; // Pa
    double poisson = 0.3;
    double dropHeight = 0.5; // m
};

struct ImpactParameters {
    BallParameters ball;
    double loadingModulusMPa = 100;   // E2 while the ball goes in
    double unloadingModulusMPa = 100; // E2 while it comes back out
    double materialPoisson = 0.35;
};

// Contact stiffness k of F = k x^1.5 for a ball on a half-space of modulus E2.
double hertzStiffness(const BallParameters& ball, double materialModulusPa, double materialPoisson);

// The exact durations (us) of the contact's loading half (first touch to the
// deepest point) and unloading half, from the closed form of the Hertz
// impact.
struct ContactDurations {
    double loading = 0;
    double unloading = 0;
};
ContactDurations hertzContactDurations(const ImpactParameters& impact);

// What real records carry besides the impact, in converter counts or as
// shares of the impact's peak: for tests and for the accuracy sweep.
struct RecordArtifacts {
    double offsetCounts = 0;
    double driftCounts = 0; // from the first sample to the last
    double hum50Counts = 0; // amplitude, random phase per point
    double hum60Counts = 0;
    double lateTriggerShare = 0; // share of the contact before the first sample
    double precursorShare = 0;   // a soft start merged into the impact, share of the peak
    double precursorMs = 0;      // its rise before the contact, and its fall after
    double ringingShare = 0;     // decaying ringing from the end of the contact
    double ringingHz = 2000;
    double overRange = 0; // the largest peak this share beyond the converter's range
};

// The accelerometer's reading (m/s2) at t = k * dt for k < sampleCount, for a
// contact that begins at contactStartUs: k x^1.5 / m in contact, 0 outside.
std::vector<double> simulateImpact(const ImpactParameters& impact, int sampleCount,
                                   double sampleIntervalUs, double contactStartUs);

struct SyntheticArea {
    std::string areaName = "测区1";
    std::string fileName; // defaults to "<areaName>.pip"
    int rows = 5;
    int columns = 5;
    std::vector<double> moduliMPa; // rows * columns loading moduli, row-major
    double unloadingRatio = 1.0;   // unloading modulus / loading modulus
    int sampleCount = 2048;
    float sampleIntervalUs = 20;
    int preTriggerSamples = 256;
    double contactNoiseCounts = 0;  // RMS noise added while the ball is in contact
    double baselineNoiseCounts = 0; // RMS noise added before and after the contact
    RecordArtifacts artifacts;
    float gain = 2;
    float sensitivity = 1;
    uint32_t seed = 1;
    BallParameters ball;
    double materialPoisson = 0.35;
};

// An area file (header and raw samples, not yet conditioned) of rows * columns
// points, pointNo = row and pointColumn = column in row-major order. The full
// scale is chosen so the largest peak uses about 80 % of the converter range
// (or reaches beyond it by the artifacts' overRange).
NamePipeFile makeSyntheticArea(const SyntheticArea& area, const std::string& projectName);

struct SyntheticProject {
    std::string projectName = "示范工程";
    std::string projectFileName = "示范工程.Prj";
    std::vector<SyntheticArea> areas;
};

ProjectInfo makeSyntheticProjectInfo(const std::string& projectName);

// Writes the .Prj and one .pip per area into outDir, which
// is created when missing. Returns an empty string or the reason it failed.
std::string writeSyntheticProject(const std::string& outDir, const SyntheticProject& project);

// Moduli for a rows x columns grid from a pattern:
//   "uniform:E", "gradient:E1:E2" (first row to last), "bump:Ebase:Epeak"
//   (a smooth hill in the middle), "random:Elow:Ehigh", or a list "E1,E2,..."
//   repeated to fill the grid. Returns an empty vector for a bad pattern.
std::vector<double> modulusPattern(const std::string& pattern, int rows, int columns,
                                   uint32_t seed);

} // namespace tarvel
