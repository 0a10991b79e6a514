#include "audio/unit_wave.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace mmx::audio {
namespace {

void put16(std::string& out, uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

std::vector<int16_t> ditherTo16Bit(const std::vector<float>& samples, uint32_t seed) {
    // Triangular dither of +-1 LSB: the sum of two independent uniform values of +-0.5 LSB.
    // It makes the rounding error independent of the signal, so no distortion products remain.
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(-0.5, 0.5);
    std::vector<int16_t> out;
    out.reserve(samples.size());
    for (const float sample : samples) {
        const double scaled = static_cast<double>(sample) * 32768.0 + uniform(random) + uniform(random);
        const double rounded = std::clamp(std::nearbyint(scaled), -32768.0, 32767.0);
        out.push_back(static_cast<int16_t>(rounded));
    }
    return out;
}

std::string unitWaveBytes(const std::vector<int16_t>& samples, uint32_t rate) {
    const auto dataBytes = static_cast<uint32_t>(2 * samples.size());
    std::string out;
    out.reserve(kUnitWaveHeaderBytes + dataBytes);
    out += "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);         // PCM
    put16(out, 1);         // mono
    put32(out, rate);
    put32(out, rate * 2);  // bytes per second
    put16(out, 2);         // bytes per frame
    put16(out, 16);        // bits per sample
    out += "data";
    put32(out, dataBytes);
    for (const int16_t sample : samples) put16(out, static_cast<uint16_t>(sample));
    return out;
}

}  // namespace mmx::audio
