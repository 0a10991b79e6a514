// The unit image against one the test builds by its own rules from the memory map.
#include <gtest/gtest.h>

#include "image/digest.h"
#include "image/setup_plan.h"
#include "image/unit_image.h"
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
    }
    EXPECT_EQ(reread.messagesDigest(), image.messagesDigest());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ImageLayout,
    ::testing::Values(Layout{"Empty", {}}, Layout{"EmptyFile", {{1, 0}}}, Layout{"FitsOneBlock", {{1, 348}}},
                      Layout{"OddLastByteSpillsChecksum", {{1, 349}}}, Layout{"ChecksumAlone", {{1, 350}}},
                      Layout{"GapBetweenSlots", {{1, 1001}, {3, 44}}},
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

TEST(UnitImage, SetupWithMoreThanTheMemoryDoesNotFit) {
    ImageInput input;
    input.messages[0] = MessageFile{"big", std::vector<uint8_t>(kMessageTableAddress / kBlockWords * kBlockBytes - 2, 0)};
    EXPECT_TRUE(UnitImage::build(input).fitsMemory());
    input.messages[1] = MessageFile{"one more", {}};
    EXPECT_FALSE(UnitImage::build(input).fitsMemory());
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
    EXPECT_EQ(decodeMessageTable(table).lengths[0], 350);
    table[3] ^= 0x04;
    EXPECT_FALSE(decodeMessageTable(table).trustworthy());
}

TEST(UnitTables, TriggerPlanTakesEntryNumbersModulo256AndTickedZonesOnly) {
    TriggerTable triggers;
    triggers.entry(entryIndex(2, 1)).text = "300";
    triggers.entry(entryIndex(2, 2)).text = " 7";
    triggers.entry(entryIndex(2, 3)).text = "x";
    triggers.zone(zoneIndex(2, 1)) = 1;
    triggers.zone(zoneIndex(2, 3)) = 2;  // greyed: not ticked
    triggers.zone(zoneIndex(2, 6)) = 1;
    const TriggerPlan plan = triggerPlanOf(triggers);
    EXPECT_EQ(plan.sequence[1], (std::array<uint8_t, 4>{44, 7, 0, 0}));
    EXPECT_EQ(plan.zones[1], 0x21);
    // Nothing anywhere: every word 0 and so the checksum 0.
    TableBytes zeros{};
    EXPECT_EQ(encodeTriggerTable(TriggerPlan{}), zeros);
}

struct KnownDigest {
    const char* name;
    std::string bytes;
    const char* sha256;
};

class Sha256 : public ::testing::TestWithParam<KnownDigest> {};

TEST_P(Sha256, MatchesThePublishedValue) {
    const std::string& bytes = GetParam().bytes;
    EXPECT_EQ(hexText(sha256(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))), GetParam().sha256);
}

INSTANTIATE_TEST_SUITE_P(
    Digest, Sha256,
    ::testing::Values(KnownDigest{"Empty", "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
                      KnownDigest{"Abc", "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
                      KnownDigest{"TwoBlocks", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                                  "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
                      KnownDigest{"MillionA", std::string(1'000'000, 'a'),
                                  "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"}),
    [](const auto& p) { return std::string(p.param.name); });

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
