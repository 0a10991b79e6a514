#include "image/unit_tables.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "image/word_checksum.h"

namespace mmx::image {

namespace {

// Entries are 32-bit big-endian; a negative value is stored as four 0xFF bytes.
void putEntry(TableBytes& table, size_t offset, int32_t address) {
    if (address < 0) {
        std::fill_n(table.begin() + static_cast<std::ptrdiff_t>(offset), 4, uint8_t{0xFF});
        return;
    }
    const auto value = static_cast<uint32_t>(address);
    table[offset] = 0x00;
    table[offset + 1] = static_cast<uint8_t>(value >> 16);
    table[offset + 2] = static_cast<uint8_t>(value >> 8);
    table[offset + 3] = static_cast<uint8_t>(value);
}

int32_t entryAt(std::span<const uint8_t> table, size_t offset) {
    if (table[offset] >= 0x80) return -1;
    return static_cast<int32_t>(static_cast<uint32_t>(table[offset]) << 24 | static_cast<uint32_t>(table[offset + 1]) << 16 |
                                static_cast<uint32_t>(table[offset + 2]) << 8 | table[offset + 3]);
}

int32_t clampToInt32(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

bool allErased(std::span<const uint8_t> table) {
    return std::all_of(table.begin(), table.begin() + kTableBytes, [](uint8_t b) { return b == 0xFF; });
}

std::string addressText(int32_t address) {
    if (address < 0) return "none";
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(address));
    return text;
}

std::string sealText(bool erased, bool sealed) { return erased ? "erased" : sealed ? "ok" : "wrong"; }

std::string rowLabel(const char* what, size_t index) {
    return what + std::to_string(index + 1) + (index < 9 ? "  " : " ");
}

}  // namespace

TableBytes encodeMessageTable(const MessageDirectory& directory) {
    TableBytes table{};
    size_t offset = 0;
    for (const int32_t address : directory.address) {
        putEntry(table, offset, address);
        offset += 4;
    }
    putEntry(table, 48, directory.endAddress);
    table[53] = directory.count;
    sealTable(table);
    return table;
}

TableBytes encodeTriggerTable(const TriggerPlan& plan) {
    TableBytes table{};
    for (size_t t = 0; t < kSlots; ++t) {
        for (size_t j = 0; j < 4; ++j) table[10 * t + 2 * j + 1] = plan.sequence[t][j];
        table[10 * t + 9] = plan.zones[t];
    }
    sealTable(table);
    return table;
}

DecodedMessageTable decodeMessageTable(std::span<const uint8_t> table) {
    DecodedMessageTable decoded;
    MessageDirectory& directory = decoded.directory;
    size_t offset = 0;
    for (int32_t& address : directory.address) {
        address = entryAt(table, offset);
        offset += 4;
    }
    directory.endAddress = entryAt(table, 48);
    decoded.countByte = table[53];
    directory.count = std::min<uint8_t>(table[53], kSlots);
    for (size_t i = 0; i < directory.count; ++i) {
        const int64_t next = i + 1 == directory.count ? directory.endAddress : directory.address[i + 1];
        decoded.lengths[i] = clampToInt32((next - directory.address[i]) * 2);
    }
    decoded.erased = allErased(table);
    decoded.sealed = tableSealed(table);
    return decoded;
}

DecodedTriggerTable decodeTriggerTable(std::span<const uint8_t> table) {
    DecodedTriggerTable decoded;
    for (size_t t = 0; t < kSlots; ++t) {
        for (size_t j = 0; j < 4; ++j) decoded.plan.sequence[t][j] = table[10 * t + 2 * j + 1];
        decoded.plan.zones[t] = table[10 * t + 9];
    }
    decoded.erased = allErased(table);
    decoded.sealed = tableSealed(table);
    return decoded;
}

std::optional<WordRange> messageWords(const MessageDirectory& directory, size_t slot) {
    if (slot >= kSlots || directory.address[slot] < 0) return std::nullopt;
    int32_t end = directory.endAddress;
    for (size_t next = slot + 1; next < kSlots; ++next) {
        if (directory.address[next] >= 0) {
            end = directory.address[next];
            break;
        }
    }
    const int32_t first = directory.address[slot];
    if (end <= first || static_cast<uint32_t>(end) > kMessageTableAddress) return std::nullopt;
    return WordRange{static_cast<uint32_t>(first), static_cast<uint32_t>(end)};
}

std::string messageTableText(const DecodedMessageTable& table) {
    const MessageDirectory& directory = table.directory;
    std::string text;
    for (size_t i = 0; i < kSlots; ++i) {
        text += rowLabel("message ", i) + addressText(directory.address[i]);
        if (auto words = messageWords(directory, i)) text += "  " + std::to_string(2 * (words->end - words->first)) + " bytes";
        text += "\n";
    }
    text += "end        " + addressText(directory.endAddress) + "\n";
    text += "count      " + std::to_string(table.countByte) + "\n";
    text += "checksum   " + sealText(table.erased, table.sealed) + "\n";
    return text;
}

std::string triggerTableText(const DecodedTriggerTable& table) {
    std::string text;
    for (size_t t = 0; t < kSlots; ++t) {
        text += rowLabel("trigger ", t) + "messages";
        for (uint8_t m : table.plan.sequence[t]) text += " " + std::to_string(m);
        text += "  zones";
        bool any = false;
        for (int k = 0; k < 6; ++k) {
            if (table.plan.zones[t] & (1u << k)) {
                text += " " + std::to_string(k + 1);
                any = true;
            }
        }
        if (!any) text += " none";
        text += "\n";
    }
    text += "checksum   " + sealText(table.erased, table.sealed) + "\n";
    return text;
}

}  // namespace mmx::image
