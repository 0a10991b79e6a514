#pragma once
// Where things sit in the unit's memory. The unit addresses 16-bit words; every address here
// is a word address.
#include <cstddef>
#include <cstdint>

#include "core/unit_facts.h"

namespace mmx::image {

inline constexpr uint32_t kUnitWords = unit::kMemoryWords;
inline constexpr uint32_t kMessageTableAddress = unit::kMessageTableAddress;
inline constexpr uint32_t kTriggerTableAddress = unit::kTriggerTableAddress;
inline constexpr size_t kTableBytes = unit::kTableBytes;
inline constexpr uint32_t kTableWords = unit::kTableWords;
inline constexpr size_t kBlockBytes = unit::kBlockBytes;
inline constexpr uint32_t kBlockWords = unit::kBlockWords;
inline constexpr uint16_t kErasedWord = unit::kErasedWord;
inline constexpr int kSlots = unit::kSlots;

}  // namespace mmx::image
