#pragma once
// What the MMX4210 unit is, in numbers: its memory, where the tables sit, what it plays and
// how patiently the tool waits for it. Every other place takes these from here, so a rule
// about the unit is written once.
#include <cstdint>
#include <limits>

namespace mmx::unit {

// The set-up.
inline constexpr int kSlots = 12;
inline constexpr int kTriggers = 12;
inline constexpr int kEntriesPerTrigger = 4;
inline constexpr int kZonesPerTrigger = 6;

// What a message file must be: 16-bit mono at one of these rates (Hz).
inline constexpr uint32_t kMinSampleRate = 8000;
inline constexpr uint32_t kMaxSampleRate = 24000;

// Memory. The unit addresses 16-bit words; addresses below are word addresses.
inline constexpr uint32_t kMemoryWords = 0x400000;          // 8 MiB
inline constexpr uint32_t kMessageTableAddress = 0x3FF000;  // message data ends below this
inline constexpr uint32_t kTriggerTableAddress = 0x3FF100;
inline constexpr uint32_t kTableBytes = 128;
inline constexpr uint32_t kTableWords = kTableBytes / 2;
inline constexpr uint16_t kErasedWord = 0xFFFF;

// One data frame carries one block; every message is stored as whole blocks.
inline constexpr uint32_t kBlockBytes = 350;
inline constexpr uint32_t kBlockWords = kBlockBytes / 2;

// The messages together may take at most this many bytes of stored length. It lies below the
// message table (0x3FF000 words = 8,380,416 bytes), so a set-up the tool accepts always fits.
inline constexpr int64_t kCapacityBytes = 8'380'000;
static_assert(kCapacityBytes <= int64_t{kMessageTableAddress} * 2);

// Bytes a message of fileLength bytes occupies on the unit: the file, one checksum word (after
// a padding byte when the length is odd), rounded up to whole blocks. A length that leaves 349
// bytes in its last block therefore needs one block more than plain rounding up would give.
inline constexpr int64_t storedLength(uint64_t fileLength) {
    const uint64_t content = fileLength + (fileLength % 2) + 2;
    const uint64_t bytes = (content + kBlockBytes - 1) / kBlockBytes * kBlockBytes;
    return bytes > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()) ? std::numeric_limits<int32_t>::max()
                                                                              : static_cast<int64_t>(bytes);
}

// Waiting for the unit (milliseconds).
inline constexpr int kDefaultByteTimeOutMs = 5000;  // CommTimeOut: silence allowed per byte
inline constexpr int kMinByteTimeOutMs = 0;
inline constexpr int kMaxByteTimeOutMs = 60000;
inline constexpr int kWaitTickMs = 100;            // the per-byte time-out counts in these ticks
inline constexpr int kAnswerTimeOuts = 4;          // one answer may take this many byte time-outs
inline constexpr int kMinAnswerMs = 2000;
inline constexpr int64_t kEraseTimeOutMs = 10 * 60 * 1000;
inline constexpr int kClosingGraceMs = 1000;       // the closing frame after a failure
inline constexpr int kFrameTries = 5;              // a data frame is sent at most this often

}  // namespace mmx::unit
