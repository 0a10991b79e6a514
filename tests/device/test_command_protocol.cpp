// The command protocol on a line whose answers the test writes: exact frames out, result codes
// from crafted answers, the receive ring, the time-out on the fake clock.
#include <gtest/gtest.h>

#include "device/command_protocol.h"
#include "device/frames.h"
#include "emulated_link.h"

namespace mmx {
namespace {

using test::answerFrame;

class ProtocolTest : public ::testing::Test {
protected:
    test::EmulatedLink link{test::EmulatedLink::silent()};
    CommandProtocol& protocol = link.protocol;
    FakeClock& clock = link.clock;
};

// ---- Frames out ------------------------------------------------------------------------------

// The published example byte for byte; a LF inside a payload does not split its frame. (The
// upload's own commands are pinned on the wire with the whole upload.)
TEST_F(ProtocolTest, CommandFramesGoOutWholeInOneWriteEach) {
    protocol.sendCommand('P', {});
    protocol.sendCommand('R', std::vector<uint8_t>{0x0A, 0x41});
    const std::vector<std::vector<uint8_t>> frames{
        {'*', '6', '4', '5', '0', '5', '5', 0x00, 0x00, '6', '3', 0x0D, 0x0A},
        {'*', '6', '4', '5', '2', '5', '5', 0x00, 0x02, 0x0A, 'A', 'B', '2', 0x0D, 0x0A}};
    EXPECT_EQ(link.writes(), frames);
}

TEST(DataFrames, BlockAndClosingFrames) {
    EXPECT_EQ(frames::closingFrame(), (std::vector<uint8_t>{0x2A, 0x00, 0x00, 0x32, 0x41, 0x0D, 0x0A}));
    const auto block = frames::dataFrame(0x0000AF, std::vector<uint8_t>(350, 0x01));
    ASSERT_EQ(block.size(), 360u);
    // Length 0x0161 = 353; 0x2A + 0x01 + 0x61 + 0xAF + 350 x 0x01 = 0x299: "99".
    EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 6),
              (std::vector<uint8_t>{'*', 0x01, 0x61, 0x00, 0x00, 0xAF}));
    EXPECT_EQ(std::vector<uint8_t>(block.end() - 4, block.end()), (std::vector<uint8_t>{'9', '9', 0x0D, 0x0A}));
}

TEST_F(ProtocolTest, APayloadLongerThanDataCanHoldIsCutSoItsLengthFieldMatches) {
    std::vector<uint8_t> payload(1500);
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(0x30 + (i + 1) % 7);
    protocol.sendCommand('W', payload);
    const std::vector<uint8_t> wire = link.wire();
    ASSERT_EQ(wire.size(), 1213u);
    EXPECT_EQ(wire[7], 0x04);  // 1200 = 0x04B0
    EXPECT_EQ(wire[8], 0xB0);
}

TEST(CharacterToNumber, HexDigitsUpperCaseOnly) {
    const std::pair<char, int> cases[] = {{'0', 0}, {'9', 9}, {'A', 10}, {'F', 15}, {'a', 0},
                                          {'G', 0}, {'*', 0}, {'/', 0}, {':', 0},  {'@', 0}};
    for (auto [c, value] : cases) EXPECT_EQ(CommandProtocol::hexDigitValue(static_cast<uint8_t>(c)), value) << c;
}

// ---- Answers in ------------------------------------------------------------------------------

TEST_F(ProtocolTest, ResultCodesInTheirOrder) {
    struct Case {
        const char* what;
        std::vector<uint8_t> answer;
        uint8_t code;
    };
    auto withByte = [](std::vector<uint8_t> frame, size_t index, uint8_t value) {
        frame[index] = value;
        return frame;
    };
    auto ack = answerFrame('P', {6});
    // "ack" is * 5 0 6 4 5 5 <00> <01> <06> 6 A CR LF: checksum at 10 and 11, CR at 12, LF at 13.
    const Case cases[] = {
        {"ack", ack, 6},
        {"nak", answerFrame('P', {21}), 21},
        {"other single byte", answerFrame('P', {7}), 7},
        {"data answer", answerFrame('P', {1, 2}), 6},
        {"wrong checksum", withByte(ack, 10, 'F'), 1},
        {"lower-case checksum", withByte(ack, 11, 'a'), 1},
        {"no CR", withByte(ack, 12, 0x0E), 2},
        {"no LF", withByte(ack, 13, 0x0B), 3},
        {"checksum before CR", withByte(withByte(ack, 10, 'F'), 12, 0), 1},
        {"CR before header", withByte(answerFrame('W', {6}), 12, 0), 2},
        {"other command", answerFrame('W', {6}), 4},
        {"field B not 64", answerFrame('P', {6}, 0x55, 0x65), 4},
        {"other parameter", answerFrame('P', {6}, 0x56), 5},
        {"empty answer", answerFrame('P', {}), 0},
    };
    for (const auto& c : cases) {
        link.feed(c.answer);
        EXPECT_EQ(protocol.readAnswer('P'), c.code) << c.what;
        EXPECT_EQ(protocol.answerBytesRead(), c.answer.size()) << c.what << ": the whole answer is consumed";
    }
    EXPECT_TRUE(protocol.answerPayload().empty()) << "the empty answer, never an earlier one's code or payload";
    EXPECT_EQ(link.linkLost, 0);
}

TEST_F(ProtocolTest, NoiseAndProgressDotsBeforeTheStarAreSkippedAndNotSummed) {
    link.feed(std::string("..\x06\xFF junk"));
    link.feed(answerFrame('R', {0x10, 0x20, 0x30}));
    EXPECT_EQ(protocol.readAnswer('R'), 6);
    EXPECT_EQ(std::vector<uint8_t>(protocol.answerPayload().begin(), protocol.answerPayload().end()),
              (std::vector<uint8_t>{0x10, 0x20, 0x30}));
}

TEST_F(ProtocolTest, AnswerOfExactly1200BytesIsStored) {
    std::vector<uint8_t> payload(1200);
    for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(i * 7);
    link.feed(answerFrame('R', payload));
    EXPECT_EQ(protocol.readAnswer('R'), 6);
    ASSERT_EQ(protocol.answerPayload().size(), 1200u);
    EXPECT_EQ(protocol.answerPayload()[1199], payload[1199]);
}

TEST_F(ProtocolTest, AnswerAnnouncingMoreThan1200BytesIsDiscardedWithCodeZero) {
    std::vector<uint8_t> payload(1300, 0x2A);  // full of "*" to tempt a resync inside it
    link.feed(answerFrame('R', payload));
    link.feed(answerFrame('P', {6}));
    EXPECT_EQ(protocol.readAnswer('R'), 0);
    EXPECT_EQ(protocol.lastFailure(), LinkFailure::AnswerTooLong);
    EXPECT_TRUE(protocol.answerPayload().empty());  // nothing of the long answer stored
    EXPECT_EQ(protocol.readAnswer('P'), 6);  // the next answer is read cleanly
    EXPECT_EQ(link.linkLost, 0);
}

TEST_F(ProtocolTest, RandomAnswersGiveACodeAndNeverOverrunData) {
    uint64_t state = 99;
    auto next = [&state] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint8_t>(state >> 56);
    };
    for (int round = 0; round < 500; ++round) {
        std::vector<uint8_t> answer = answerFrame('R', std::vector<uint8_t>(next() % 40, 0x33));
        // Damage a few bytes, the length field included now and then.
        for (int k = next() % 4; k > 0; --k) answer[next() % answer.size()] = next();
        std::string ignored;
        link.port.open(ignored);
        protocol.clearReceiveRing();
        link.port.fed.clear();
        link.feed(answer);
        const uint8_t code = protocol.readAnswer('R');
        const auto payload = protocol.answerPayload();
        EXPECT_LE(payload.size(), CommandProtocol::kMaxPayload);
        EXPECT_TRUE(code <= 6 || (payload.size() == 1 && code == payload[0])) << round;
    }
}

// ---- The exchange and the resend after NAK --------------------------------------------------------

// Only a NAK is answered by sending the frame again: once, and byte for byte the same.
TEST(ProtocolExchange, ANakGetsExactlyOneResendOfTheSameFrame) {
    const auto nak = answerFrame('E', {21});
    const auto ack = answerFrame('E', {6});
    const auto other = answerFrame('W', {6});
    for (auto [first, second, status, writes] :
         {std::tuple{nak, ack, 6, 2u}, std::tuple{nak, nak, 21, 2u}, std::tuple{other, other, 4, 1u}}) {
        test::EmulatedLink link(test::EmulatedLink::silent());
        link.feed(first);
        link.feed(second);
        EXPECT_EQ(link.protocol.exchange('E', std::vector<uint8_t>{0x3F, 0xFF, 0xFF}), status);
        EXPECT_EQ(link.writes(), std::vector<std::vector<uint8_t>>(writes, test::commandFrame('E', {0x3F, 0xFF, 0xFF})));
    }
}

// ---- Time-out, lost line, cancel --------------------------------------------------------------

TEST_F(ProtocolTest, SilenceAfterSomeBytesIsAGarbledAnswerAndClosesThePortAfterFiftyOneTicks) {
    auto answer = answerFrame('P', {6});
    link.feed(std::vector<uint8_t>(answer.begin(), answer.begin() + 8));
    EXPECT_EQ(protocol.readAnswer('P'), 0);
    EXPECT_EQ(clock.nowMs(), 5100);  // fake time: (50 + 1) ticks of 100 ms after the last byte
    EXPECT_EQ(link.linkLost, 1);
    EXPECT_FALSE(link.port.isOpen());
    EXPECT_EQ(protocol.lastFailure(), LinkFailure::Garbled);
    EXPECT_TRUE(protocol.timedOut());
}

TEST_F(ProtocolTest, TimeOutTicksAsCounted) {
    // Halves go to even (2.5 and 3.5); a negative setting counts as 0.
    for (auto [ms, ticks] : {std::pair{5000, 50}, {0, 0}, {250, 2}, {350, 4}, {149, 1}, {-300, 0}}) {
        EXPECT_EQ(CommandProtocol::ticksFor(ms), ticks) << ms;
    }

    struct Case {
        int setting;
        int64_t waited;
    };
    for (Case c : {Case{0, 100}, Case{-5000, 100}, Case{250, 300}, Case{32767, 32900}, Case{1000000, 60100}}) {
        test::EmulatedLink silent(test::EmulatedLink::silent());
        silent.protocol.setLinkLostHandler({});
        silent.protocol.setByteTimeOut(c.setting);
        uint8_t byte = 0;
        EXPECT_FALSE(silent.protocol.readByte(byte));
        EXPECT_EQ(silent.clock.nowMs(), c.waited) << c.setting;
        EXPECT_FALSE(silent.port.isOpen()) << "without a handler the protocol closes the port itself";
    }
}

// An erase's progress dots arrive one interval apart after its acknowledgement.
test::EmulatedLink& afterEraseAck(test::EmulatedLink& link) {
    EXPECT_EQ(link.protocol.exchange('E', std::vector<uint8_t>{0x3F, 0xF1, 0x00}), 6);
    return link;
}

UnitOptions dotsEvery(int64_t intervalMs) {
    UnitOptions options;
    options.eraseDots = 100;
    options.eraseDotIntervalUs = intervalMs * 1000;
    return options;
}

TEST(ProtocolTimeOut, EveryByteRestartsTheCount) {
    // 10 ticks: 1100 ms of silence allowed per byte, however long the bytes have been coming.
    for (auto [intervalMs, inTime] : {std::pair{1050, true}, std::pair{1200, false}}) {
        test::EmulatedLink link(dotsEvery(intervalMs));
        link.protocol.setByteTimeOut(1000);
        const int64_t start = afterEraseAck(link).clock.nowMs();
        uint8_t byte = 0;
        for (int dot = 1; dot <= (inTime ? 3 : 1); ++dot) EXPECT_EQ(link.protocol.readByte(byte), inTime) << intervalMs << " ms";
        EXPECT_EQ(link.clock.nowMs() - start, inTime ? 3 * intervalMs : 1100);
        EXPECT_EQ(link.linkLost, inTime ? 0 : 1);
    }
}

TEST(ProtocolTimeOut, BytesThatNeverMakeAWholeAnswerAreGivenUpAfterTheAnswerTimeOut) {
    test::EmulatedLink link(dotsEvery(4000));
    const int64_t start = afterEraseAck(link).clock.nowMs();
    EXPECT_EQ(link.protocol.readAnswer('P'), 0);
    EXPECT_EQ(link.protocol.lastFailure(), LinkFailure::AnswerTooSlow);
    EXPECT_EQ(link.clock.nowMs() - start, link.protocol.answerTimeOutMs());
    EXPECT_EQ(link.protocol.answerTimeOutMs(), 4 * 5100);
    EXPECT_EQ(link.linkLost, 1);
}

TEST_F(ProtocolTest, LostLineFailsAtOnce) {
    link.port.unit().unplug();
    EXPECT_EQ(protocol.readAnswer('P'), 0);
    EXPECT_EQ(clock.nowMs(), 0);
    EXPECT_EQ(link.linkLost, 1);
    EXPECT_EQ(protocol.lastFailure(), LinkFailure::LineLost);
}

TEST_F(ProtocolTest, CancelEndsTheWaitAsAFailureUntilCleared) {
    protocol.cancel();
    link.feed(answerFrame('P', {6}));
    EXPECT_EQ(protocol.readAnswer('P'), 0);
    EXPECT_EQ(protocol.lastFailure(), LinkFailure::Cancelled);
    EXPECT_EQ(clock.nowMs(), 0);
    // The port stays open: the caller may still have something to tell the unit.
    EXPECT_EQ(link.linkLost, 0);
    EXPECT_TRUE(link.port.isOpen());
    protocol.clearCancel();
    EXPECT_EQ(protocol.readAnswer('P'), 6);
}

// ---- The receive ring -------------------------------------------------------------------------

TEST_F(ProtocolTest, RingOverrunFailsTheReadInsteadOfLosingBytes) {
    std::vector<uint8_t> fill(1023, '.');
    EXPECT_TRUE(protocol.receive(fill.data(), fill.size()));
    const uint8_t one = '*';
    EXPECT_FALSE(protocol.receive(&one, 1));
    EXPECT_EQ(protocol.readAnswer('P'), 0);
    EXPECT_EQ(protocol.lastFailure(), LinkFailure::RingOverrun);
    // The ring starts afresh and the next answer reads cleanly.
    link.feed(answerFrame('P', {6}));
    EXPECT_EQ(protocol.readAnswer('P'), 6);
}

// ---- Writing to a closed port ------------------------------------------------------------------

TEST_F(ProtocolTest, FramesToAClosedPortAreDroppedWithTheStatusText) {
    link.port.close();
    protocol.sendCommand('R', std::vector<uint8_t>{0x3F, 0xF0, 0x00});
    EXPECT_FALSE(protocol.sendFrame(frames::closingFrame()));
    EXPECT_TRUE(link.writes().empty());
    EXPECT_EQ(link.display.last(), "Status:  Com port not connected!");
}

}  // namespace
}  // namespace mmx
