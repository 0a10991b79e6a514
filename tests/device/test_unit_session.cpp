// The session's answers as the callers see them: which result codes and read failures count as
// acknowledged, refused, damaged or no answer (the exit codes follow from these), and which
// may go out again.
#include <gtest/gtest.h>

#include "device/unit_session.h"
#include "scripted_port.h"
#include "unit_images.h"

namespace mmx {
namespace {

struct AnswerCase {
    const char* name;
    uint8_t code;
    LinkFailure cause;
    AnswerKind kind;
    bool resendable;
};

class SessionAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(SessionAnswers, AreSortedByWhatTheUnitDid) {
    const AnswerCase& c = GetParam();
    const UnitAnswer answer = UnitAnswer::from(c.code, c.cause);
    EXPECT_EQ(answer.kind, c.kind);
    EXPECT_EQ(answer.resendable(), c.resendable);
    EXPECT_EQ(answer.acknowledged(), c.kind == AnswerKind::Acknowledged);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SessionAnswers,
    ::testing::Values(AnswerCase{"Ack", 6, LinkFailure::None, AnswerKind::Acknowledged, false},
                      AnswerCase{"Nak", 21, LinkFailure::None, AnswerKind::Refused, true},
                      AnswerCase{"OtherByte", 7, LinkFailure::None, AnswerKind::Refused, true},
                      AnswerCase{"BadChecksum", 1, LinkFailure::None, AnswerKind::Damaged, true},
                      AnswerCase{"WrongParameter", 5, LinkFailure::None, AnswerKind::Damaged, true},
                      AnswerCase{"EmptyAnswer", 0, LinkFailure::None, AnswerKind::Damaged, false},
                      AnswerCase{"Garbled", 0, LinkFailure::Garbled, AnswerKind::Damaged, false},
                      AnswerCase{"TooLong", 0, LinkFailure::AnswerTooLong, AnswerKind::Damaged, false},
                      AnswerCase{"Overrun", 0, LinkFailure::RingOverrun, AnswerKind::Damaged, false},
                      AnswerCase{"Silence", 0, LinkFailure::Silence, AnswerKind::NoAnswer, false},
                      AnswerCase{"NeverWhole", 0, LinkFailure::AnswerTooSlow, AnswerKind::NoAnswer, false},
                      AnswerCase{"LineLost", 0, LinkFailure::LineLost, AnswerKind::NoAnswer, false},
                      AnswerCase{"Cancelled", 0, LinkFailure::Cancelled, AnswerKind::NoAnswer, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitSession, ACancelBeforeACommandSendsNothingAndEndsEveryStep) {
    test::EmulatedLink link;
    link.session.requestCancel();
    EXPECT_TRUE(link.session.start().cancelled());
    EXPECT_TRUE(link.session.beginSeries().cancelled());
    EXPECT_TRUE(link.session.writeBlock(0, std::vector<uint8_t>(350, 1)).cancelled());
    EXPECT_FALSE(link.session.readMessageTable().table.has_value());
    EXPECT_TRUE(link.port.writes().empty());
    link.session.clearCancel();
    EXPECT_TRUE(link.session.start().acknowledged());
}

TEST(UnitSession, SilenceIsNoAnswerButBytesThenSilenceAreAGarbledOne) {
    for (const bool talks : {false, true}) {
        FakeClock clock;
        test::RecordingLink shown;
        test::ScriptedPort port(clock);
        if (talks) port.feed(std::string("\x01junk"));
        CommandProtocol protocol(clock, shown);
        protocol.attach(&port);
        UnitSession session(protocol);
        const UnitAnswer answer = session.start();
        EXPECT_EQ(answer.kind, talks ? AnswerKind::Damaged : AnswerKind::NoAnswer) << talks;
        EXPECT_EQ(answer.cause, talks ? LinkFailure::Garbled : LinkFailure::Silence) << talks;
        EXPECT_FALSE(port.isOpen()) << "either way the line is given up";
    }
}

}  // namespace
}  // namespace mmx
