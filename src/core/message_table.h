#pragma once
// The 12 message slots with their shown texts, stored lengths and running totals.
// Slots fill from 1 upward without gaps; an empty shown name means an empty slot.
#include <array>
#include <cstdint>
#include <string>

#include "core/unit_facts.h"

namespace mmx {

inline constexpr int kSlotCount = unit::kSlots;
inline constexpr int32_t kUploadBlockBytes = unit::kBlockBytes;
inline constexpr int32_t kMemoryCapacityBytes = unit::kCapacityBytes;

// Bytes a message of fileLength bytes occupies on the unit: the file, one checksum word
// (after a padding byte when the length is odd), rounded up to whole 350-byte blocks.
int32_t storedLength(uint64_t fileLength);

struct MessageSlot {
    std::string FilePath;    // full path of the WAVE file
    std::string WaveFile;    // shown name: file name before its first "."
    std::string MsgTime;     // "####0.00" seconds, empty when the slot is empty
    std::string MsgSize;     // whole KB of 1000 bytes
    std::string MsgSample;   // "#0.000" kHz
    int32_t TMsgSize = 0;    // stored length in bytes
    bool MsgBtEnabled = false;
    bool BrowseEnabled = false;

    bool filled() const { return !WaveFile.empty(); }
};

class MessageTable {
public:
    MessageTable();

    // k is 1..12.
    MessageSlot& slot(int k) { return slots_.at(static_cast<size_t>(k - 1)); }
    const MessageSlot& slot(int k) const { return slots_.at(static_cast<size_t>(k - 1)); }

    int32_t TFileLength = 0;
    std::string TotalTime = "0.00";
    std::string TotalSize = "0";

    // Recompute TFileLength and the two total texts from the slots: a slot counts when its
    // size text has a number value other than 0.
    void recomputeTotals();
    // Number of filled slots from slot 1 up to the first empty one.
    int filledCount() const;
    // Back to the state of a freshly opened window: all empty, only Browse 1 enabled.
    void clear();

private:
    std::array<MessageSlot, kSlotCount> slots_;
};

}  // namespace mmx
