#pragma once
// Reading any audio file libsndfile knows (WAVE in all its PCM and float forms, FLAC, Ogg
// Vorbis, Opus, MP3, ...) as one mono signal: the channels are averaged.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mmx::audio {

struct MonoSignal {
    std::vector<float> samples;
    uint32_t rate = 0;  // Hz

    double seconds() const { return rate == 0 ? 0.0 : static_cast<double>(samples.size()) / rate; }
};

struct Decoded {
    bool ok = false;
    MonoSignal signal;
    std::string error;  // why the file cannot be read, when !ok
};

// The longest input taken: far more than the unit can hold at any rate, and it keeps a
// mislabelled or hostile file from filling the memory.
inline constexpr double kMaxInputSeconds = 3600.0;

// Only regular files are read; a FIFO or device is refused without blocking on it.
Decoded decodeFile(const std::string& path);
// The same from bytes in memory.
Decoded decodeBytes(std::string_view bytes);

}  // namespace mmx::audio
