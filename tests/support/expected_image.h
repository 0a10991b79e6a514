#pragma once
// The unit's memory image as it must look after an upload, built straight from the memory map
// and the word-checksum rule, independently of the program's own block and table builders.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mmx::test {

inline constexpr uint32_t kImageWords = 0x400000;
inline constexpr uint32_t kMsgTableWord = 0x3FF000;
inline constexpr uint32_t kTrgTableWord = 0x3FF100;

struct ExpectedTrigger {
    std::array<int, 4> sequence{};  // message numbers as sent (already modulo 256)
    std::array<bool, 6> zones{};
};

// Words of one message: file bytes as big-endian words (an odd last byte paired with 0xFF), the
// closing word that makes the sum of (word + 1) zero, then 0xFFFF up to a whole 175-word block.
std::vector<uint16_t> expectedMessageWords(const std::vector<uint8_t>& file);

// The 64 words of a table from its first 63 words: the last word makes the 64 words sum to
// 0xFFC0, or is 0 when the 63 words sum to 0.
std::array<uint16_t, 64> closeTable(const std::array<uint16_t, 64>& words);

// The closed message table: twelve 32-bit word addresses (-1: none, all ones), the end address
// and the count.
std::array<uint16_t, 64> messageTableWords(const std::array<int32_t, 12>& address, int32_t end, int count);

struct ExpectedUpload {
    std::vector<uint16_t> image;       // all 0x400000 words
    std::array<int32_t, 12> address{}; // word address per slot, -1 when empty
    int32_t end = 0;
    int count = 0;
    std::vector<uint8_t> messageTable;  // 128 bytes
    std::vector<uint8_t> triggerTable;  // 128 bytes
};

// files[i] empty optional: slot i + 1 has no message.
ExpectedUpload expectedUpload(const std::array<std::optional<std::vector<uint8_t>>, 12>& files,
                              const std::array<ExpectedTrigger, 12>& triggers);

// Bytes of a table as they go on the wire (high byte first).
std::vector<uint8_t> tableBytes(const std::array<uint16_t, 64>& words);

// First differing word, as text ("word 0x000123: unit 0x1234, expected 0xFFFF"); empty when equal.
std::string firstDifference(const std::vector<uint16_t>& actual, const std::vector<uint16_t>& expected);

}  // namespace mmx::test
