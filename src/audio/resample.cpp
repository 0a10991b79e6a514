#include "audio/resample.h"

#include <soxr.h>

namespace mmx::audio {

uint64_t resampledFrames(uint64_t inFrames, uint32_t inRate, uint32_t outRate) {
    if (inRate == 0) return 0;
    // Rounded to the nearest frame, halves up.
    return (inFrames * outRate * 2 + inRate) / (2ull * inRate);
}

std::vector<float> resample(const MonoSignal& signal, uint32_t outRate) {
    const uint64_t frames = resampledFrames(signal.samples.size(), signal.rate, outRate);
    std::vector<float> out(frames, 0.0f);
    if (frames == 0) return out;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_VHQ, 0);
    const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);  // the caller runs files in parallel
    size_t produced = 0;
    const soxr_error_t error = soxr_oneshot(signal.rate, outRate, 1, signal.samples.data(), signal.samples.size(), nullptr,
                                            out.data(), out.size(), &produced, &io, &quality, &runtime);
    if (error) return {};
    // Whatever libsoxr leaves short of the computed length stays silent.
    return out;
}

}  // namespace mmx::audio
