// The erase dialogue against the unit emulator and against crafted lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "emulated_link.h"

namespace mmx {
namespace {

using test::answerFrame;
using test::EmulatedLink;

// A line whose answers the test writes byte by byte.
class EraseOnScriptedLine : public ::testing::Test {
protected:
    EmulatedLink link{EmulatedLink::silent()};
    test::RecordingDisplay& display = link.display;
};

long countOf(const std::vector<std::string>& lines, const std::string& text) {
    return std::count(lines.begin(), lines.end(), text);
}

TEST(Erase, ThreeDotsThenAck) {
    UnitOptions options;
    options.eraseDots = 3;
    EmulatedLink link(options);
    EXPECT_TRUE(link.session.erase(0x3FF100).acknowledged());
    EXPECT_EQ(link.display.status,
              (std::vector<std::string>{"Status:  Erasing data...", "Status:  Erasing data...", "Status:  Erasing data...",
                                        "Status:  Erasing data successfully!"}));
    const std::vector<uint8_t> frame{'*', '6', '4', '4', '5', '5', '5', 0x00, 0x03, 0x3F, 0xF1, 0x00, '9', 'A', 0x0D, 0x0A};
    EXPECT_EQ(link.writes(), std::vector<std::vector<uint8_t>>{frame});
    EXPECT_EQ(link.unit.log(), (std::vector<std::string>{"E 3FF100"}));
}

struct DotsCase {
    uint32_t dots;
    int64_t intervalUs;  // between dots: 4 s keeps restarting the 5.1 s time-out
};

class EraseDots : public ::testing::TestWithParam<DotsCase> {};

TEST_P(EraseDots, EveryProgressDotIsShownThenTheAck) {
    UnitOptions options;
    options.eraseDots = GetParam().dots;  // 5000 at once: more than the receive ring holds
    options.eraseDotIntervalUs = GetParam().intervalUs;
    EmulatedLink link(options);
    EXPECT_TRUE(link.session.erase(0x1FFFFF).acknowledged());
    EXPECT_EQ(countOf(link.display.status, "Status:  Erasing data..."), GetParam().dots);
    EXPECT_EQ(link.display.last(), "Status:  Erasing data successfully!");
    EXPECT_TRUE(link.port.isOpen());
}

// None at all; over nine minutes of them, within the erase's own limit; many at once.
INSTANTIATE_TEST_SUITE_P(Dots, EraseDots,
                         ::testing::Values(DotsCase{0, 0}, DotsCase{140, 4000000}, DotsCase{5000, 0}));

TEST_F(EraseOnScriptedLine, DotsThenAnotherByteFails) {
    link.feed(answerFrame('E', {6}));
    link.feed(std::string("..\x15"));
    const UnitAnswer erased = link.session.erase(0x3FFFFF);
    EXPECT_EQ(erased.code, 0);
    EXPECT_EQ(erased.kind, AnswerKind::Damaged) << "the unit answered, but not that it is done";
    EXPECT_EQ(display.last(), "Status:  Erasing data failed!");
    EXPECT_EQ(countOf(display.status, "Status:  Erasing data..."), 2);
}

TEST_F(EraseOnScriptedLine, NakTwiceLeavesTheNakCode) {
    link.feed(answerFrame('E', {21}));
    link.feed(answerFrame('E', {21}));
    const UnitAnswer erased = link.session.erase(0x1FFFFF);
    EXPECT_EQ(erased.code, 21);
    EXPECT_EQ(erased.kind, AnswerKind::Refused);
    EXPECT_EQ(display.status, (std::vector<std::string>{"Status:  Erasing data failed!"}));
    ASSERT_EQ(link.writes().size(), 2u);
    EXPECT_EQ(link.writes()[0], link.writes()[1]) << "the resend carries the same address";
}

TEST_F(EraseOnScriptedLine, SilenceWhileErasingFailsAndClosesThePort) {
    link.feed(answerFrame('E', {6}));
    link.feed(std::string("."));
    const UnitAnswer erased = link.session.erase(0x3FFFFF);
    EXPECT_EQ(erased.kind, AnswerKind::NoAnswer);
    EXPECT_EQ(erased.cause, LinkFailure::Silence);
    EXPECT_EQ(display.last(), "Status:  Erasing data failed!");
    EXPECT_FALSE(link.port.isOpen());
    EXPECT_EQ(link.clock.nowMs(), 5100);
}

TEST_F(EraseOnScriptedLine, BytesAfterTheFinalAckAreLeftForTheNextAnswer) {
    link.feed(answerFrame('E', {6}));
    link.feed(std::string(".\x06.."));
    link.feed(answerFrame('W', {6}));
    EXPECT_TRUE(link.session.erase(0x3FFFFF).acknowledged());
    EXPECT_TRUE(link.session.beginSeries().acknowledged());
}

}  // namespace
}  // namespace mmx
