#pragma once
// Where things sit in the unit's memory. The unit addresses 16-bit words; every address here
// is a word address.
#include <cstddef>
#include <cstdint>

namespace mmx::image {

inline constexpr uint32_t kUnitWords = 0x400000;           // 8 MiB of memory
inline constexpr uint32_t kMessageTableAddress = 0x3FF000;  // message data ends below this
inline constexpr uint32_t kTriggerTableAddress = 0x3FF100;
inline constexpr size_t kTableBytes = 128;
inline constexpr uint32_t kTableWords = 64;
inline constexpr size_t kBlockBytes = 350;                  // one data frame's payload
inline constexpr uint32_t kBlockWords = 175;
inline constexpr uint16_t kErasedWord = 0xFFFF;
inline constexpr int kSlots = 12;

}  // namespace mmx::image
