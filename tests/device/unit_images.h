#pragma once
// What the upload stores on the unit, for the device tests: messages with their word checksum,
// the two tables, and data frames sent through the protocol.
#include <cstdint>
#include <vector>

#include "device/command_protocol.h"
#include "device/emulator_port.h"
#include "device/unit_session.h"
#include "device/frames.h"
#include "support/expected_image.h"
#include "support/recording_display.h"

namespace mmx::test {

inline std::vector<uint8_t> bytesOfWords(const std::vector<uint16_t>& words) {
    std::vector<uint8_t> bytes;
    for (uint16_t w : words) bytes.insert(bytes.end(), {static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(w & 0xFF)});
    return bytes;
}

// A message as stored: its words, the checksum word, padding up to whole 350-byte blocks.
inline std::vector<uint8_t> storedMessage(const std::vector<uint8_t>& bytes) { return bytesOfWords(expectedMessageWords(bytes)); }

// A 64-word table: the given bytes, zeros, and the closing word.
inline std::vector<uint8_t> table(std::vector<uint8_t> bytes) {
    bytes.resize(126, 0);
    std::array<uint16_t, 64> words{};
    for (size_t i = 0; i < 63; ++i) words[i] = static_cast<uint16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
    return tableBytes(closeTable(words));
}

// A message table for the given word addresses (-1: none).
inline std::vector<uint8_t> messageTableFor(const std::vector<int32_t>& addresses, int32_t end, uint8_t count) {
    std::array<int32_t, 12> address;
    address.fill(-1);
    std::copy(addresses.begin(), addresses.end(), address.begin());
    return tableBytes(messageTableWords(address, end, count));
}

// One data frame through the protocol; returns the answer's result code.
inline uint8_t sendDataFrame(CommandProtocol& protocol, uint32_t address, const std::vector<uint8_t>& payload) {
    protocol.sendFrame(frames::dataFrame(address, payload));
    return protocol.readAnswer('W');
}

inline uint8_t sendClosingFrame(CommandProtocol& protocol) {
    protocol.sendFrame(frames::closingFrame());
    return protocol.readAnswer('W');
}

// Sends bytes in 350-byte frames from `address`; returns the address after them, or 0xFFFFFFFF
// when a frame was not acknowledged.
inline uint32_t sendBlocks(CommandProtocol& protocol, uint32_t address, const std::vector<uint8_t>& bytes) {
    for (size_t at = 0; at < bytes.size(); at += 350) {
        std::vector<uint8_t> block(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + 350));
        if (sendDataFrame(protocol, address, block) != ResultCode::Ack) return 0xFFFFFFFF;
        address += 175;
    }
    return address;
}

inline bool sendCommand(CommandProtocol& protocol, uint8_t letter) {
    return protocol.exchange(letter) == ResultCode::Ack;
}

// The upload by hand: P, both erases, each stored message in its own W series from word 0, then
// the message table, the trigger table (its first bytes given) and L. Returns the message table
// sent; nothing when a step was not acknowledged.
inline std::vector<uint8_t> uploadByHand(CommandProtocol& p, const std::vector<std::vector<uint8_t>>& messages,
                                         const std::vector<uint8_t>& triggers) {
    if (!sendCommand(p, 'P')) return {};
    UnitSession session(p);
    for (uint32_t half : {0x3FFFFFu, 0x1FFFFFu}) {
        if (!session.erase(half).acknowledged()) return {};
    }
    std::vector<int32_t> at;
    uint32_t address = 0;
    for (const auto& message : messages) {
        at.push_back(static_cast<int32_t>(address));
        if (!sendCommand(p, 'W') || (address = sendBlocks(p, address, message)) == 0xFFFFFFFF || sendClosingFrame(p) != 6) return {};
    }
    const auto messageTable = messageTableFor(at, static_cast<int32_t>(address), static_cast<uint8_t>(messages.size()));
    const bool sent = sendCommand(p, 'W') && sendDataFrame(p, 0x3FF000, messageTable) == 6 &&
                      sendDataFrame(p, 0x3FF100, table(triggers)) == 6 && sendClosingFrame(p) == 6 && sendCommand(p, 'L');
    return sent ? messageTable : std::vector<uint8_t>{};
}

// The protocol talking to the in-process unit on a fake clock; the port keeps every write.
struct EmulatedLink {
    explicit EmulatedLink(UnitOptions options = {}) : unit(options), port(unit, clock), protocol(clock, shown) {
        std::string error;
        port.open(error);
        port.recordWrites(true);
        protocol.attach(&port);
    }
    bool command(uint8_t letter) {
        lastCode = protocol.exchange(letter);
        return lastCode == ResultCode::Ack;
    }
    uint8_t dataFrame(uint32_t address, const std::vector<uint8_t>& payload) { return sendDataFrame(protocol, address, payload); }
    uint8_t closingFrame() { return sendClosingFrame(protocol); }

    FakeClock clock;
    RecordingLink shown;
    RecordingDisplay& display = shown.display;
    UnitEmulator unit;
    EmulatorPort port;
    CommandProtocol protocol;
    UnitSession session{protocol};
    uint8_t lastCode = 0;  // result code of the last command()
};

}  // namespace mmx::test
