// The session's answers as the callers see them: which result codes and read failures count as
// acknowledged, refused, damaged or no answer (the exit codes follow from these), and which
// may go out again.
#include <gtest/gtest.h>

#include "app/link/unit_commands.h"
#include "device/emulator_port.h"
#include "device/unit_session.h"
#include "emulated_link.h"

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
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(UnitSession, ACancelBeforeACommandSendsNothingAndEndsEveryStep) {
    test::EmulatedLink link;
    link.session.requestCancel();
    EXPECT_TRUE(link.session.start().cancelled());
    EXPECT_TRUE(link.session.beginSeries().cancelled());
    EXPECT_TRUE(link.session.writeBlock(0, std::vector<uint8_t>(350, 1)).cancelled());
    EXPECT_FALSE(link.session.readMessageTable().table.has_value());
    EXPECT_TRUE(link.writes().empty());
    link.session.clearCancel();
    EXPECT_TRUE(link.session.start().acknowledged());
}

// The erase and table-read use cases over a connection to the in-process unit.
struct ConversationCase {
    const char* name;
    UnitOptions unit;
    app::LinkVerdict verdict;
    app::LinkStep step;
    AnswerKind kind;
};

class UnitConversations : public ::testing::TestWithParam<ConversationCase> {
protected:
    app::EraseOutcome erase(const UnitOptions& options) {
        UnitEmulator unit(options);
        Connection connection(LinkSettings{}, clock, shown, factoryFor(unit));
        const uint32_t addresses[] = {0x3FFFFF, 0x1FFFFF};
        return app::eraseUnit(connection, addresses);
    }
    app::TablesOutcome read(const UnitOptions& options) {
        UnitEmulator unit(options);
        unit.load(0x3FF000, test::messageTableFor({0}, 175, 1));
        Connection connection(LinkSettings{}, clock, shown, factoryFor(unit));
        return app::readUnitTables(connection);
    }
    PortFactory factoryFor(UnitEmulator& unit) {
        return [this, &unit](const LinkSettings&, std::string&) { return std::make_unique<EmulatorPort>(unit, clock); };
    }
    FakeClock clock;
    test::RecordingLink shown;
};

UnitOptions silentUnit() {
    UnitOptions options;
    options.silentAfterFrames = 0;
    return options;
}
UnitOptions garblingUnit() {
    UnitOptions options;
    options.corruptSentRate = 1.0;
    return options;
}

TEST_F(UnitConversations, ErasingAndReadingAWorkingUnit) {
    const app::EraseOutcome erased = erase({});
    EXPECT_TRUE(erased.done());
    EXPECT_EQ(erased.erased, 2u);
    const app::TablesOutcome read = this->read({});
    ASSERT_TRUE(read.done());
    EXPECT_EQ(std::vector<uint8_t>(read.messageTable->begin(), read.messageTable->end()),
              test::messageTableFor({0}, 175, 1));
}

TEST_P(UnitConversations, NameTheStepAndWhatTheUnitDid) {
    const ConversationCase& c = GetParam();
    const app::LinkOutcome outcome = std::string(c.name).find("Read") == 0 ? app::LinkOutcome(read(c.unit))
                                                                            : app::LinkOutcome(erase(c.unit));
    EXPECT_EQ(outcome.verdict, c.verdict);
    EXPECT_EQ(outcome.failedStep, c.step);
    EXPECT_EQ(outcome.answer.kind, c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UnitConversations,
    ::testing::Values(
        ConversationCase{"EraseSilent", silentUnit(), app::LinkVerdict::Failed, app::LinkStep::Start, AnswerKind::NoAnswer},
        ConversationCase{"EraseGarbled", garblingUnit(), app::LinkVerdict::Failed, app::LinkStep::Start, AnswerKind::Damaged},
        ConversationCase{"ReadSilent", silentUnit(), app::LinkVerdict::Failed, app::LinkStep::ReadTable, AnswerKind::NoAnswer},
        ConversationCase{"ReadGarbled", garblingUnit(), app::LinkVerdict::Failed, app::LinkStep::ReadTable, AnswerKind::Damaged}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(UnitConversations, APortThatCannotBeOpenedIsAPortError) {
    Connection connection(LinkSettings{}, clock, shown, [](const LinkSettings&, std::string& error) {
        error = "/dev/ttyUSB0: no such device";
        return std::unique_ptr<BytePort>();
    });
    const app::TablesOutcome read = app::readUnitTables(connection);
    EXPECT_EQ(read.verdict, app::LinkVerdict::PortError);
    EXPECT_EQ(read.portError, "/dev/ttyUSB0: no such device");
}

}  // namespace
}  // namespace mmx
