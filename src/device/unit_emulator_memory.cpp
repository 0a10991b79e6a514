#include "device/unit_emulator.h"

// What the emulated unit holds: its memory read and loaded, the two tables decoded, and the
// check of the whole image the counterpart makes at "L".
#include <algorithm>
#include <cstdio>

#include "image/memory_map.h"
#include "image/word_checksum.h"

namespace mmx {

namespace {

using image::kMessageTableAddress;
using image::kTableWords;
using image::kTriggerTableAddress;
using image::kUnitWords;

std::string hex6(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", value);
    return text;
}

}  // namespace

std::vector<uint8_t> UnitEmulator::bytesAt(uint32_t address, size_t words) const {
    std::vector<uint8_t> bytes;
    if (address >= kUnitWords) return bytes;
    words = std::min<size_t>(words, kUnitWords - address);
    bytes.reserve(words * 2);
    for (size_t i = 0; i < words; ++i) {
        bytes.push_back(static_cast<uint8_t>(image_[address + i] >> 8));
        bytes.push_back(static_cast<uint8_t>(image_[address + i] & 0xFF));
    }
    return bytes;
}

void UnitEmulator::load(uint32_t address, std::span<const uint8_t> bytes) {
    for (size_t i = 0; i < bytes.size() && address + i / 2 < kUnitWords; i += 2) {
        uint8_t high = bytes[i];
        uint8_t low = i + 1 < bytes.size() ? bytes[i + 1] : 0xFF;
        image_[address + i / 2] = static_cast<uint16_t>(high << 8 | low);
    }
}

image::DecodedMessageTable UnitEmulator::messageTable() const {
    return image::decodeMessageTable(bytesAt(kMessageTableAddress, kTableWords));
}

image::DecodedTriggerTable UnitEmulator::triggerTable() const {
    return image::decodeTriggerTable(bytesAt(kTriggerTableAddress, kTableWords));
}

std::vector<uint8_t> UnitEmulator::messageBytes(int slot) const {
    if (slot < 1 || slot > image::kSlots) return {};
    const auto words = image::messageWords(messageTable().directory, static_cast<size_t>(slot - 1));
    if (!words) return {};
    return bytesAt(words->first, words->end - words->first);
}

ImageCheck UnitEmulator::checkImage() const {
    ImageCheck check;
    check.ok = true;
    const image::DecodedMessageTable messages = messageTable();
    const image::DecodedTriggerTable triggers = triggerTable();
    auto fail = [&check](const std::string& line) {
        check.ok = false;
        check.lines.push_back(line);
    };
    auto checkTable = [&](const std::string& name, bool erased, bool sealed) {
        if (erased) {
            fail(name + ": erased");
        } else if (!sealed) {
            fail(name + ": checksum wrong");
        } else {
            check.lines.push_back(name + ": checksum ok");
        }
    };
    checkTable("message table", messages.erased, messages.sealed);
    checkTable("trigger table", triggers.erased, triggers.sealed);
    if (messages.erased) return check;

    const image::MessageDirectory& directory = messages.directory;
    int present = 0;
    for (size_t i = 0; i < image::kSlots; ++i) {
        const int32_t start = directory.address[i];
        if (start < 0) continue;
        ++present;
        const std::string name = "message " + std::to_string(i + 1);
        const auto words = image::messageWords(directory, i);
        if (!words) {
            fail(name + ": address " + hex6(static_cast<uint32_t>(start)) + " gives no words before the next message");
            continue;
        }
        const std::span<const uint16_t> stored(image_.data() + words->first, words->end - words->first);
        const std::string range = ": words " + hex6(words->first) + ".." + hex6(words->end - 1);
        if (image::messageChecksumOk(stored)) {
            check.lines.push_back(name + range + ", checksum ok");
        } else {
            fail(name + range + ", checksum wrong");
        }
    }
    if (present != messages.countByte) {
        fail("message count " + std::to_string(messages.countByte) + " but " + std::to_string(present) +
             " messages in the table");
    }
    return check;
}

std::string UnitEmulator::messageTableText() const { return image::messageTableText(messageTable()); }

std::string UnitEmulator::triggerTableText() const { return image::triggerTableText(triggerTable()); }

}  // namespace mmx
