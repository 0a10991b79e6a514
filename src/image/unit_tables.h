#pragma once
// The two 128-byte tables the unit keeps beside the messages: where each message starts
// (message table, word 0x3FF000) and what each trigger plays into which zones (trigger table,
// word 0x3FF100). Both are encoded and decoded here and nowhere else.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "image/memory_map.h"

namespace mmx::image {

using TableBytes = std::array<uint8_t, kTableBytes>;

struct MessageDirectory {
    std::array<int32_t, kSlots> address{};  // start word per slot; -1: no message
    int32_t endAddress = 0;                 // word just past the last message
    uint8_t count = 0;                      // messages on the unit, 0..12
    bool operator==(const MessageDirectory&) const = default;
};

struct TriggerPlan {
    std::array<std::array<uint8_t, 4>, kSlots> sequence{};  // message number per position, 0: none
    std::array<uint8_t, kSlots> zones{};                    // bit z-1 set: zone z plays
    bool operator==(const TriggerPlan&) const = default;
};

TableBytes encodeMessageTable(const MessageDirectory& directory);
TableBytes encodeTriggerTable(const TriggerPlan& plan);

struct DecodedMessageTable {
    MessageDirectory directory;             // count limited to 12
    uint8_t countByte = 0;                  // the count as stored
    std::array<int32_t, kSlots> lengths{};  // bytes per slot, assuming slots 1..count without gaps
    bool erased = false;                    // all 64 words 0xFFFF
    bool sealed = false;                    // the checksum word is right
    // Only a sealed table that is not erased says anything about the unit.
    bool trustworthy() const { return sealed && !erased; }
};
struct DecodedTriggerTable {
    TriggerPlan plan;
    bool erased = false;
    bool sealed = false;
};

DecodedMessageTable decodeMessageTable(std::span<const uint8_t> table);
DecodedTriggerTable decodeTriggerTable(std::span<const uint8_t> table);

// The words slot i (0..11) occupies: from its address up to the next message's address (or
// the end address); nothing when the slot has no message or the range is impossible.
struct WordRange {
    uint32_t first = 0;
    uint32_t end = 0;  // one past the last word
};
std::optional<WordRange> messageWords(const MessageDirectory& directory, size_t slot);


// Readable renderings (used by the counterpart's dump and the command-line tool).
std::string messageTableText(const DecodedMessageTable& table);
std::string triggerTableText(const DecodedTriggerTable& table);

}  // namespace mmx::image
