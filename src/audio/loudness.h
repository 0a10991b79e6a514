#pragma once
// Loudness normalisation to an EBU R128 integrated loudness, measured with libebur128, with the
// true peak kept below -1 dBTP.
#include <cstdint>
#include <optional>
#include <vector>

namespace mmx::audio {

inline constexpr double kTruePeakCeilingDb = -1.0;

struct LoudnessMeasure {
    double integratedLufs = 0;  // -inf for silence or a signal too short to measure
    double truePeakDb = 0;      // dBTP
};

std::optional<LoudnessMeasure> measureLoudness(const std::vector<float>& samples, uint32_t rate);

struct LoudnessChange {
    double gainDb = 0;
    double beforeLufs = 0;
    double afterLufs = 0;       // what the gain gives (the target unless the peak limit held it back)
    bool peakLimited = false;   // the gain was lowered to keep the true peak below the ceiling
    bool measured = false;      // false: silence or too short, nothing changed
};

// Scales samples towards targetLufs.
LoudnessChange normaliseLoudness(std::vector<float>& samples, uint32_t rate, double targetLufs);

}  // namespace mmx::audio
