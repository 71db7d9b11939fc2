// The ten display options kept across runs in "Kestrine.dat".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvel {

#pragma pack(push, 1)

// Several options are stored inverted with respect to the check box that
// edits them (hideGrid, noNormalise): the names say what the stored 1 means.
struct ViewOptions {
    int32_t currentWaveOnly; // 1: re-marking touches only the selected wave
    int32_t waveHeight;      // pixels per wave in the wave list, 50..500
    int32_t abscissaTime;    // 1: abscissa in ms; 0: in m
    int32_t defectInTime;
    int32_t showOrdinate;
    int32_t hideGrid;
    int32_t noNormalise; // 1: every wave uses the file-wide amplitude range
    int32_t reserved;
    int32_t lockLengthSpeed;
    int32_t setToeType;
};

#pragma pack(pop)

static_assert(sizeof(ViewOptions) == 40);
static_assert(offsetof(ViewOptions, waveHeight) == 4);
static_assert(offsetof(ViewOptions, hideGrid) == 20);
static_assert(offsetof(ViewOptions, lockLengthSpeed) == 32);

inline constexpr const char* kViewOptionsFileName = "Kestrine.dat";

// What a first start shows: waves 300 px high against time, the rest off.
ViewOptions defaultViewOptions();

// Reads up to 40 bytes into options; a missing file leaves them unchanged and
// a short file leaves the unread tail unchanged. True when the file was read.
bool loadViewOptions(ViewOptions& options, const std::string& path);

// Writes the 40 bytes atomically; returns an empty string or the reason it failed.
std::string saveViewOptions(const ViewOptions& options, const std::string& path);

} // namespace tarvel
