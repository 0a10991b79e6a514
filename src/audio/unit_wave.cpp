#include "audio/unit_wave.h"

#include <algorithm>
#include <cmath>

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
    // Triangular dither of +-1 LSB: the difference of two independent uniform values of 0..1 LSB.
    // It makes the rounding error independent of the signal, so no distortion products remain.
    // xorshift64* gives both values from one draw; its quality is ample for dither and it is
    // many times faster than the standard engines.
    uint64_t state = 0x9E3779B97F4A7C15ull ^ seed;
    std::vector<int16_t> out;
    out.reserve(samples.size());
    for (const float sample : samples) {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        const uint64_t draw = state * 0x2545F4914F6CDD1Dull;
        const auto first = static_cast<double>(draw >> 32), second = static_cast<double>(draw & 0xFFFFFFFFu);
        const double dither = (first - second) * (1.0 / 4294967296.0);
        const double scaled = static_cast<double>(sample) * 32768.0 + dither;
        out.push_back(static_cast<int16_t>(std::clamp(std::nearbyint(scaled), -32768.0, 32767.0)));
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
    out.resize(kUnitWaveHeaderBytes + dataBytes);
    char* data = out.data() + kUnitWaveHeaderBytes;
    for (const int16_t sample : samples) {
        const auto value = static_cast<uint16_t>(sample);
        *data++ = static_cast<char>(value & 0xFF);
        *data++ = static_cast<char>(value >> 8);
    }
    return out;
}

}  // namespace mmx::audio
