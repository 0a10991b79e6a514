#pragma once
// From any audio files to unit-ready WAVE files: decode, mix to mono, optionally trim silence,
// choose one rate for the set, resample, optionally normalise loudness, dither to 16 bit.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "audio/decode.h"
#include "audio/loudness.h"

namespace mmx::audio {

struct ConvertOptions {
    std::optional<uint32_t> rate;        // none: the highest rate at which the whole set fits
    std::optional<double> loudnessLufs;  // none: levels are kept
    bool trim = false;
    int64_t reservedBytes = 0;           // unit memory already taken by messages not converted here
    unsigned threads = 0;                // 0: one per core
};

struct ConvertedMessage {
    uint32_t rate = 0;
    uint64_t frames = 0;
    std::string waveBytes;  // the whole file
    LoudnessChange loudness;

    double seconds() const { return rate == 0 ? 0.0 : static_cast<double>(frames) / rate; }
};

// One prepared (decoded, trimmed) signal to the unit's format at rate.
ConvertedMessage convertSignal(const MonoSignal& source, uint32_t rate, std::optional<double> loudnessLufs);

struct ConvertedFile {
    std::string input;
    bool ok = false;
    std::string error;         // why the input could not be used
    double sourceSeconds = 0;  // after trimming
    ConvertedMessage message;  // empty unless ok and the set fits
};

struct BatchResult {
    std::vector<ConvertedFile> files;  // in input order
    std::optional<uint32_t> rate;      // none when the set does not fit even at 8000 Hz (nothing converted)
    double secondsTooLong = 0;
    int64_t storedBytes = 0;           // unit memory the converted messages take, reserved bytes not counted
    bool fits = true;                  // they fit into the unit together with the reserved bytes
};

// Progress over both passes (reading, then converting): done of total steps. Called from the
// worker threads, one call at a time.
using ProgressFunction = std::function<void(size_t done, size_t total)>;

BatchResult convertFiles(const std::vector<std::string>& inputs, const ConvertOptions& options,
                         const ProgressFunction& progress = {});

}  // namespace mmx::audio
