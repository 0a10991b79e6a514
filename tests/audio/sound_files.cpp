#include "sound_files.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <numbers>

namespace mmx::test {

void writeSoundFile(const std::string& path, int format, uint32_t rate, int channels, double seconds,
                    const std::vector<Tone>& tones) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(rate);
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const auto frames = static_cast<size_t>(seconds * rate);
    std::vector<float> interleaved;
    interleaved.reserve(frames * static_cast<size_t>(channels));
    for (size_t n = 0; n < frames; ++n) {
        double value = 0;
        for (const Tone& tone : tones) value += tone.amplitude * std::sin(2 * std::numbers::pi * tone.hertz * static_cast<double>(n) / rate);
        for (int c = 0; c < channels; ++c) interleaved.push_back(static_cast<float>(value));
    }
    EXPECT_EQ(sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(frames)), static_cast<sf_count_t>(frames));
    sf_close(file);
}

double toneAmplitude(const std::vector<float>& samples, uint32_t rate, double hertz, size_t begin, size_t count) {
    const double w = 2 * std::numbers::pi * hertz / rate;
    const double coefficient = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (size_t n = begin; n < begin + count; ++n) {
        const double s0 = samples.at(n) + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return 2 * std::sqrt(std::max(0.0, power)) / static_cast<double>(count);
}

double decibels(double amplitude) { return 20 * std::log10(std::max(amplitude, 1e-12)); }

}  // namespace mmx::test
