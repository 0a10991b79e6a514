#pragma once
// Sample-rate conversion with libsoxr at its very high quality.
#include <cstdint>
#include <vector>

#include "audio/decode.h"

namespace mmx::audio {

// Frames a signal of inFrames at inRate has at outRate; the converter always gives exactly
// this many, so the size of a converted file is known before it is converted.
uint64_t resampledFrames(uint64_t inFrames, uint32_t inRate, uint32_t outRate);

// The signal at outRate; empty when libsoxr fails (it does not for valid rates).
std::vector<float> resample(const MonoSignal& signal, uint32_t outRate);

}  // namespace mmx::audio
