// A large synthetic project on disk, made once per benchmark run.
#pragma once

#include <string>

namespace tarvel::bench {

constexpr int kAreas = 20;
constexpr int kPointsPerArea = 100;
constexpr int kSamples = 4096;

// Writes (once) kAreas files of kPointsPerArea points of kSamples samples
// into a temporary folder and returns it; with `bandPass` every point asks
// for a 20..2000 Hz band-pass.
const std::string& benchProjectDir(bool bandPass);

} // namespace tarvel::bench
