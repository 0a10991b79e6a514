#pragma once
// What the upload stores on the unit, built by hand for the device tests: messages with their
// word checksum, the two tables, and data frames sent through the protocol.
#include <cstdint>
#include <vector>

#include "device/command_protocol.h"
#include "device/frames.h"

namespace mmx::test {

// A message as stored: bytes (an odd count padded with 0xFF), the word that makes the sum of
// (word + 1) zero, then 0xFF up to whole 350-byte blocks.
inline std::vector<uint8_t> storedMessage(std::vector<uint8_t> bytes) {
    if (bytes.size() % 2) bytes.push_back(0xFF);
    uint32_t sum = 0;
    for (size_t i = 0; i < bytes.size(); i += 2) sum += static_cast<uint32_t>(bytes[i] << 8 | bytes[i + 1]) + 1u;
    const uint16_t check = static_cast<uint16_t>(65535 - (sum & 0xFFFF));
    bytes.push_back(static_cast<uint8_t>(check >> 8));
    bytes.push_back(static_cast<uint8_t>(check & 0xFF));
    while (bytes.size() % 350) bytes.push_back(0xFF);
    return bytes;
}

// A 64-word table: the given bytes, zeros, and the closing word.
inline std::vector<uint8_t> table(std::vector<uint8_t> bytes) {
    bytes.resize(126, 0);
    uint32_t sum = 0;
    for (size_t i = 0; i < 126; i += 2) sum += static_cast<uint32_t>(bytes[i] << 8 | bytes[i + 1]);
    sum &= 0xFFFF;
    const uint16_t check = sum == 0 ? 0 : static_cast<uint16_t>((65536 - sum - 64) & 0xFFFF);
    bytes.push_back(static_cast<uint8_t>(check >> 8));
    bytes.push_back(static_cast<uint8_t>(check & 0xFF));
    return bytes;
}

inline std::vector<uint8_t> messageTableFor(const std::vector<int32_t>& addresses, int32_t end, uint8_t count) {
    std::vector<uint8_t> bytes;
    auto entry = [&bytes](int32_t a) {
        if (a < 0) {
            bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0xFF});
        } else {
            bytes.insert(bytes.end(), {0, static_cast<uint8_t>(a >> 16), static_cast<uint8_t>(a >> 8), static_cast<uint8_t>(a)});
        }
    };
    for (size_t i = 0; i < 12; ++i) entry(i < addresses.size() ? addresses[i] : -1);
    entry(end);
    bytes.insert(bytes.end(), {0, count});
    return table(bytes);
}

// One data frame through the protocol; returns the answer's result code.
inline uint8_t sendDataFrame(CommandProtocol& protocol, uint32_t address, const std::vector<uint8_t>& payload) {
    protocol.sendFrame(frames::dataFrame(address, payload));
    return protocol.CommandRead('W', 0x55);
}

inline uint8_t sendClosingFrame(CommandProtocol& protocol) {
    protocol.sendFrame(frames::closingFrame());
    return protocol.CommandRead('W', 0x55);
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
    protocol.DataLength = 0;
    return protocol.CommandDo(letter, CommandProtocol::kParameter);
}

}  // namespace mmx::test
