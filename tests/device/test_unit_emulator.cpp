// The unit emulator driven through the protocol: what it answers, what it stores, what it
// checks at L, and its seeded faults.
#include <gtest/gtest.h>

#include <filesystem>

#include "emulated_link.h"
#include "support/test_support.h"
#include "support/wire_frames.h"
#include "unit_files.h"

namespace mmx {
namespace {

using Link = test::EmulatedLink;
using test::messageTableFor;
using test::storedMessage;

// "*506455", length 1, ACK, checksum 0x6A
const std::vector<uint8_t> kAckToP{'*', '5', '0', '6', '4', '5', '5', 0x00, 0x01, 0x06, '6', 'A', 0x0D, 0x0A};

TEST(UnitEmulator, CheckAtLReportsAWrongMessageChecksum) {
    UnitOptions options;
    options.rejectBadImage = true;
    Link link(options);
    std::vector<uint8_t> message = storedMessage(std::vector<uint8_t>(100, 7));
    message[10] ^= 1;
    link.unit.load(0, message);
    link.unit.load(0x3FF000, messageTableFor({0}, 175, 1));
    link.unit.load(0x3FF100, test::tableBytes(test::closeTable({})));
    EXPECT_FALSE(link.command('L'));
    EXPECT_EQ(link.lastCode, 21);
    ASSERT_TRUE(link.unit.lastCheck().has_value());
    EXPECT_FALSE(link.unit.lastCheck()->ok);
    EXPECT_EQ(link.unit.lastCheck()->lines.back(), "message 1: words 000000..0000AE, checksum wrong");
}

TEST(UnitEmulator, FramesWithWrongChecksumOrLayoutGetNakAndAGoodPItsAcknowledgement) {
    UnitEmulator unit;
    auto answerTo = [&unit](const std::vector<uint8_t>& frame) {
        unit.receive(frame, 0);
        uint8_t out[64];
        size_t n = unit.transmit(out, 0);
        return n >= 10 ? out[9] : -1;
    };
    auto p = test::commandFrame('P');
    p[10] = '4';  // checksum 64 instead of 63
    EXPECT_EQ(answerTo(p), 21);
    // P with a lower-case hex digit in the header.
    EXPECT_EQ(answerTo({'*', '6', '4', '5', '0', '5', 'f', 0, 0, '9', '4', 0x0D, 0x0A}), 21);
    // A data frame without a W before it.
    EXPECT_EQ(answerTo({'*', 0, 0, '2', 'A', 0x0D, 0x0A}), 21);
    // A good P still works after all that.
    unit.receive(test::commandFrame('P'), 0);
    uint8_t out[64];
    EXPECT_EQ(std::vector<uint8_t>(out, out + unit.transmit(out, 0)), kAckToP);
    EXPECT_EQ(unit.log().back(), "P");
    EXPECT_EQ(unit.counters().badFrames, 2u);
}

TEST(UnitEmulator, OddDataFrameIsRefusedAndNothingStored) {
    Link link;
    ASSERT_TRUE(link.command('W'));
    EXPECT_EQ(link.dataFrame(0x10, {1, 2, 3}), 21);
    EXPECT_EQ(link.unit.word(0x10), 0xFFFF);
    EXPECT_EQ(link.dataFrame(0x3FFFFF, {1, 2, 3, 4}), 21) << "past the end of memory";
}

TEST(UnitEmulator, SilentAfterTwoFrames) {
    UnitOptions options;
    options.silentAfterFrames = 2;
    Link link(options);
    EXPECT_TRUE(link.command('P'));
    EXPECT_TRUE(link.command('W'));
    EXPECT_FALSE(link.command('L'));
    EXPECT_EQ(link.lastCode, 0);
    EXPECT_FALSE(link.port.isOpen());
    EXPECT_TRUE(link.unit.silent());
}

TEST(UnitEmulator, SameSeedSameFaults) {
    auto run = [](uint32_t seed) {
        UnitOptions options;
        options.seed = seed;
        options.nakRate = 0.3;
        options.corruptReceivedRate = 0.01;
        Link link(options);
        std::string outcome;
        for (int i = 0; i < 40 && link.port.isOpen(); ++i) outcome += link.command('P') ? 'y' : 'n';
        return outcome + std::to_string(link.unit.counters().naksInjected);
    };
    EXPECT_EQ(run(7), run(7));
    EXPECT_NE(run(7), run(8));
}

// Frames fed straight in under heavy line damage. Every acknowledged frame whose words did not
// land as sent must be one the unit reports as damaged and accepted, with flips that cancel in
// the 8-bit frame sum; those the frame check caught are counted but not reported.
TEST(UnitEmulator, ReportsEveryDamagedFrameItAccepted) {
    UnitOptions options;
    options.seed = 3;
    options.corruptReceivedRate = 0.005;
    UnitEmulator unit(options);
    const std::vector<uint8_t> w = test::commandFrame('W');
    std::vector<uint16_t> expected(unit.image().size(), 0xFFFF);
    int64_t now = 0;
    uint8_t out[64];
    auto feed = [&](std::span<const uint8_t> frame) {
        unit.receive(frame, now += 1000000);  // a second apart: a broken frame never spills over
        const size_t n = unit.transmit(out, now + 1000000);
        return n >= 14 ? out[n - 5] : 0;
    };
    std::vector<uint32_t> differing;  // frames whose words did not land as sent
    for (uint32_t i = 0; i < 600; ++i) {
        feed(w);
        std::vector<uint8_t> payload(350);
        for (size_t b = 0; b < payload.size(); ++b) payload[b] = static_cast<uint8_t>(((i * 7 + b) & 0x3F) | 0x40);
        const uint32_t address = 175 * i;
        if (feed(test::dataFrame(address, payload)) != 6) continue;
        for (uint32_t k = 0; k < 175; ++k) {
            expected[address + k] = static_cast<uint16_t>(payload[2 * k] << 8 | payload[2 * k + 1]);
        }
        if (!std::equal(expected.begin() + address, expected.begin() + address + 175, unit.image().begin() + address)) {
            differing.push_back(address);
        }
    }
    std::vector<uint32_t> reported;
    for (const DamagedFrame& damage : unit.damagedFramesAccepted()) {
        if (damage.command) continue;
        reported.push_back(damage.sentAddress);
        EXPECT_TRUE(damage.cancelsInFrameSum);
        EXPECT_EQ(damage.words, 175u);
    }
    EXPECT_FALSE(differing.empty());
    EXPECT_EQ(reported, differing);
    EXPECT_GT(unit.counters().damagedFrames, 10 * unit.damagedFramesAccepted().size());
}

TEST(UnitEmulator, PacingAndDelayMoveTheFakeClock) {
    UnitOptions options;
    options.baud = 115200;
    options.frameDelayUs = 2000;
    Link link(options);
    EXPECT_TRUE(link.command('P'));
    // 13 bytes out and 14 back at 95.5 us a byte (11 bits), plus 2 ms: 4.58 ms, seen at 5 ms.
    EXPECT_EQ(link.clock.nowMs(), 5);
}

TEST(UnitEmulator, DumpWritesImageTablesAndMessages) {
    UnitEmulator unit;
    std::vector<uint8_t> message = storedMessage({0x10, 0x20, 0x30, 0x40});
    unit.load(0, message);
    unit.load(0x3FF000, messageTableFor({-1, 0}, 175, 1));
    // Trigger 1 plays message 2 in zones 1 and 6.
    unit.load(0x3FF100, test::tableBytes(test::closeTable({0x0002, 0, 0, 0, 0x0021})));
    test::ScratchFolder folder;
    std::string error;
    ASSERT_TRUE(unitapp::dumpUnit(unit, folder.folder() + "out", error)) << error;
    // image.bin is pinned byte for byte where a real upload is dumped.
    EXPECT_EQ(test::readBytes(folder.folder() + "out/message-02.bin"), message);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "out/message-01.bin"));
    std::string messages = test::readText(folder.folder() + "out/message-table.txt");
    EXPECT_NE(messages.find("message 1  none\n"), std::string::npos) << messages;
    EXPECT_NE(messages.find("message 2  0x000000  350 bytes\n"), std::string::npos) << messages;
    EXPECT_NE(messages.find("count      1\n"), std::string::npos);
    std::string triggers = test::readText(folder.folder() + "out/trigger-table.txt");
    EXPECT_NE(triggers.find("trigger 1  messages 2 0 0 0  zones 1 6\n"), std::string::npos) << triggers;
    EXPECT_NE(triggers.find("trigger 12 messages 0 0 0 0  zones none\n"), std::string::npos) << triggers;
    EXPECT_EQ(test::readText(folder.folder() + "out/check.txt").substr(0, 9), "image ok\n");
}

TEST(UnitEmulator, LineNoiseNeverBreaksTheUnit) {
    UnitEmulator unit;
    uint64_t state = 12345;
    auto next = [&state] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint8_t>(state >> 56);
    };
    int64_t now = 0;
    uint8_t out[4096];
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> noise(static_cast<size_t>(next()) * 8);
        for (auto& b : noise) b = next();
        if (round % 3 == 0 && noise.size() > 3) {  // make some of it look like frames
            noise[0] = '*';
            noise[1] = '6';
        }
        unit.receive(noise, now);
        now += 1000;
        while (unit.transmit(out, now) > 0) {
        }
    }
    // After a pause the unit answers a good frame again.
    now += 1000000;
    unit.receive(test::commandFrame('P'), now);
    size_t n = unit.transmit(out, now + 1000000);
    ASSERT_GE(n, 14u);
    EXPECT_EQ(std::vector<uint8_t>(out + n - 14, out + n), kAckToP);
}

TEST(UnitEmulator, EraseAddressesChooseHalvesOrTheTableSector) {
    Link link;
    link.unit.load(0, std::vector<uint8_t>{1, 1});
    link.unit.load(0x200000, std::vector<uint8_t>{2, 2});
    link.unit.load(0x3FF000, std::vector<uint8_t>{3, 3});
    link.unit.load(0x3FE000, std::vector<uint8_t>{4, 4});
    link.session.erase(0x3FF100);
    EXPECT_EQ(link.unit.word(0x3FF000), 0xFFFF);
    EXPECT_EQ(link.unit.word(0x3FE000), 0x0404);
    link.session.erase(0x3FFFFF);
    EXPECT_EQ(link.unit.word(0x200000), 0xFFFF);
    EXPECT_EQ(link.unit.word(0), 0x0101);
    link.session.erase(0x1FFFFF);
    EXPECT_EQ(link.unit.word(0), 0xFFFF);
    EXPECT_EQ(link.unit.counters().erases, 3u);
}

}  // namespace
}  // namespace mmx
