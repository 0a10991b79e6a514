#include "audio/loudness.h"

#include <ebur128.h>

#include <cmath>
#include <memory>

namespace mmx::audio {
namespace {

struct StateCloser {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};

// Room left under the ceiling for the dither and the rounding to 16 bits.
constexpr double kPeakMarginDb = 0.1;

}  // namespace

std::optional<LoudnessMeasure> measureLoudness(const std::vector<float>& samples, uint32_t rate) {
    std::unique_ptr<ebur128_state, StateCloser> state(ebur128_init(1, rate, EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK));
    if (!state) return std::nullopt;
    if (ebur128_add_frames_float(state.get(), samples.data(), samples.size()) != EBUR128_SUCCESS) return std::nullopt;
    LoudnessMeasure measure;
    double peak = 0;
    if (ebur128_loudness_global(state.get(), &measure.integratedLufs) != EBUR128_SUCCESS) return std::nullopt;
    if (ebur128_true_peak(state.get(), 0, &peak) != EBUR128_SUCCESS) return std::nullopt;
    measure.truePeakDb = 20.0 * std::log10(peak);  // -inf for silence
    return measure;
}

LoudnessChange normaliseLoudness(std::vector<float>& samples, uint32_t rate, double targetLufs) {
    LoudnessChange change;
    const auto measure = measureLoudness(samples, rate);
    if (!measure || !std::isfinite(measure->integratedLufs) || !std::isfinite(measure->truePeakDb)) return change;
    change.measured = true;
    change.beforeLufs = measure->integratedLufs;
    change.gainDb = targetLufs - measure->integratedLufs;
    const double peakRoom = kTruePeakCeilingDb - kPeakMarginDb - measure->truePeakDb;
    if (change.gainDb > peakRoom) {
        change.gainDb = peakRoom;
        change.peakLimited = true;
    }
    change.afterLufs = measure->integratedLufs + change.gainDb;
    const auto factor = static_cast<float>(std::pow(10.0, change.gainDb / 20.0));
    for (float& sample : samples) sample *= factor;
    return change;
}

}  // namespace mmx::audio
