// Uploads that meet refusals, damaged answers, silence, missing files and a cancel: what goes on
// the line, what the status panel and message boxes show, and that no failure passes as success.
#include <filesystem>
#include <gtest/gtest.h>

#include "support/expected_image.h"
#include "support/test_support.h"
#include "upload_rig.h"

namespace mmx::test {
namespace {

using Kind = Sabotage::Kind;

class UploadFaults : public ::testing::Test {
protected:
    ScratchFolder folder;
    UploadRig rig;
    SlotFiles files;
    UploadSetup setup;

    void SetUp() override {
        files.bytes[0] = patternBytes(1000, 1);  // blocks at 0x000000, 0x0000AF, 0x00015E
        files.bytes[1] = patternBytes(100, 2);   // one block at 0x00020D
        setup = setupFor(folder.folder(), files);
    }
    void sabotage(const std::string& frame, Kind kind, int times = 1, int skip = 0) {
        Sabotage rule;
        rule.frame = frame;
        rule.kind = kind;
        rule.times = times;
        rule.skip = skip;
        rig.sabotage.push_back(rule);
    }
    int count(const std::string& frame) const {
        int n = 0;
        for (const auto& line : rig.frames()) n += line == frame ? 1 : 0;
        return n;
    }
    bool sawFrame(const std::string& prefix) const {
        for (const auto& line : rig.frames()) {
            if (line.rfind(prefix, 0) == 0) return true;
        }
        return false;
    }
    bool showedSuccess() const {
        return rig.display.showed(rig.statusText(UiTextTable::UploadSucceeded)) ||
               rig.display.showed(rig.statusText(UiTextTable::ConfigUploadSucceeded));
    }
    std::string failedText() const { return rig.statusText(UiTextTable::UploadFailed); }
    void expectEnded() const {
        EXPECT_FALSE(rig.connection.isConnected());
        EXPECT_GE(rig.display.releases, 1);
        EXPECT_FALSE(rig.connection.clockRunning());
    }
};

TEST_F(UploadFaults, NakOnABlockSendsTheSameFrameAgainAtTheSameAddress) {
    sabotage("D 0000AF", Kind::Nak, 2);
    const UploadResult result = rig.upload(setup);
    ASSERT_EQ(result.verdict, UploadVerdict::Succeeded) << result.detail;
    EXPECT_EQ(count("D 0000AF 350"), 3);
    EXPECT_EQ(result.frameResends, 2u);
    EXPECT_EQ(firstDifference(rig.unit.image(), expectedUpload(files.bytes, {}).image), "");

    // The three frames for 0x0000AF are byte for byte the same.
    const std::vector<uint8_t> head{'*', 0x01, 0x61, 0x00, 0x00, 0xAF};
    std::vector<size_t> starts;
    for (size_t i = 0; i + head.size() <= rig.wire.size(); ++i) {
        if (std::equal(head.begin(), head.end(), rig.wire.begin() + static_cast<std::ptrdiff_t>(i))) starts.push_back(i);
    }
    ASSERT_EQ(starts.size(), 3u);
    for (size_t start : starts) {
        EXPECT_TRUE(std::equal(rig.wire.begin() + static_cast<std::ptrdiff_t>(starts[0]),
                               rig.wire.begin() + static_cast<std::ptrdiff_t>(starts[0] + 360),
                               rig.wire.begin() + static_cast<std::ptrdiff_t>(start)));
    }
}

TEST_F(UploadFaults, FiveNaksOnOneBlockEndWithStatusText3) {
    sabotage("D 0000AF", Kind::Nak, 5);
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.verdict, UploadVerdict::Failed);
    EXPECT_EQ(result.failedStep, UploadStep::SendFile);
    EXPECT_EQ(result.fault, UploadFault::Refused);
    EXPECT_EQ(result.failedSlot, 1);
    EXPECT_EQ(count("D 0000AF 350"), 5);
    EXPECT_FALSE(sawFrame("D 00015E"));  // no block after the refused one, no checksum in its place
    EXPECT_FALSE(sawFrame("D close"));
    EXPECT_EQ(rig.display.last(), failedText());
    EXPECT_FALSE(showedSuccess());
    expectEnded();
}

TEST_F(UploadFaults, FourNaksOnOneBlockStillSucceed) {
    sabotage("D 0000AF", Kind::Nak, 4);
    EXPECT_EQ(rig.upload(setup).verdict, UploadVerdict::Succeeded);
    EXPECT_EQ(count("D 0000AF 350"), 5);
}

TEST_F(UploadFaults, DamagedReplyResendsTheBlockInsteadOfCuttingTheMessage) {
    sabotage("D 0000AF", Kind::Damaged, 1);
    const UploadResult result = rig.upload(setup);
    ASSERT_EQ(result.verdict, UploadVerdict::Succeeded) << result.detail;
    EXPECT_EQ(count("D 0000AF 350"), 2);
    EXPECT_EQ(firstDifference(rig.unit.image(), expectedUpload(files.bytes, {}).image), "");
}

TEST_F(UploadFaults, DamagedRepliesCountInTheSameFiveTries) {
    sabotage("D 0000AF", Kind::Damaged, 3);
    sabotage("D 0000AF", Kind::Nak, 2);  // takes over once the first rule is used up
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.verdict, UploadVerdict::Failed);
    EXPECT_EQ(count("D 0000AF 350"), 5);
    EXPECT_EQ(rig.display.last(), failedText());
}

TEST_F(UploadFaults, SilenceMidFileClosesThePortAndNeverReportsSuccess) {
    sabotage("D 0000AF", Kind::Silence);
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.verdict, UploadVerdict::Failed);
    EXPECT_EQ(result.fault, UploadFault::NoAnswer);
    EXPECT_EQ(result.lastStatus, 0);
    EXPECT_EQ(count("D 0000AF 350"), 1);  // a time-out is not retried
    EXPECT_FALSE(sawFrame("D 00015E"));
    EXPECT_FALSE(showedSuccess());
    EXPECT_FALSE(result.messagesUploaded);
    EXPECT_EQ(rig.display.last(), failedText());
    expectEnded();
}

TEST_F(UploadFaults, UnitFallingSilentAfterSomeFramesFailsTheUpload) {
    UnitOptions options;
    options.silentAfterFrames = 6;
    UploadRig silent(options);
    const UploadResult result = silent.upload(setup);
    EXPECT_EQ(result.verdict, UploadVerdict::Failed);
    EXPECT_EQ(result.fault, UploadFault::NoAnswer);
    EXPECT_FALSE(silent.connection.isConnected());
}

TEST_F(UploadFaults, PortThatCannotBeOpened) {
    rig.openError = "no such device";
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.verdict, UploadVerdict::PortError);
    EXPECT_EQ(result.detail, "no such device");
    EXPECT_EQ(rig.display.last(), failedText());
    EXPECT_EQ(rig.display.alerts, std::vector<std::string>{"RS232 Com Port cannot be open!"});
    EXPECT_TRUE(rig.wire.empty());
}

TEST_F(UploadFaults, PortAlreadyOpenStopsAtTheStart) {
    ASSERT_TRUE(rig.connection.Connect());
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.verdict, UploadVerdict::PortError);
    const std::vector<std::string> alerts{"The unit cannot be operated while upload is in progress!",
                                          "RS232 Com Port cannot be open!"};
    EXPECT_EQ(rig.display.alerts, alerts);
    EXPECT_FALSE(rig.connection.isConnected());
}

TEST_F(UploadFaults, StartNotAcknowledged) {
    sabotage("P", Kind::Nak, 2);  // the command goes out twice, then the upload ends
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.failedStep, UploadStep::Start);
    EXPECT_EQ(count("P"), 2);
    EXPECT_FALSE(sawFrame("E"));
    EXPECT_EQ(rig.display.last(), failedText());
    expectEnded();
}

TEST_F(UploadFaults, EraseNotAcknowledgedShowsTheEraseStatusOnly) {
    sabotage("E 1FFFFF", Kind::Nak, 2);
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.failedStep, UploadStep::Erase);
    EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::EraseFailed));
    EXPECT_FALSE(sawFrame("W"));
    expectEnded();
}

TEST_F(UploadFaults, WriteBeforeAFileNotAcknowledged) {
    sabotage("W", Kind::Nak, 2, 1);  // the second file's "W"
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.failedStep, UploadStep::SendFile);
    EXPECT_EQ(result.failedSlot, 2);
    EXPECT_EQ(rig.display.last(), failedText());
}

TEST_F(UploadFaults, ClosingFrameOfAFileNotAcknowledged) {
    sabotage("D close", Kind::Nak);
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.failedStep, UploadStep::SendFile);
    EXPECT_EQ(result.failedSlot, 1);
    EXPECT_EQ(count("D close"), 1);
    EXPECT_EQ(rig.display.last(), failedText());
}

TEST_F(UploadFaults, WriteBeforeTheTablesNotAcknowledged) {
    sabotage("W", Kind::Nak, 2, 2);
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.failedStep, UploadStep::WriteTables);
    EXPECT_FALSE(sawFrame("D 3FF000"));
    EXPECT_EQ(rig.display.last(), failedText());
}

TEST_F(UploadFaults, RefusedTableFailsAtOnceWithoutWaitingForAReply) {
    sabotage("D 3FF000", Kind::Nak, 5);
    const int64_t before = rig.clock.nowMs();
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.failedStep, UploadStep::WriteTables);
    EXPECT_EQ(result.fault, UploadFault::Refused);
    EXPECT_EQ(count("D 3FF000 128"), 5);
    EXPECT_FALSE(sawFrame("D 3FF100"));
    EXPECT_FALSE(sawFrame("L"));
    // No wait for a reply that cannot come: far less than one time-out of fake time.
    EXPECT_LT(rig.clock.nowMs() - before, 5000);
    EXPECT_EQ(rig.display.last(), failedText());
}

TEST_F(UploadFaults, ReplyAfterTheTablesNotAcknowledged) {
    sabotage("D close", Kind::Nak, 1, 2);
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.failedStep, UploadStep::WriteTables);
    EXPECT_FALSE(sawFrame("L"));
    EXPECT_EQ(rig.display.last(), failedText());
}

TEST_F(UploadFaults, FinishNotAcknowledged) {
    sabotage("L", Kind::Nak, 2);
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.failedStep, UploadStep::Finish);
    EXPECT_FALSE(result.messagesUploaded);
    EXPECT_EQ(rig.display.last(), failedText());
    expectEnded();
}

TEST_F(UploadFaults, ReadBackFailureShowsStatus4AndTheFullUploadContinues) {
    setup.MessagesUploaded = true;
    sabotage("R 3FF000", Kind::Nak);
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.verdict, UploadVerdict::Succeeded);
    EXPECT_FALSE(result.tableReadBack);
    EXPECT_TRUE(rig.display.showed(rig.statusText(UiTextTable::ReadingFailed)));
    EXPECT_EQ(rig.frames().at(0), "R 3FF000");
    EXPECT_EQ(rig.frames().at(2), "E 3FFFFF");
}

TEST_F(UploadFaults, MissingFileIsFoundBeforeAnythingIsErased) {
    ASSERT_EQ(rig.upload(setup).verdict, UploadVerdict::Succeeded);
    const std::vector<uint16_t> before = rig.unit.image();
    std::filesystem::remove(setup.slots[1].FilePath);
    const size_t mark = rig.frames().size();

    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.failedStep, UploadStep::CheckFiles);
    EXPECT_EQ(result.fault, UploadFault::FileMissing);
    EXPECT_EQ(result.failedSlot, 2);
    EXPECT_EQ(rig.frames().size(), mark + 1);  // only "P"
    EXPECT_EQ(rig.unit.image(), before);       // the unit keeps its old content
    EXPECT_EQ(rig.display.last(), failedText());
    EXPECT_EQ(rig.display.alerts, std::vector<std::string>{"Path of message file is incorrect!"});
    expectEnded();
}

TEST_F(UploadFaults, SetupThatNoLongerFitsIsRefusedBeforeTheErase) {
    std::filesystem::resize_file(setup.slots[1].FilePath, 8'380'000);  // sparse: costs no disk
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.fault, UploadFault::OverCapacity);
    EXPECT_FALSE(sawFrame("E"));
    EXPECT_EQ(rig.display.alerts, std::vector<std::string>{"Message files exceed memory capacity of 8380 KB!"});
    EXPECT_EQ(rig.display.last(), failedText());
}

class ConfigurationFaults : public UploadFaults {
protected:
    void SetUp() override {
        UploadFaults::SetUp();
        files.bytes[1].reset();
        setup = setupFor(folder.folder(), files);
        const UploadResult first = rig.upload(setup);
        ASSERT_EQ(first.verdict, UploadVerdict::Succeeded);
        setup.MessagesUploaded = true;
        rig.unit.resetLine();
    }
    void expectConfigurationFailed(const UploadResult& result) {
        EXPECT_EQ(result.verdict, UploadVerdict::Failed);
        EXPECT_EQ(result.failedStep, UploadStep::ConfigurationOnly);
        EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::ConfigUploadFailed));
        EXPECT_FALSE(showedSuccessAfter(mark_));
    }
    bool showedSuccessAfter(size_t mark) const {
        for (size_t i = mark; i < rig.display.status.size(); ++i) {
            if (rig.display.status[i] == rig.statusText(UiTextTable::ConfigUploadSucceeded)) return true;
        }
        return false;
    }
    size_t mark_ = 0;
};

TEST_F(ConfigurationFaults, RefusedTableIsNeverReportedAsSuccess) {
    mark_ = rig.display.status.size();
    const size_t frameMark = rig.frames().size();
    sabotage("D 3FF100", Kind::Nak, 5);
    const UploadResult result = rig.upload(setup);
    expectConfigurationFailed(result);
    EXPECT_EQ(result.fault, UploadFault::Refused);
    // The data frames are closed, but "L" does not follow.
    EXPECT_EQ(rig.frames().back(), "D close");
    EXPECT_GT(rig.frames().size(), frameMark);
}

TEST_F(ConfigurationFaults, EraseOfTheTablesNotAcknowledged) {
    mark_ = rig.display.status.size();
    sabotage("E 3FF100", Kind::Nak, 2);
    expectConfigurationFailed(rig.upload(setup));
}

TEST_F(ConfigurationFaults, FinishNotAcknowledged) {
    mark_ = rig.display.status.size();
    sabotage("L", Kind::Nak, 2);
    expectConfigurationFailed(rig.upload(setup));
}

TEST_F(UploadFaults, VerifyMismatchIsAFailure) {
    auto table = std::vector<uint8_t>(128, 0);
    Sabotage rule;
    rule.frame = "R 3FF000";
    rule.kind = Kind::Bytes;
    rule.bytes = answerFrame('R', table);
    rig.sabotage.push_back(rule);
    UploadOptions options;
    options.verify = true;
    const UploadResult result = rig.upload(setup, options);
    EXPECT_EQ(result.verdict, UploadVerdict::Failed);
    EXPECT_EQ(result.failedStep, UploadStep::Verify);
    EXPECT_EQ(result.fault, UploadFault::VerifyMismatch);
    EXPECT_FALSE(result.messagesUploaded);
    EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::CheckingFailed));
}

TEST_F(UploadFaults, CancelClosesThePortAndStopsTheUpload) {
    rig.display.onStatus = [this](const std::string& text) {
        if (text.find("message2") != std::string::npos) rig.driver.cancel();
    };
    const UploadResult result = rig.upload(setup);
    EXPECT_EQ(result.verdict, UploadVerdict::Cancelled);
    EXPECT_FALSE(sawFrame("D 00020D"));
    EXPECT_FALSE(sawFrame("L"));
    expectEnded();
    // The next upload runs normally.
    rig.display.onStatus = nullptr;
    EXPECT_EQ(rig.upload(setup).verdict, UploadVerdict::Succeeded);
}

TEST(TableBytes, SequenceNumbersAreTakenModulo256) {
    EXPECT_EQ(UploadDriver::sequenceNumber(" 12"), 12);
    EXPECT_EQ(UploadDriver::sequenceNumber("300"), 44);
    EXPECT_EQ(UploadDriver::sequenceNumber(""), 0);
    EXPECT_EQ(UploadDriver::sequenceNumber(" "), 0);
    EXPECT_EQ(UploadDriver::sequenceNumber("abc"), 0);
}

}  // namespace
}  // namespace mmx::test
