#pragma once
// Cutting the silence before and after a recording, which would otherwise cost unit memory.
#include "audio/decode.h"

namespace mmx::audio {

inline constexpr double kSilenceThresholdDb = -50.0;  // dBFS
inline constexpr double kTrimMarginSeconds = 0.010;    // kept on each side so no onset is clipped

// Removes leading and trailing samples quieter than the threshold (keeping a short margin).
// A signal that is silent throughout becomes empty.
void trimSilence(MonoSignal& signal, double thresholdDb = kSilenceThresholdDb);

}  // namespace mmx::audio
