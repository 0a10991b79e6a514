#include "image/unit_image.h"

#include <algorithm>

#include "image/word_checksum.h"

namespace mmx::image {

UnitImage UnitImage::build(const ImageInput& input) {
    UnitImage image;
    image.directory_.address.fill(-1);
    uint32_t writeAddress = 0;
    for (size_t i = 0; i < kSlots; ++i) {
        const auto& file = input.messages[i];
        if (!file) continue;
        StoredMessage message;
        message.slot = static_cast<int>(i + 1);
        message.name = file->name;
        message.address = writeAddress;
        message.fileLength = file->bytes.size();
        message.bytes = storedMessage(file->bytes);
        image.directory_.address[i] = static_cast<int32_t>(writeAddress);
        writeAddress += message.wordCount();
        ++image.directory_.count;
        image.messages_.push_back(std::move(message));
    }
    image.directory_.endAddress = static_cast<int32_t>(writeAddress);
    image.triggers_ = input.triggers;
    image.messageTable_ = encodeMessageTable(image.directory_);
    image.triggerTable_ = encodeTriggerTable(image.triggers_);
    return image;
}

UnitImage UnitImage::fromMemory(std::span<const uint16_t> words) {
    auto tableAt = [&words](uint32_t address) {
        TableBytes table{};
        for (uint32_t i = 0; i < kTableWords && address + i < words.size(); ++i) {
            table[2 * i] = static_cast<uint8_t>(words[address + i] >> 8);
            table[2 * i + 1] = static_cast<uint8_t>(words[address + i]);
        }
        return table;
    };
    UnitImage image;
    image.messageTable_ = tableAt(kMessageTableAddress);
    image.triggerTable_ = tableAt(kTriggerTableAddress);
    image.directory_ = decodeMessageTable(image.messageTable_).directory;
    image.triggers_ = decodeTriggerTable(image.triggerTable_).plan;
    for (size_t i = 0; i < kSlots; ++i) {
        const auto range = messageWords(image.directory_, i);
        if (!range || range->end > words.size()) continue;
        StoredMessage message;
        message.slot = static_cast<int>(i + 1);
        message.address = range->first;
        for (uint32_t w = range->first; w < range->end; ++w) {
            message.bytes.push_back(static_cast<uint8_t>(words[w] >> 8));
            message.bytes.push_back(static_cast<uint8_t>(words[w]));
        }
        message.fileLength = message.bytes.size();
        image.messages_.push_back(std::move(message));
    }
    return image;
}

Digest UnitImage::messagesDigest() const {
    std::vector<uint8_t> all(messageTable_.begin(), messageTable_.end());
    for (const auto& message : messages_) {
        const Digest digest = message.digest();
        all.insert(all.end(), digest.begin(), digest.end());
    }
    return sha256(all);
}

std::vector<uint16_t> UnitImage::memoryWords() const {
    std::vector<uint16_t> words(kUnitWords, kErasedWord);
    auto place = [&words](uint32_t address, std::span<const uint8_t> bytes) {
        for (size_t i = 0; i + 1 < bytes.size() && address + i / 2 < words.size(); i += 2) {
            words[address + i / 2] = static_cast<uint16_t>(bytes[i] << 8 | bytes[i + 1]);
        }
    };
    for (const auto& message : messages_) place(message.address, message.bytes);
    place(kMessageTableAddress, messageTable_);
    place(kTriggerTableAddress, triggerTable_);
    return words;
}

std::vector<uint8_t> UnitImage::memoryBytes() const {
    // Messages and tables are already held high byte first, so the bytes are laid out directly:
    // one fill and one copy each, no pass over words (this runs on every `image` command).
    std::vector<uint8_t> bytes(size_t{kUnitWords} * 2, static_cast<uint8_t>(kErasedWord));
    auto place = [&bytes](uint32_t address, std::span<const uint8_t> from) {
        const size_t at = size_t{address} * 2;
        if (at >= bytes.size()) return;
        const size_t count = std::min(from.size() & ~size_t{1}, bytes.size() - at);
        std::copy_n(from.begin(), count, bytes.begin() + static_cast<std::ptrdiff_t>(at));
    };
    for (const auto& message : messages_) place(message.address, message.bytes);
    place(kMessageTableAddress, messageTable_);
    place(kTriggerTableAddress, triggerTable_);
    return bytes;
}

}  // namespace mmx::image
