#include "audio/sequence_render.h"

#include <algorithm>
#include <cmath>

#include "audio/decode.h"
#include "audio/resample.h"
#include "audio/unit_wave.h"
#include "core/file_refusal.h"
#include "core/wave_header.h"

namespace mmx::audio {
namespace {

RenderedSequence failure(RenderProblem problem, const std::string& path, std::string reason) {
    RenderedSequence rendered;
    rendered.problem = problem;
    rendered.path = path;
    rendered.reason = std::move(reason);
    return rendered;
}

// English words for a refusal by the unit's WAVE check.
std::string refusalReason(const WaveCheck& check) {
    switch (check.messageBoxIndex.value_or(-1)) {
        case FileRefusal::NotMono:
            return "not mono (" + std::to_string(check.channels) + " channels)";
        case FileRefusal::BadSampleRate:
            return "sample rate " + std::to_string(check.headerSampleRate) + " Hz is outside 8000 to 24000 Hz";
        case FileRefusal::Not16Bit:
            return "not 16 bits per sample (" + std::to_string(check.bitsPerSample) + ")";
        case FileRefusal::NotWave:
            return "not a WAVE file";
        default:
            return "no sound data found, or the file cannot be read";
    }
}

// Samples read from 16-bit files are exact multiples of 1/32768, so plain rounding gives the
// original values back; converted messages are rounded the same way (no dither: the render
// is a listening copy, and the same set-up renders to the same bytes).
void appendAs16Bit(const std::vector<float>& samples, std::vector<int16_t>& out) {
    out.reserve(out.size() + samples.size());
    for (const float sample : samples) {
        const double scaled = std::nearbyint(static_cast<double>(sample) * 32768.0);
        out.push_back(static_cast<int16_t>(std::clamp(scaled, -32768.0, 32767.0)));
    }
}

}  // namespace

RenderedSequence renderSequence(const std::vector<std::string>& messagePaths) {
    if (messagePaths.empty()) return failure(RenderProblem::NoMessages, {}, "the sequence names no message");
    std::vector<MonoSignal> messages;
    uint32_t rate = 0;
    for (const auto& path : messagePaths) {
        const WaveCheck check = ReadWaveHeader(path);
        if (!check.accepted) return failure(RenderProblem::NotUnitWave, path, refusalReason(check));
        Decoded decoded = decodeFile(path);
        if (!decoded.ok) return failure(RenderProblem::CannotRead, path, decoded.error);
        rate = std::max(rate, decoded.signal.rate);
        messages.push_back(std::move(decoded.signal));
    }
    std::vector<int16_t> samples;
    for (const MonoSignal& message : messages) {
        appendAs16Bit(message.rate == rate ? message.samples : resample(message, rate), samples);
    }
    RenderedSequence rendered;
    rendered.rate = rate;
    rendered.frames = samples.size();
    rendered.waveBytes = unitWaveBytes(samples, rate);
    return rendered;
}

}  // namespace mmx::audio
