#pragma once
// Generated test sounds written with libsndfile in any of its formats, and tone measurement.
#include <cstdint>
#include <string>
#include <vector>

namespace mmx::test {

struct Tone {
    double hertz;
    double amplitude;  // of full scale
};

// A sum of sine tones, the same on every channel. format is a libsndfile SF_FORMAT_* value.
void writeSoundFile(const std::string& path, int format, uint32_t rate, int channels, double seconds,
                    const std::vector<Tone>& tones);

// Amplitude (of full scale) of the component at hertz, by the Goertzel algorithm over
// samples[begin, begin + count); count should span whole cycles of the tone.
double toneAmplitude(const std::vector<float>& samples, uint32_t rate, double hertz, size_t begin, size_t count);

double decibels(double amplitude);

}  // namespace mmx::test
