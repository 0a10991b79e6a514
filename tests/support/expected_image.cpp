#include "support/expected_image.h"

#include <cstdio>

namespace mmx::test {

std::vector<uint16_t> expectedMessageWords(const std::vector<uint8_t>& file) {
    std::vector<uint16_t> words;
    for (size_t i = 0; i < file.size(); i += 2) {
        const uint16_t high = file[i];
        const uint16_t low = i + 1 < file.size() ? file[i + 1] : 0xFF;
        words.push_back(static_cast<uint16_t>(high << 8 | low));
    }
    uint32_t sumPlusOne = 0;
    for (uint16_t w : words) sumPlusOne += w + 1u;
    // c + 1 + sumPlusOne == 0 (mod 65536)
    words.push_back(static_cast<uint16_t>((0x10000u - (sumPlusOne & 0xFFFF) - 1u) & 0xFFFF));
    while (words.size() % 175 != 0) words.push_back(0xFFFF);
    return words;
}

std::array<uint16_t, 64> closeTable(const std::array<uint16_t, 64>& words) {
    std::array<uint16_t, 64> table = words;
    uint32_t sum = 0;
    for (size_t i = 0; i < 63; ++i) sum += table[i];
    sum &= 0xFFFF;
    if (sum == 0) {
        table[63] = 0;
    } else {
        // sum of (w + 1) over 64 words == 0  <=>  sum of words == -64 == 0xFFC0
        table[63] = static_cast<uint16_t>((0xFFC0u - sum) & 0xFFFF);
    }
    return table;
}

std::vector<uint8_t> tableBytes(const std::array<uint16_t, 64>& words) {
    std::vector<uint8_t> bytes;
    for (uint16_t w : words) {
        bytes.push_back(static_cast<uint8_t>(w >> 8));
        bytes.push_back(static_cast<uint8_t>(w & 0xFF));
    }
    return bytes;
}

std::array<uint16_t, 64> messageTableWords(const std::array<int32_t, 12>& address, int32_t end, int count) {
    std::array<uint16_t, 64> words{};
    for (size_t i = 0; i < 13; ++i) {
        const auto value = static_cast<uint32_t>(i < 12 ? address[i] : end);
        words[2 * i] = static_cast<uint16_t>(value >> 16);
        words[2 * i + 1] = static_cast<uint16_t>(value & 0xFFFF);
    }
    words[26] = static_cast<uint16_t>(count);
    return closeTable(words);
}

ExpectedUpload expectedUpload(const std::array<std::optional<std::vector<uint8_t>>, 12>& files,
                              const std::array<ExpectedTrigger, 12>& triggers) {
    ExpectedUpload expected;
    expected.image.assign(kImageWords, 0xFFFF);
    uint32_t next = 0;
    for (size_t slot = 0; slot < 12; ++slot) {
        if (!files[slot]) {
            expected.address[slot] = -1;
            continue;
        }
        expected.address[slot] = static_cast<int32_t>(next);
        for (uint16_t w : expectedMessageWords(*files[slot])) expected.image[next++] = w;
        ++expected.count;
    }
    expected.end = static_cast<int32_t>(next);

    const std::array<uint16_t, 64> msg = messageTableWords(expected.address, expected.end, expected.count);

    // Trigger table: per trigger four words 0x00nn and the zone word, then zeros.
    std::array<uint16_t, 64> trg{};
    for (size_t t = 0; t < 12; ++t) {
        for (size_t j = 0; j < 4; ++j) trg[5 * t + j] = static_cast<uint16_t>(triggers[t].sequence[j] & 0xFF);
        uint16_t mask = 0;
        for (size_t z = 0; z < 6; ++z) {
            if (triggers[t].zones[z]) mask = static_cast<uint16_t>(mask | (1u << z));
        }
        trg[5 * t + 4] = mask;
    }
    trg = closeTable(trg);

    for (size_t i = 0; i < 64; ++i) {
        expected.image[kMsgTableWord + i] = msg[i];
        expected.image[kTrgTableWord + i] = trg[i];
    }
    expected.messageTable = tableBytes(msg);
    expected.triggerTable = tableBytes(trg);
    return expected;
}

std::string firstDifference(const std::vector<uint16_t>& actual, const std::vector<uint16_t>& expected) {
    if (actual.size() != expected.size()) {
        return "sizes differ: " + std::to_string(actual.size()) + " and " + std::to_string(expected.size());
    }
    for (size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i]) {
            char text[96];
            std::snprintf(text, sizeof text, "word 0x%06zX: unit 0x%04X, expected 0x%04X", i, actual[i], expected[i]);
            return text;
        }
    }
    return "";
}

}  // namespace mmx::test
