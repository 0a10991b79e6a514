#pragma once
// The checks every message file must pass: a "WAVE" form, mono, 16 bits per sample,
// 8 to 24 kHz, and a findable "data" chunk. Only the header and the search for "data"
// are read, never the whole file.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/unit_facts.h"

namespace mmx {

struct WaveInfo {
    uint32_t dataLength = 0;  // from the "data" chunk
    uint32_t sampleRate = 0;  // Hz
    uint64_t fileLength = 0;  // whole file, header included

    bool operator==(const WaveInfo&) const = default;
};

struct WaveCheck {
    bool accepted = false;
    // Message-box text to show on a rejection; empty for a silent rejection
    // (no "data" chunk, unreadable or missing file, a directory).
    std::optional<int> messageBoxIndex;
    WaveInfo info;
    // The header fields as read (0 where the file is too short to hold them), so that a
    // refusal can name the value that failed.
    uint16_t channels = 0;
    uint32_t headerSampleRate = 0;
    uint16_t bitsPerSample = 0;
};

inline constexpr uint32_t kMinSampleRate = unit::kMinSampleRate;
inline constexpr uint32_t kMaxSampleRate = unit::kMaxSampleRate;

WaveCheck ReadWaveHeader(const std::string& path);
// The same checks on a file already read whole (the upload checks exactly the bytes it sends).
WaveCheck CheckWaveBytes(std::span<const uint8_t> bytes);

// The play time in hundredths of a second, rounded exactly (halves up): a time of 0.125 s is
// 13 however the division would come out in floating point.
int64_t playHundredths(const WaveInfo& info);
// That time as the table shows it ("####0.00").
std::string playTimeText(const WaveInfo& info);

}  // namespace mmx
