// Quality flags of a point's result: machine-readable notes that a result may
// not be trusted as it stands. They are reported, never acted on.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvel {

enum class FlagSeverity { Info, Warning, Error };

// In the order they are listed everywhere.
enum class QualityFlag {
    NoImpact,      // automatic marking found no start; the stored marks were used
    NoReturn,      // the impact never fell back to the baseline; the end is the stored one
    ContactTime,   // Tc not finite or outside 1..40 ms
    Clipped,       // the converter's limit was reached during the contact
    NoisyBaseline, // the record before the impact is noisy for its height
    NoiseSkipped,  // marking passed over pulses of noise before the impact
    SecondImpact,  // a pulse at least half the impact's height after its end
    Manual,        // the marks were set by hand
};
inline constexpr int kQualityFlagCount = 8;

struct QualityFlagLabel {
    const char* key; // as in the command line's output
    const char* chinese;
    const char* english;
    FlagSeverity severity;
};

const QualityFlagLabel& labelOf(QualityFlag flag);
const char* chineseSeverityText(FlagSeverity severity); // "错误", "警告", "提示"
const char* englishSeverityText(FlagSeverity severity); // "error", "warning", "info"

struct QualityFlags {
    uint32_t bits = 0;
    int noisePulsesSkipped = 0; // with NoiseSkipped

    bool has(QualityFlag flag) const { return bits & (1u << static_cast<int>(flag)); }
    void set(QualityFlag flag) { bits |= 1u << static_cast<int>(flag); }
    bool any() const { return bits != 0; }
    bool hasError() const;
    std::vector<QualityFlag> list() const; // in the listing order
};

} // namespace tarvel
