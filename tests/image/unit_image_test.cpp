// The unit image against one the test builds by its own rules from the memory map.
#include <gtest/gtest.h>

#include <algorithm>

#include "image/digest.h"
#include "image/setup_plan.h"
#include "image/unit_image.h"
#include "image/word_checksum.h"
#include "support/expected_image.h"

namespace mmx::image {
namespace {

using test::ExpectedTrigger;
using Files = std::array<std::optional<std::vector<uint8_t>>, 12>;

std::vector<uint8_t> pattern(size_t length, uint8_t seed) {
    std::vector<uint8_t> bytes(length);
    for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

struct Layout {
    const char* name;
    std::vector<std::pair<int, size_t>> slots;  // slot 1..12 and file length
};

class ImageLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(ImageLayout, MemoryTablesAndBlocksMatchTheMemoryMap) {
    Files files;
    ImageInput input;
    std::array<ExpectedTrigger, 12> triggers{};
    for (auto [slot, length] : GetParam().slots) {
        files[static_cast<size_t>(slot - 1)] = pattern(length, static_cast<uint8_t>(slot));
        input.messages[static_cast<size_t>(slot - 1)] = MessageFile{"m" + std::to_string(slot), pattern(length, static_cast<uint8_t>(slot))};
    }
    // Trigger t plays message t then t+1 into zones t mod 6 and 6.
    for (size_t t = 0; t < 12; ++t) {
        triggers[t].sequence = {static_cast<int>(t + 1), static_cast<int>((t + 2) % 256), 0, 0};
        triggers[t].zones[t % 6] = true;
        triggers[t].zones[5] = true;
        input.triggers.sequence[t] = {static_cast<uint8_t>(t + 1), static_cast<uint8_t>(t + 2), 0, 0};
        input.triggers.zones[t] = static_cast<uint8_t>(1u << (t % 6) | 0x20);
    }
    const test::ExpectedUpload expected = test::expectedUpload(files, triggers);
    const UnitImage image = UnitImage::build(input);

    EXPECT_EQ(test::firstDifference(image.memoryWords(), expected.image), "");
    EXPECT_EQ(std::vector<uint8_t>(image.messageTable().begin(), image.messageTable().end()), expected.messageTable);
    EXPECT_EQ(std::vector<uint8_t>(image.triggerTable().begin(), image.triggerTable().end()), expected.triggerTable);
    EXPECT_EQ(image.directory().address, expected.address);
    EXPECT_EQ(image.directory().endAddress, expected.end);
    EXPECT_EQ(image.directory().count, expected.count);
    EXPECT_EQ(image.storedBytes(), static_cast<uint64_t>(expected.end) * 2);

    // The counterpart reads the same image back out of the memory.
    const UnitImage reread = UnitImage::fromMemory(image.memoryWords());
    EXPECT_EQ(reread.directory(), image.directory());
    EXPECT_EQ(reread.triggers(), image.triggers());
    ASSERT_EQ(reread.messages().size(), image.messages().size());
    for (size_t i = 0; i < image.messages().size(); ++i) {
        EXPECT_EQ(reread.messages()[i].bytes, image.messages()[i].bytes);
        EXPECT_EQ(reread.messages()[i].address, image.messages()[i].address);
        EXPECT_EQ(reread.messages()[i].slot, GetParam().slots[i].first);
        EXPECT_EQ(image.messages()[i].slot, GetParam().slots[i].first);
    }
    EXPECT_EQ(reread.messagesDigest(), image.messagesDigest());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ImageLayout,
    ::testing::Values(Layout{"Empty", {}}, Layout{"EmptyFile", {{1, 0}}}, Layout{"FitsOneBlock", {{1, 348}}},
                      Layout{"OddLastByteSpillsChecksum", {{1, 349}}}, Layout{"ChecksumAlone", {{1, 350}}},
                      Layout{"GapBetweenSlots", {{1, 1001}, {3, 44}}},
                      Layout{"AddressPastSixteenBits", {{1, 140'000}, {2, 10}}},
                      Layout{"AllTwelve", {{1, 5000}, {2, 1}, {3, 700}, {4, 699}, {5, 2}, {6, 351}, {7, 44}, {8, 1050},
                                           {9, 12345}, {10, 3}, {11, 348}, {12, 60000}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(UnitImage, OtherSoundOfTheSameLengthHasAnotherDigest) {
    ImageInput a;
    a.messages[0] = MessageFile{"a", pattern(1000, 1)};
    ImageInput b = a;
    b.messages[0]->bytes[500] ^= 0x01;
    EXPECT_EQ(UnitImage::build(a).messageTable(), UnitImage::build(b).messageTable());
    EXPECT_NE(UnitImage::build(a).messagesDigest(), UnitImage::build(b).messagesDigest());
}

TEST(UnitImage, SetupWithMoreThanTheMemoryDoesNotFitYetLaysOutExactlyTheMemory) {
    ImageInput input;
    input.messages[0] = MessageFile{"big", std::vector<uint8_t>(kMessageTableAddress / kBlockWords * kBlockBytes - 2, 0)};
    EXPECT_TRUE(UnitImage::build(input).fitsMemory());
    input.messages[1] = MessageFile{"one more", {}};
    EXPECT_FALSE(UnitImage::build(input).fitsMemory());

    // One message runs into the tables, the next starts beyond the memory: the memory keeps its
    // size and both tables their place.
    input.messages[0]->bytes.assign(8'000'000, 0x11);
    input.messages[1]->bytes.assign(1'000'000, 0x22);
    input.messages[2] = MessageFile{"beyond", std::vector<uint8_t>(10, 0x33)};
    const UnitImage image = UnitImage::build(input);
    const std::vector<uint8_t> memory = image.memoryBytes();
    ASSERT_EQ(memory.size(), size_t{kUnitWords} * 2);
    EXPECT_TRUE(std::equal(image.messageTable().begin(), image.messageTable().end(), memory.begin() + kMessageTableAddress * 2));
    EXPECT_TRUE(std::equal(image.triggerTable().begin(), image.triggerTable().end(), memory.begin() + kTriggerTableAddress * 2));
    EXPECT_EQ(memory[kMessageTableAddress * 2 - 1], 0x22);
}

TEST(UnitImage, StoredMessageClosesWithItsChecksumWord) {
    ImageInput input;
    input.messages[0] = MessageFile{"a", pattern(1001, 9)};
    const std::vector<uint16_t> words = UnitImage::build(input).memoryWords();
    std::vector<uint16_t> message(words.begin(), words.begin() + 3 * kBlockWords);
    EXPECT_TRUE(messageChecksumOk(message));
    message[10] ^= 0x0100;
    EXPECT_FALSE(messageChecksumOk(message));
    EXPECT_FALSE(messageChecksumOk({}));
}

TEST(UnitTables, ErasedOrUnsealedTableIsNotTrusted) {
    TableBytes erased;
    erased.fill(0xFF);
    const DecodedMessageTable fromErased = decodeMessageTable(erased);
    EXPECT_TRUE(fromErased.erased);
    EXPECT_FALSE(fromErased.trustworthy());
    EXPECT_EQ(fromErased.directory.count, 12);  // what a careless reader would believe

    MessageDirectory directory;
    directory.address.fill(-1);
    directory.address[0] = 0;
    directory.endAddress = 175;
    directory.count = 1;
    TableBytes table = encodeMessageTable(directory);
    EXPECT_TRUE(decodeMessageTable(table).trustworthy());
    table[3] ^= 0x04;
    EXPECT_FALSE(decodeMessageTable(table).trustworthy());
}

// The lengths an upload compares with its own: slots 1..count in turn, whatever else the table holds.
TEST(UnitTables, LengthsReadBackCoverTheCountedSlotsOnly) {
    MessageDirectory directory;
    directory.address = {0, 175, 525, 0x10000, -1, -1, -1, -1, -1, -1, -1, -1};
    directory.endAddress = 0x10000 + 175;
    directory.count = 3;
    TableBytes table = encodeMessageTable(directory);
    const DecodedMessageTable decoded = decodeMessageTable(table);
    EXPECT_EQ(decoded.directory, directory);
    EXPECT_EQ(decoded.lengths, (std::array<int32_t, 12>{350, 700, 2 * (0x10000 + 175 - 525), 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    table[53] = 200;       // a count beyond twelve is taken as twelve
    table[4 * 4] = 0x80;   // an entry with its top bit set names no message
    const DecodedMessageTable odd = decodeMessageTable(table);
    EXPECT_EQ(odd.countByte, 200);
    EXPECT_EQ(odd.directory.count, 12);
    EXPECT_EQ(odd.directory.address[4], -1);
}

struct RangeCase {
    const char* name;
    std::array<int32_t, 12> address;
    int32_t end;
    size_t slot;
    std::optional<std::pair<uint32_t, uint32_t>> words;
};

class MessageRange : public ::testing::TestWithParam<RangeCase> {};

// What the counterpart keeps of a memory and what the table printouts show as a message's size.
TEST_P(MessageRange, RunsToTheNextMessageOrTheEndWithinTheMessageArea) {
    const RangeCase& c = GetParam();
    MessageDirectory directory;
    directory.address = c.address;
    directory.endAddress = c.end;
    const auto range = messageWords(directory, c.slot);
    ASSERT_EQ(range.has_value(), c.words.has_value());
    if (range) {
        EXPECT_EQ(std::make_pair(range->first, range->end), *c.words);
    }
}

constexpr int32_t kNone = -1;
// Start words of slots 1, 2, ...; the slots after them have no message.
std::array<int32_t, 12> startingAt(std::initializer_list<int32_t> words) {
    std::array<int32_t, 12> address;
    address.fill(kNone);
    std::copy(words.begin(), words.end(), address.begin());
    return address;
}

INSTANTIATE_TEST_SUITE_P(
    Directories, MessageRange,
    ::testing::Values(RangeCase{"EmptySlotsBetweenAreSkipped", startingAt({0, kNone, 175}), 350, 0, {{0, 175}}},
                      RangeCase{"EmptySlotHasNone", startingAt({0, kNone, 175}), 350, 1, std::nullopt},
                      RangeCase{"LastRunsToTheEnd", startingAt({0, kNone, 175}), 350, 2, {{175, 350}}},
                      RangeCase{"EndsExactlyAtTheMessageTable", startingAt({0x3FEF00}), 0x3FF000, 0, {{0x3FEF00, 0x3FF000}}},
                      RangeCase{"RunsIntoTheMessageTable", startingAt({0x3FEF00}), 0x3FF001, 0, std::nullopt},
                      RangeCase{"NextStartsAtTheSameWord", startingAt({100, 100}), 200, 0, std::nullopt},
                      RangeCase{"NextStartsAtWordZero", startingAt({100, 0}), 300, 0, std::nullopt}),
    [](const auto& p) { return std::string(p.param.name); });

// `read-tables`, `image --show` and the counterpart's dump files print the tables so.
TEST(UnitTables, PrintedTablesNameEveryRow) {
    DecodedMessageTable messages;
    messages.directory.address = startingAt({0, kNone, 0x200, kNone, kNone, kNone, kNone, kNone, kNone, 0x12345});
    messages.directory.endAddress = 0x12400;
    messages.countByte = 3;
    messages.sealed = true;
    EXPECT_EQ(messageTableText(messages),
              "message 1  0x000000  1024 bytes\n"
              "message 2  none\n"
              "message 3  0x000200  148106 bytes\n"
              "message 4  none\nmessage 5  none\nmessage 6  none\nmessage 7  none\nmessage 8  none\nmessage 9  none\n"
              "message 10 0x012345  374 bytes\n"
              "message 11 none\nmessage 12 none\n"
              "end        0x012400\n"
              "count      3\n"
              "checksum   ok\n");

    DecodedTriggerTable triggers;
    triggers.plan.sequence[0] = {1, 2, 0, 0};
    triggers.plan.zones[0] = 0x21;
    triggers.plan.sequence[9] = {12, 0, 0, 255};
    triggers.plan.zones[9] = 0x40;  // no zone 7: shown as none
    triggers.erased = true;
    const std::string text = triggerTableText(triggers);
    EXPECT_EQ(text.substr(0, text.find('\n') + 1), "trigger 1  messages 1 2 0 0  zones 1 6\n");
    EXPECT_NE(text.find("\ntrigger 9  messages 0 0 0 0  zones none\ntrigger 10 messages 12 0 0 255  zones none\n"
                        "trigger 11 messages 0 0 0 0  zones none\ntrigger 12 messages 0 0 0 0  zones none\nchecksum   erased\n"),
              std::string::npos)
        << text;
    triggers.erased = false;
    const std::string unsealed = triggerTableText(triggers);
    EXPECT_EQ(unsealed.substr(unsealed.rfind('\n', unsealed.size() - 2) + 1), "checksum   wrong\n");
}

TEST(UnitTables, TriggerPlanTakesEachSequenceUpToItsGapAndTheZoneMask) {
    mmx::Setup setup;
    setup.trigger(2).sequence = {3, 7, 0, 9};  // nothing behind a gap ever plays
    setup.trigger(2).zones = 0x21;
    setup.trigger(12).sequence = {12, 1, 2, 12};
    setup.trigger(12).zones = 0x3F;
    const TriggerPlan plan = triggerPlanOf(setup);
    EXPECT_EQ(plan.sequence[1], (std::array<uint8_t, 4>{3, 7, 0, 0}));
    EXPECT_EQ(plan.sequence[11], (std::array<uint8_t, 4>{12, 1, 2, 12}));
    EXPECT_EQ(plan.zones[0], 0);  // a full sequence spills into no other trigger
    EXPECT_EQ(plan.zones[1], 0x21);
    EXPECT_EQ(plan.zones[11], 0x3F);
    // Nothing anywhere: every word 0 and so the checksum 0.
    TableBytes zeros{};
    EXPECT_EQ(encodeTriggerTable(TriggerPlan{}), zeros);
}

// The upload record keeps this digest as text: a record written by an earlier version must still
// match the same set-up, or the first upload after an update would needlessly be a full one.
TEST(Digest, UploadRecordOfAKnownImageStaysTheSame) {
    ImageInput input;
    input.messages[0] = MessageFile{"a", pattern(1000, 1)};
    input.messages[2] = MessageFile{"c", pattern(349, 3)};
    EXPECT_EQ(hexText(UnitImage::build(input).messagesDigest()), "43970b6dd92a47bc25406fd83beb0688548f034433ce5fd63dbb8706fbfbb43b");
}

}  // namespace
}  // namespace mmx::image
