// Quality flags of a point's result: machine-readable notes that a result may
// not be trusted as it stands. They are reported, never acted on.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvel {

enum class FlagSeverity { Info, Warning, Error };

// In the order they are listed everywhere.
enum class QualityFlag {
    NoImpact,          // automatic marking found no start; the stored marks were used
    NoReturn,          // the impact never fell back to the baseline; the end is the stored one
    ContactTime,       // Tc not finite or outside 1..40 ms
    InvalidParameters, // a header value makes the formulas meaningless; no results
    LateTrigger,       // the record starts inside the contact, or just before it
    Clipped,           // the converter's limit was reached during the contact
    ModelMismatch,     // the wave does not follow a Hertz impact (or could not be fitted)
    FitDisagrees,      // a marked modulus lies outside the fit's interval
    NoisyBaseline,     // the record's noise is high for the impact's height
    NoiseSkipped,      // marking passed over pulses of noise before the impact
    SecondImpact,      // a pulse at least half the impact's height after its end
    Interference,      // an offset, drift or hum above a count was removed
    Manual,            // the marks were set by hand
};
inline constexpr int kQualityFlagCount = 13;

struct QualityFlagLabel {
    const char* key; // as in the command line's output
    const char* chinese;
    const char* english;
    FlagSeverity severity;
};

const QualityFlagLabel& labelOf(QualityFlag flag);

// Flags of a whole area.
enum class AreaFlag {
    CalibrationSuspect, // the measured peaks lie far from Hertz theory's
};
const QualityFlagLabel& labelOf(AreaFlag flag);
const char* chineseSeverityText(FlagSeverity severity); // "错误", "警告", "提示"
const char* englishSeverityText(FlagSeverity severity); // "error", "warning", "info"

struct QualityFlags {
    uint32_t bits = 0;
    int noisePulsesSkipped = 0; // with NoiseSkipped
    // With InvalidParameters: the key of the header field at fault.
    const char* invalidParameter = nullptr;
    // With Clipped: so much of the contact was clipped that not even the
    // fit could read it, which makes the flag an error.
    bool clippedBeyondFit = false;

    bool has(QualityFlag flag) const { return bits & (1u << static_cast<int>(flag)); }
    void set(QualityFlag flag) { bits |= 1u << static_cast<int>(flag); }
    bool any() const { return bits != 0; }
    // The flag's severity on this point: its label's, but for a clip too deep
    // to fit.
    FlagSeverity severityOf(QualityFlag flag) const;
    // The gravest severity among the flags; false without flags.
    bool level(FlagSeverity& gravest) const;
    bool hasError() const;
    std::vector<QualityFlag> list() const; // in the listing order
};

} // namespace tarvel
