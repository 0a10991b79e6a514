#include "image/word_checksum.h"

#include "image/memory_map.h"

namespace mmx::image {

std::vector<uint8_t> storedMessage(std::vector<uint8_t> stored) {
    // Room for the whole blocks at once (a file read for the image already has it).
    const size_t contentBytes = stored.size() + stored.size() % 2 + 2;
    const size_t storedBytes = (contentBytes + kBlockBytes - 1) / kBlockBytes * kBlockBytes;
    stored.reserve(storedBytes);
    if (stored.size() % 2 != 0) stored.push_back(0xFF);
    // The sum of (word + 1) over all words, modulo 2^16. Summing the high and the low bytes
    // apart keeps the loop free of a 16-bit carry chain (this runs on 8 MB).
    uint64_t high = 0;
    uint64_t low = 0;
    for (auto word = stored.cbegin(); word != stored.cend(); word += 2) {
        high += word[0];
        low += word[1];
    }
    const auto sum = static_cast<uint16_t>(high * 256 + low + stored.size() / 2);
    const uint16_t checksum = static_cast<uint16_t>(0xFFFF - sum);
    stored.push_back(static_cast<uint8_t>(checksum >> 8));
    stored.push_back(static_cast<uint8_t>(checksum & 0xFF));
    stored.resize(storedBytes, 0xFF);
    return stored;
}

uint16_t tableChecksum(std::span<const uint8_t> table) {
    uint32_t sum = 0;
    for (size_t i = 0; i + 2 < kTableBytes; i += 2) sum += static_cast<uint32_t>(table[i] << 8 | table[i + 1]);
    sum &= 0xFFFF;
    if (sum == 0) return 0;
    return static_cast<uint16_t>((0x10000u - sum - kTableWords) & 0xFFFF);
}

void sealTable(std::span<uint8_t> table) {
    const uint16_t word = tableChecksum(table);
    table[kTableBytes - 2] = static_cast<uint8_t>(word >> 8);
    table[kTableBytes - 1] = static_cast<uint8_t>(word & 0xFF);
}

bool tableSealed(std::span<const uint8_t> table) {
    return table.size() >= kTableBytes &&
           tableChecksum(table) == static_cast<uint16_t>(table[kTableBytes - 2] << 8 | table[kTableBytes - 1]);
}

bool messageChecksumOk(std::span<const uint16_t> words) {
    uint16_t sum = 0;
    for (uint16_t word : words) sum = static_cast<uint16_t>(sum + word + 1);
    return !words.empty() && sum == 0;
}

}  // namespace mmx::image
