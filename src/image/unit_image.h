#pragma once
// What the unit must hold after an upload, as a value: each used slot's message as stored
// (file bytes, word checksum, 0xFF padding, whole blocks) at its word address, and both
// tables. Built from bytes already read, so nothing changes between building and sending; the
// upload, the counterpart and the command-line tool all read it through this one codec.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "image/digest.h"
#include "image/memory_map.h"
#include "image/unit_tables.h"

namespace mmx::image {

// One slot's message file, read whole.
struct MessageFile {
    std::string name;            // shown name, for messages to the operator
    std::vector<uint8_t> bytes;  // the whole file, header included
};

struct ImageInput {
    std::array<std::optional<MessageFile>, kSlots> messages;  // [0] is slot 1
    TriggerPlan triggers;
};

struct StoredMessage {
    int slot = 0;                // 1..12
    std::string name;
    uint32_t address = 0;        // first word
    uint64_t fileLength = 0;
    std::vector<uint8_t> bytes;  // whole blocks, as the unit stores them

    Digest digest() const { return sha256(bytes); }

    uint32_t blockCount() const { return static_cast<uint32_t>(bytes.size() / kBlockBytes); }
    uint32_t wordCount() const { return static_cast<uint32_t>(bytes.size() / 2); }
};

// One data frame's worth of the image.
struct Block {
    uint32_t address = 0;
    std::span<const uint8_t> payload;
};

class UnitImage {
public:
    // Places the messages one after another from word 0 in slot order.
    static UnitImage build(ImageInput input);  // pass an rvalue to spare copying the files
    // Reads the image back out of a whole memory (kUnitWords words): the tables, and each
    // message the message table names. Messages whose range is impossible are left out.
    static UnitImage fromMemory(std::span<const uint16_t> words);

    const std::vector<StoredMessage>& messages() const { return messages_; }
    const MessageDirectory& directory() const { return directory_; }
    const TriggerPlan& triggers() const { return triggers_; }
    const TableBytes& messageTable() const { return messageTable_; }
    const TableBytes& triggerTable() const { return triggerTable_; }

    // Bytes of message data (whole blocks) and whether it ends below the tables.
    uint64_t storedBytes() const { return static_cast<uint64_t>(directory_.endAddress) * 2; }
    bool fitsMemory() const { return directory_.endAddress <= static_cast<int32_t>(kMessageTableAddress); }
    uint64_t blockCount() const { return storedBytes() / kBlockBytes; }

    // One digest for everything but the trigger table: every message's digest and the
    // message table. Equal digests mean the unit needs no message rewritten.
    Digest messagesDigest() const;

    // The whole memory, erased words 0xFFFF: as pieces of bytes high byte first, in address
    // order (they point into this image, for writing it out without a copy), as words, and as
    // bytes.
    std::vector<std::span<const uint8_t>> memoryPieces() const;
    std::vector<uint16_t> memoryWords() const;
    std::vector<uint8_t> memoryBytes() const;

private:
    std::vector<StoredMessage> messages_;
    MessageDirectory directory_;
    TriggerPlan triggers_;
    TableBytes messageTable_{};
    TableBytes triggerTable_{};
};

}  // namespace mmx::image
