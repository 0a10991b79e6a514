// Any bytes as an audio file to convert: decoding never crashes or hangs, and whatever decodes
// goes through trimming, resampling, loudness and dither to a file the WAVE check accepts.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "audio/convert.h"
#include "audio/silence_trim.h"
#include "audio/unit_wave.h"
#include "core/wave_header.h"

// libvorbis (under libsndfile) leaks its info block on some damaged Ogg streams; that is not
// ours to mend, and it would stop every run at its first such input.
extern "C" const char* __lsan_default_suppressions() { return "leak:libvorbis.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mmx::audio::Decoded decoded = mmx::audio::decodeBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!decoded.ok) {
        if (decoded.error.empty()) std::abort();
        return 0;
    }
    mmx::audio::MonoSignal& signal = decoded.signal;
    if (signal.rate == 0 || signal.samples.empty()) std::abort();
    for (const float sample : signal.samples) {
        if (!std::isfinite(sample)) std::abort();
    }
    // The rest of the way only for short signals, so that each run stays quick.
    if (signal.samples.size() > 20000) return 0;
    mmx::audio::trimSilence(signal);
    if (signal.samples.empty()) return 0;
    const mmx::audio::ConvertedMessage message = mmx::audio::convertSignal(signal, 8000, -16.0);
    if (message.waveBytes.size() != mmx::audio::unitWaveFileLength(message.frames)) std::abort();
    static const std::string path = "/tmp/fuzz_audio_input." + std::to_string(::getpid()) + ".wav";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(message.waveBytes.data(), 1, message.waveBytes.size(), file);
    std::fclose(file);
    if (!mmx::ReadWaveHeader(path).accepted) std::abort();
    return 0;
}
