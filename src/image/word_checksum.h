#pragma once
// The word checksum that closes every message and table: over all 16-bit words (high byte
// first) including the checksum word, the sum of (word + 1) is 0 modulo 65536.
#include <cstdint>
#include <span>
#include <vector>

namespace mmx::image {

// A message as the unit stores it: the file bytes (a last odd byte paired with 0xFF), the
// checksum word, then 0xFF up to the end of the block that holds the checksum.
// The file is taken over and extended in place (callers that keep theirs pass a copy).
std::vector<uint8_t> storedMessage(std::vector<uint8_t> file);

// The last word of a 128-byte table: 0 when the other 63 words sum to 0, otherwise the word
// that makes all 64 words sum to 0xFFC0.
uint16_t tableChecksum(std::span<const uint8_t> table);
// Writes tableChecksum() into the last two bytes.
void sealTable(std::span<uint8_t> table);
bool tableSealed(std::span<const uint8_t> table);

// True when a message's words as the unit holds them (padding included: 0xFFFF adds nothing)
// sum (word + 1) to 0.
bool messageChecksumOk(std::span<const uint16_t> words);

}  // namespace mmx::image
