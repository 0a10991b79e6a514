#include "image/unit_image.h"

#include <algorithm>

#include "image/word_checksum.h"

namespace mmx::image {

UnitImage UnitImage::build(ImageInput input) {
    UnitImage image;
    image.directory_.address.fill(-1);
    uint32_t writeAddress = 0;
    for (size_t i = 0; i < kSlots; ++i) {
        auto& file = input.messages[i];
        if (!file) continue;
        StoredMessage message;
        message.slot = static_cast<int>(i + 1);
        message.name = file->name;
        message.address = writeAddress;
        message.fileLength = file->bytes.size();
        message.bytes = storedMessage(std::move(file->bytes));
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
        const size_t from = std::min<size_t>(address, words.size());
        TableBytes table{};
        auto byte = table.begin();
        for (const uint16_t word : words.subspan(from, std::min<size_t>(kTableWords, words.size() - from))) {
            *byte++ = static_cast<uint8_t>(word >> 8);
            *byte++ = static_cast<uint8_t>(word);
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
        for (const uint16_t word : words.subspan(range->first, range->end - range->first)) {
            message.bytes.push_back(static_cast<uint8_t>(word >> 8));
            message.bytes.push_back(static_cast<uint8_t>(word));
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

std::vector<std::span<const uint8_t>> UnitImage::memoryPieces() const {
    // Messages and tables are already held high byte first, so the memory is their bytes in
    // address order with erased words between: nothing needs laying out (this runs on every
    // `image` command, on 8 MB).
    static const std::vector<uint8_t> erased(size_t{64} * 1024, static_cast<uint8_t>(kErasedWord));
    struct Placed {
        size_t at;
        std::span<const uint8_t> bytes;
    };
    std::vector<Placed> placed;
    for (const auto& message : messages_) placed.push_back({size_t{message.address} * 2, message.bytes});
    placed.push_back({size_t{kMessageTableAddress} * 2, messageTable_});
    placed.push_back({size_t{kTriggerTableAddress} * 2, triggerTable_});
    std::ranges::stable_sort(placed, {}, &Placed::at);

    const size_t total = size_t{kUnitWords} * 2;
    std::vector<std::span<const uint8_t>> pieces;
    size_t position = 0;
    const auto eraseUpTo = [&](size_t until) {
        while (position < until) {
            const size_t count = std::min(erased.size(), until - position);
            pieces.emplace_back(erased.data(), count);
            position += count;
        }
    };
    for (size_t i = 0; i < placed.size(); ++i) {
        // What runs into the next thing placed (only messages beyond the memory do) is cut
        // there: the tables keep their place.
        const size_t next = i + 1 < placed.size() ? placed[i + 1].at : total;
        const size_t at = placed[i].at;
        const size_t end = std::min({at + (placed[i].bytes.size() & ~size_t{1}), next, total});
        if (at < position || end <= at) continue;
        eraseUpTo(at);
        pieces.push_back(placed[i].bytes.first(end - at));
        position = end;
    }
    eraseUpTo(total);
    return pieces;
}

std::vector<uint8_t> UnitImage::memoryBytes() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(size_t{kUnitWords} * 2);
    for (const auto piece : memoryPieces()) bytes.insert(bytes.end(), piece.begin(), piece.end());
    return bytes;
}

std::vector<uint16_t> UnitImage::memoryWords() const {
    const std::vector<uint8_t> bytes = memoryBytes();
    std::vector<uint16_t> words(bytes.size() / 2);
    auto byte = bytes.cbegin();
    for (uint16_t& word : words) {
        word = static_cast<uint16_t>(byte[0] << 8 | byte[1]);
        byte += 2;
    }
    return words;
}

}  // namespace mmx::image
