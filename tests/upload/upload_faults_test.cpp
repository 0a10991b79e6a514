// Uploads that meet refusals, damaged, empty or endless answers, silence and a cancel: what goes
// on the line, what the status panel and message boxes show, and that no failure passes as
// success.
#include <gtest/gtest.h>

#include "many_units.h"
#include "support/expected_image.h"
#include "support/test_support.h"
#include "upload_rig.h"

namespace mmx::test {
namespace {

using Kind = Sabotage::Kind;

class UploadFaults : public ::testing::Test {
protected:
    UploadRig rig;
    SlotFiles files;
    image::UnitImage image;

    void SetUp() override {
        files.bytes[0] = patternBytes(1000, 1);  // blocks at 0x000000, 0x0000AF, 0x00015E
        files.bytes[1] = patternBytes(100, 2);   // one block at 0x00020D
        image = imageFor(files);
    }
    void sabotage(const std::string& frame, Kind kind, int times = 1, int skip = 0,
                  std::vector<uint8_t> bytes = {}) {
        rig.sabotage.push_back(Sabotage{frame, kind, skip, times, std::move(bytes)});
    }
    bool sawFrame(const std::string& prefix, size_t from = 0) const {
        const auto frames = rig.frames();
        for (size_t i = from; i < frames.size(); ++i) {
            if (frames[i].rfind(prefix, 0) == 0) return true;
        }
        return false;
    }
    void expectFailedAndEnded(const UploadResult& result) const {
        EXPECT_FALSE(result.succeeded());
        EXPECT_FALSE(rig.display.showed(rig.statusText(UiTextTable::UploadSucceeded)));
        EXPECT_FALSE(rig.display.showed(rig.statusText(UiTextTable::ConfigUploadSucceeded)));
        EXPECT_FALSE(rig.connection.isConnected());
        EXPECT_GE(rig.display.releases, 1);
        EXPECT_FALSE(rig.connection.clockRunning());
    }
    static int occurrences(const std::vector<uint8_t>& wire, const std::vector<uint8_t>& bytes) {
        int n = 0;
        for (auto at = wire.begin(); (at = std::search(at, wire.end(), bytes.begin(), bytes.end())) != wire.end(); ++at) ++n;
        return n;
    }
};

struct Refusal {
    const char* name;
    const char* frame;
    Kind kind;
    int times;
    int skip;
    UploadStep step;
    UploadFault fault;
    int lastStatus;           // status text the panel ends with
    const char* absentFrame;  // a frame that must not follow
    int failedSlot;
    const char* lastFrame = nullptr;  // the frame the line ends with, where it matters
    std::vector<uint8_t> bytes = {};  // the answer for Kind::Bytes and Kind::Trickle
};

class RefusedStep : public UploadFaults, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedStep, EndsTheUploadAtThatStepWithItsStatus) {
    const Refusal& c = GetParam();
    sabotage(c.frame, c.kind, c.times, c.skip, c.bytes);
    const UploadResult result = rig.upload(image);
    EXPECT_EQ(result.verdict, UploadVerdict::Failed);
    EXPECT_EQ(result.failedStep, c.step);
    EXPECT_EQ(result.fault, c.fault);
    // Silence is 4; a refusal and an answer that cannot be used (never an earlier one's code) 5.
    EXPECT_EQ(cli::exitCodeFor(result), c.fault == UploadFault::NoAnswer ? 4 : 5);
    EXPECT_EQ(result.failedSlot, c.failedSlot);
    EXPECT_EQ(rig.display.last(), rig.statusText(c.lastStatus));
    EXPECT_FALSE(sawFrame(c.absentFrame));
    // The series is closed before the port closes unless the unit plainly refused the "W".
    if (c.lastFrame != nullptr) {
        EXPECT_EQ(rig.frames().back(), c.lastFrame);
    }
    if (c.times == unit::kFrameTries) {
        EXPECT_EQ(result.frameResends, 4u) << "five tries, never a sixth";
    }
    expectFailedAndEnded(result);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, RefusedStep,
    ::testing::Values(
        Refusal{"StartNak", "P", Kind::Nak, 2, 0, UploadStep::Start, UploadFault::Refused, UiTextTable::UploadFailed, "E", 0},
        Refusal{"StartGarbled", "P", Kind::Bytes, 1, 0, UploadStep::Start, UploadFault::Refused, UiTextTable::UploadFailed,
                "E", 0, nullptr, {'?', '?', 0x00}},
        // After the acknowledged "W" every data frame is answered with no payload at all.
        Refusal{"EmptyBlockAnswers", "D", Kind::Bytes, 1000, 0, UploadStep::SendMessage, UploadFault::Refused,
                UiTextTable::UploadFailed, "D 0000AF", 1, nullptr, answerFrame('W', {})},
        Refusal{"EraseNak", "E 1FFFFF", Kind::Nak, 2, 0, UploadStep::Erase, UploadFault::Refused, UiTextTable::EraseFailed, "W", 0},
        Refusal{"FiveBlockNaks", "D 0000AF", Kind::Nak, 5, 0, UploadStep::SendMessage, UploadFault::Refused,
                UiTextTable::UploadFailed, "D 00015E", 1, "D close"},
        Refusal{"BlockSilent", "D 0000AF", Kind::Silence, 1, 0, UploadStep::SendMessage, UploadFault::NoAnswer,
                UiTextTable::UploadFailed, "D 00015E", 1},
        Refusal{"BlockAnswerNeverEnds", "D 0000AF", Kind::Trickle, 1, 0, UploadStep::SendMessage, UploadFault::NoAnswer,
                UiTextTable::UploadFailed, "D 00015E", 1},
        // The erase acknowledges its command, then sends progress dots for ever.
        Refusal{"EraseDotsNeverEnd", "E 3FFFFF", Kind::Trickle, 1, 0, UploadStep::Erase, UploadFault::NoAnswer,
                UiTextTable::EraseFailed, "E 1FFFFF", 0, nullptr, answerFrame('E', {6})},
        Refusal{"EraseAnswerNeverEnds", "E 3FFFFF", Kind::Trickle, 1, 0, UploadStep::Erase, UploadFault::NoAnswer,
                UiTextTable::EraseFailed, "E 1FFFFF", 0},
        Refusal{"SecondFileWriteNak", "W", Kind::Nak, 2, 1, UploadStep::SendMessage, UploadFault::Refused,
                UiTextTable::UploadFailed, "D 00020D", 2, "W"},
        Refusal{"SecondFileWriteDamaged", "W", Kind::Damaged, 1, 1, UploadStep::SendMessage, UploadFault::Refused,
                UiTextTable::UploadFailed, "D 00020D", 2, "D close"},
        Refusal{"FiveClosingNaks", "D close", Kind::Nak, 5, 0, UploadStep::SendMessage, UploadFault::Refused,
                UiTextTable::UploadFailed, "D 00020D", 1},
        Refusal{"TablesWriteNak", "W", Kind::Nak, 2, 2, UploadStep::WriteTables, UploadFault::Refused,
                UiTextTable::UploadFailed, "D 3FF000", 0},
        Refusal{"FiveTableNaks", "D 3FF000", Kind::Nak, 5, 0, UploadStep::WriteTables, UploadFault::Refused,
                UiTextTable::UploadFailed, "D 3FF100", 0},
        Refusal{"FiveTablesClosingNaks", "D close", Kind::Nak, 5, 2, UploadStep::WriteTables, UploadFault::Refused,
                UiTextTable::UploadFailed, "L", 0},
        Refusal{"FinishNak", "L", Kind::Nak, 2, 0, UploadStep::Finish, UploadFault::Refused, UiTextTable::UploadFailed,
                "R", 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(UploadFaults, RefusedOrDamagedBlocksGoOutAgainUnchangedWithinFiveTries) {
    sabotage("D 0000AF", Kind::Damaged, 2);
    sabotage("D 0000AF", Kind::Nak, 2);  // takes over once the first rule is used up
    const UploadResult result = rig.upload(image);
    ASSERT_EQ(result.verdict, UploadVerdict::Succeeded) << static_cast<int>(result.fault);
    const auto frames = rig.frames();
    EXPECT_EQ(std::count(frames.begin(), frames.end(), "D 0000AF 350"), 5);
    EXPECT_EQ(result.frameResends, 4u);
    EXPECT_EQ(firstDifference(rig.unit.image(), expectedUpload(files.bytes, {}).image), "");
    // The five frames for 0x0000AF are byte for byte the same.
    const std::vector<uint8_t> block(files.bytes[0]->begin() + 350, files.bytes[0]->begin() + 700);
    EXPECT_EQ(occurrences(rig.wire, dataFrame(0x0000AF, block)), 5);
}

TEST_F(UploadFaults, AUnitThatRefusesEverySecondFrameStillGetsTheWholeImage) {
    UnitOptions options;
    options.nakEveryNth = 2;
    UploadRig naky(options);
    const UploadResult result = naky.upload(image);
    ASSERT_EQ(result.verdict, UploadVerdict::Succeeded) << static_cast<int>(result.fault);
    EXPECT_EQ(firstDifference(naky.unit.image(), expectedUpload(files.bytes, {}).image), "");
    // Closing frames are refused too and go out again: three series, more than three on the line.
    EXPECT_GT(occurrences(naky.wire, closingFrame()), 3);
}

// A cancel before the second message's "W", or after the first block, before the next.
class CancelledUpload : public UploadFaults, public ::testing::WithParamInterface<bool> {};

TEST_P(CancelledUpload, StopsAtOnceClosesTheSeriesAndThePortAndCountsOnlySentBlocks) {
    const bool afterFirstBlock = GetParam();
    rig.display.onStatus = [this, afterFirstBlock](const std::string& text) {
        if (!afterFirstBlock && text.find("message2") != std::string::npos) rig.driver.cancel();
    };
    rig.display.onProgress = [this, afterFirstBlock](long value) {
        if (afterFirstBlock && value > 0) rig.driver.cancel();
    };
    const UploadResult result = rig.upload(image);
    EXPECT_EQ(result.verdict, UploadVerdict::Cancelled);
    EXPECT_EQ(result.fault, UploadFault::Cancelled);
    EXPECT_EQ(result.failedStep, UploadStep::SendMessage);
    EXPECT_TRUE(result.unitErased);
    EXPECT_EQ(result.blocksSent, afterFirstBlock ? 1u : 3u);
    EXPECT_FALSE(sawFrame(afterFirstBlock ? "D 0000AF" : "D 00020D"));
    EXPECT_FALSE(sawFrame("L"));
    EXPECT_EQ(rig.frames().back(), "D close");
    expectFailedAndEnded(result);
    rig.display.onStatus = nullptr;
    rig.display.onProgress = nullptr;
    EXPECT_EQ(rig.upload(image).verdict, UploadVerdict::Succeeded);
}

INSTANTIATE_TEST_SUITE_P(Points, CancelledUpload, ::testing::Bool());

// A port already open fails its Connect the same way (with its own alert first, pinned on the
// connection).
TEST_F(UploadFaults, PortThatCannotBeOpened) {
    rig.openError = "no such device";
    const UploadResult result = rig.upload(image);
    EXPECT_EQ(result.verdict, UploadVerdict::PortError);
    EXPECT_EQ(result.portError, "no such device");
    EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::UploadFailed));
    EXPECT_EQ(rig.display.alerts, std::vector<std::string>{"RS232 Com Port cannot be open!"});
    EXPECT_TRUE(rig.wire.empty());
}

TEST_F(UploadFaults, ReadBackFailureShowsStatus4AndTheFullUploadContinues) {
    sabotage("R 3FF000", Kind::Nak);
    UploadOptions options;
    options.readTableFirst = true;
    const UploadResult result = rig.upload(image, options);
    EXPECT_EQ(result.verdict, UploadVerdict::Succeeded);
    EXPECT_FALSE(result.tableReadBack);
    EXPECT_TRUE(rig.display.showed(rig.statusText(UiTextTable::ReadingFailed)));
    EXPECT_EQ(rig.frames().at(0), "R 3FF000");
    EXPECT_EQ(rig.frames().at(2), "E 3FFFFF");
}

// The unit is asked for its table first (the set-up was uploaded before). When that read
// loses the line, the upload ends there with the read's own cause: nothing more goes out, and
// the exit code says silent (4) or garbled (5), never "port not connected".
struct LostTableRead {
    const char* name;
    Kind kind;
    std::vector<uint8_t> bytes;
    UploadFault fault;
    LinkFailure cause;
    int exitCode;
};

class TableReadFirst : public UploadFaults, public ::testing::WithParamInterface<LostTableRead> {};

TEST_P(TableReadFirst, LosingTheLineEndsTheUploadWithTheReadsCause) {
    const LostTableRead& c = GetParam();
    sabotage("R 3FF000", c.kind, 1, 0, c.bytes);
    UploadOptions options;
    options.readTableFirst = true;
    const UploadResult result = rig.upload(image, options);
    EXPECT_EQ(result.verdict, UploadVerdict::Failed);
    EXPECT_EQ(result.failedStep, UploadStep::ReadTable);
    EXPECT_EQ(result.fault, c.fault);
    EXPECT_EQ(result.answer.cause, c.cause);
    EXPECT_EQ(cli::exitCodeFor(result), c.exitCode);
    EXPECT_EQ(rig.frames(), std::vector<std::string>{"R 3FF000"}) << "no P to a port that is gone";
    EXPECT_FALSE(rig.display.showed(rig.statusText(UiTextTable::ComPortNotConnected)));
    EXPECT_FALSE(result.unitErased);
    expectFailedAndEnded(result);
}

INSTANTIATE_TEST_SUITE_P(
    Lost, TableReadFirst,
    ::testing::Values(LostTableRead{"Silent", Kind::Silence, {}, UploadFault::NoAnswer, LinkFailure::Silence, 4},
                      LostTableRead{"Garbled", Kind::Bytes, {'#', 0x01, 'x', 0x7F}, UploadFault::Refused,
                                    LinkFailure::Garbled, 5}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(UploadFaults, ImageBeyondTheMemoryIsRefusedBeforeThePortOpens) {
    SlotFiles big;
    big.bytes[0] = std::vector<uint8_t>(8'380'000, 0);
    big.bytes[1] = std::vector<uint8_t>(1000, 0);
    const UploadResult result = rig.upload(imageFor(big));
    EXPECT_EQ(result.fault, UploadFault::OverCapacity);
    EXPECT_TRUE(rig.wire.empty());
    EXPECT_EQ(rig.display.alerts, std::vector<std::string>{"Message files exceed memory capacity of 8380 KB!"});
}

TEST_F(UploadFaults, VerifyMismatchIsAFailure) {
    sabotage("R 3FF000", Kind::Bytes, 1, 0, answerFrame('R', std::vector<uint8_t>(128, 0)));
    UploadOptions options;
    options.verify = true;
    const UploadResult result = rig.upload(image, options);
    EXPECT_EQ(result.failedStep, UploadStep::Verify);
    EXPECT_EQ(result.fault, UploadFault::VerifyMismatch);
    EXPECT_FALSE(result.messagesUploaded);
    EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::CheckingFailed));
}

// The tables-only road, once the unit holds the image's messages as recorded.
class ConfigurationFaults : public UploadFaults, public ::testing::WithParamInterface<Refusal> {
protected:
    void SetUp() override {
        UploadFaults::SetUp();
        const UploadResult first = rig.upload(image);
        ASSERT_EQ(first.verdict, UploadVerdict::Succeeded);
        options.readTableFirst = true;
        options.recordedUnitTables[first.port] = image.messageTable();
        rig.unit.resetLine();
        mark = rig.display.status.size();
        frameMark = rig.frames().size();
    }
    UploadOptions options;
    size_t mark = 0;
    size_t frameMark = 0;
};

TEST_P(ConfigurationFaults, AreNeverReportedAsSuccess) {
    const Refusal& c = GetParam();
    sabotage(c.frame, c.kind, c.times, c.skip);
    const UploadResult result = rig.upload(image, options);
    EXPECT_EQ(result.verdict, UploadVerdict::Failed);
    EXPECT_FALSE(result.fullUpload);
    EXPECT_EQ(result.failedStep, UploadStep::ConfigurationOnly);
    EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::ConfigUploadFailed));
    EXPECT_EQ(std::count(rig.display.status.begin() + static_cast<std::ptrdiff_t>(mark), rig.display.status.end(),
                         rig.statusText(UiTextTable::ConfigUploadSucceeded)),
              0);
    EXPECT_FALSE(sawFrame(c.absentFrame, frameMark));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ConfigurationFaults,
    ::testing::Values(Refusal{"EraseNak", "E 3FF100", Kind::Nak, 2, 0, UploadStep::ConfigurationOnly,
                              UploadFault::Refused, 0, "D 3FF000", 0},
                      Refusal{"TableNaks", "D 3FF100", Kind::Nak, 5, 0, UploadStep::ConfigurationOnly,
                              UploadFault::Refused, 0, "D 000000", 0},
                      Refusal{"FinishNak", "L", Kind::Nak, 2, 0, UploadStep::ConfigurationOnly, UploadFault::Refused,
                              0, "D 000000", 0}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace mmx::test
