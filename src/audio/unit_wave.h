#pragma once
// The WAVE file the unit plays: RIFF, a 16-byte "fmt " chunk (PCM, mono, 16 bit), "data".
#include <cstdint>
#include <string>
#include <vector>

namespace mmx::audio {

inline constexpr uint64_t kUnitWaveHeaderBytes = 44;

// Bytes of a unit WAVE file of the given number of frames.
constexpr uint64_t unitWaveFileLength(uint64_t frames) { return kUnitWaveHeaderBytes + 2 * frames; }

// Full-scale float samples to 16 bit with TPDF dither; values beyond full scale are clipped.
// The same seed gives the same bytes.
std::vector<int16_t> ditherTo16Bit(const std::vector<float>& samples, uint32_t seed);

std::string unitWaveBytes(const std::vector<int16_t>& samples, uint32_t rate);

}  // namespace mmx::audio
