// Successful uploads end to end against the in-process unit: the unit's memory image, the bytes
// on the line, the configuration-only road and the progress figures.
#include <gtest/gtest.h>

#include <set>

#include "app/link/upload_unit.h"
#include "app/setup_edits.h"
#include "app/setup_files.h"
#include "storage/upload_record.h"
#include "support/expected_image.h"
#include "support/test_support.h"
#include "upload_rig.h"

namespace mmx::test {
namespace {

TEST(FullUpload, UnitHoldsTheImageOfTheMemoryMapSentInSlotOrder) {
    // Every awkward length, with empty slots between used ones.
    SlotFiles files;
    files.bytes[0] = patternBytes(1000, 1);   // even
    files.bytes[1] = patternBytes(777, 2);    // odd
    files.bytes[3] = patternBytes(348, 3);    // checksum ends the first block
    files.bytes[4] = patternBytes(349, 4);    // checksum alone in a second block
    files.bytes[6] = patternBytes(350, 5);    // checksum and padding in a second block
    files.bytes[7] = std::vector<uint8_t>{};  // empty file: one block of checksum and padding
    std::array<ExpectedTrigger, 12> triggers{};
    triggers[0] = ExpectedTrigger{{1, 2, 4, 12}, {true, false, false, false, false, true}};
    triggers[5].sequence = {44, 0, 0, 0};
    triggers[11].zones[2] = true;

    UploadRig rig;
    const UploadResult result = rig.upload(imageFor(files, triggers));

    ASSERT_EQ(result.verdict, UploadVerdict::Succeeded) << static_cast<int>(result.fault);
    EXPECT_TRUE(result.fullUpload);
    EXPECT_TRUE(result.messagesUploaded);
    const ExpectedUpload expected = expectedUpload(files.bytes, triggers);
    EXPECT_EQ(firstDifference(rig.unit.image(), expected.image), "");
    EXPECT_EQ(std::vector<uint8_t>(result.messageTable->begin(), result.messageTable->end()), expected.messageTable);
    EXPECT_EQ(std::vector<uint8_t>(result.triggerTable->begin(), result.triggerTable->end()), expected.triggerTable);
    ASSERT_TRUE(rig.unit.lastCheck().has_value());
    EXPECT_TRUE(rig.unit.lastCheck()->ok) << "the unit's own word sums, checked at L";
    EXPECT_TRUE(rig.unit.triggerTable().sealed);
    EXPECT_EQ(rig.unit.counters().writesOverUnerased, 0u);
    EXPECT_EQ(result.storedLengths, (std::array<int32_t, 12>{1050, 1050, 0, 350, 700, 0, 700, 350, 0, 0, 0, 0}));
    EXPECT_EQ(result.blocksSent, 3u + 3u + 1u + 2u + 2u + 1u);
    EXPECT_EQ(rig.link.sentSlots, (std::vector<int>{1, 2, 4, 5, 7, 8}));
    EXPECT_EQ(rig.frames().at(3), "W");
    EXPECT_EQ(rig.frames().at(4), "D 000000 350");
    EXPECT_EQ(rig.frames().at(7), "D close");
    EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::UploadSucceeded));
    // The success text only once, at the end: never after a single file.
    EXPECT_EQ(std::count(rig.display.status.begin(), rig.display.status.end(), rig.display.last()), 1);
    EXPECT_FALSE(rig.connection.isConnected());
}

TEST(FullUpload, BytesOnTheLineAreExactlyTheFramesOfTheUpload) {
    SlotFiles files;
    files.bytes[0] = std::vector<uint8_t>{0x01, 0x02, 0x03};
    std::array<ExpectedTrigger, 12> triggers{};
    triggers[0] = ExpectedTrigger{{1, 0, 0, 0}, {false, true, false, false, false, false}};
    UploadRig rig;
    ASSERT_TRUE(rig.upload(imageFor(files, triggers)).succeeded());

    // The block: words 0x0102, 0x03FF, the checksum word, then padding.
    std::vector<uint8_t> block(350, 0xFF);
    block[0] = 0x01;
    block[1] = 0x02;
    block[2] = 0x03;
    const uint16_t checksum = static_cast<uint16_t>(0x10000 - (0x0102 + 1) - (0x03FF + 1) - 1);
    block[4] = static_cast<uint8_t>(checksum >> 8);
    block[5] = static_cast<uint8_t>(checksum & 0xFF);
    const ExpectedUpload expected = expectedUpload(files.bytes, triggers);

    std::vector<uint8_t> line;
    auto add = [&line](const std::vector<uint8_t>& bytes) { line.insert(line.end(), bytes.begin(), bytes.end()); };
    add(commandFrame('P', {}));  // the program's own P is pinned to the published bytes elsewhere
    add(commandFrame('E', {0x3F, 0xFF, 0xFF}));
    add(commandFrame('E', {0x1F, 0xFF, 0xFF}));
    add(commandFrame('W', {}));
    add(dataFrame(0, block));
    add(closingFrame());
    add(commandFrame('W', {}));
    add(dataFrame(0x3FF000, expected.messageTable));
    add(dataFrame(0x3FF100, expected.triggerTable));
    add(closingFrame());
    add(commandFrame('L', {}));
    EXPECT_EQ(rig.wire, line);
}

TEST(FullUpload, AllSlotsEmptyGivesEmptyTablesAndNoMessageFrames) {
    UploadRig rig;
    const UploadResult result = rig.upload(imageFor({}));
    ASSERT_EQ(result.verdict, UploadVerdict::Succeeded);
    // Twelve absent entries (0xFFFF 0xFFFF), end 0, count 0: the words sum to 0xFFE8, closed by
    // 0xFFD8. The trigger table is all 0, its closing word too.
    image::TableBytes messageTable{};
    std::fill_n(messageTable.begin(), 48, 0xFF);
    messageTable[126] = 0xFF;
    messageTable[127] = 0xD8;
    EXPECT_EQ(result.messageTable, messageTable);
    EXPECT_EQ(result.triggerTable, image::TableBytes{});
    EXPECT_TRUE(rig.unit.lastCheck()->ok) << "empty tables are valid ones";
    const std::vector<std::string> expected{"P", "E 3FFFFF", "E 1FFFFF", "W", "D 3FF000 128", "D 3FF100 128",
                                            "D close", "L"};
    EXPECT_EQ(rig.frames(), expected);
}

// The upload as the operator starts it: a set-up value edited as the window and `edit` do, its
// files read and checked into an image, the record of what the unit holds kept in a folder.
class OperatorUpload : public ::testing::Test {
protected:
    void addSlot(int k, uint32_t rate, uint32_t dataBytes) {
        WaveShape shape;
        shape.sampleRate = rate;
        shape.dataBytes = dataBytes;
        shape.fill = static_cast<uint8_t>(0x20 + k);
        const std::string path = folder.writeWave("m" + std::to_string(k) + ".wav", shape);
        EXPECT_EQ(app::assignFile(setup, k, path).verdict, app::EditVerdict::Done);
        slotBytes[static_cast<size_t>(k - 1)] = readBytes(path);
    }
    // Nothing when a message file no longer passes: then nothing was sent.
    std::optional<UploadResult> upload(UploadOptions options = {}) {
        rig.unit.resetLine();
        const LoadedImage loaded = app::buildUnitImage(setup);
        problem = loaded.problem;
        if (!loaded.image) return std::nullopt;
        const UploadResult result =
            app::uploadImage(rig.driver, *loaded.image, {folder.folder(), messagesUploaded}, options).upload;
        messagesUploaded = result.messagesUploaded;
        return result;
    }
    std::vector<std::string> framesOfLastUpload() {
        std::vector<std::string> all = rig.frames();
        auto start = std::find(all.rbegin(), all.rend(), "P");
        if (start != all.rend() && start + 1 != all.rend() && *(start + 1) == "R 3FF000") ++start;
        return {start.base() - 1, all.end()};
    }

    ScratchFolder folder;
    mmx::Setup setup;
    bool messagesUploaded = false;
    std::optional<MessageFileProblem> problem;
    UploadRig rig;
    std::array<std::optional<std::vector<uint8_t>>, 12> slotBytes{};
};

TEST_F(OperatorUpload, SeveralRatesThenOnlyTheTablesWhenTheUnitHoldsTheseMessages) {
    addSlot(1, 8000, 304);  // files of 348, 349, 2044 and 44 bytes
    addSlot(2, 11025, 305);
    addSlot(3, 16000, 2000);
    addSlot(4, 24000, 0);
    app::setSequence(setup, 1, {2});
    app::setZones(setup, 1, {3});
    const auto first = upload();
    ASSERT_TRUE(first && first->succeeded());
    std::array<ExpectedTrigger, 12> triggers{};
    triggers[0] = ExpectedTrigger{{2, 0, 0, 0}, {false, false, true, false, false, false}};
    EXPECT_EQ(firstDifference(rig.unit.image(), expectedUpload(slotBytes, triggers).image), "");
    EXPECT_TRUE(messagesUploaded);
    // The blocks really sent.
    EXPECT_EQ(first->storedLengths, (std::array<int32_t, 12>{350, 700, 2100, 350, 0, 0, 0, 0, 0, 0, 0, 0}));

    app::setSequence(setup, 4, {3});
    app::setZones(setup, 4, {5});
    const auto second = upload();
    ASSERT_EQ(second->verdict, UploadVerdict::ConfigurationSucceeded) << static_cast<int>(second->fault);
    const std::vector<std::string> expected{"R 3FF000", "P", "E 3FF100", "W", "D 3FF000 128", "D 3FF100 128",
                                            "D close", "L"};
    EXPECT_EQ(framesOfLastUpload(), expected);
    triggers[3] = ExpectedTrigger{{3, 0, 0, 0}, {false, false, false, false, true, false}};
    EXPECT_EQ(firstDifference(rig.unit.image(), expectedUpload(slotBytes, triggers).image), "");
    EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::ConfigUploadSucceeded));
}

struct UnitTable {
    const char* name;
    std::function<void(UploadRig&, const ScratchFolder& settings)> change;
};

class UntrustedUnitTable : public OperatorUpload, public ::testing::WithParamInterface<UnitTable> {};

TEST_P(UntrustedUnitTable, TheMessagesAreSentAgain) {
    addSlot(1, 8000, 1000);
    ASSERT_TRUE(upload()->succeeded());
    GetParam().change(rig, folder);
    slotBytes[0] = readBytes(folder.folder() + "m1.wav");
    const auto second = upload();
    ASSERT_EQ(second->verdict, UploadVerdict::Succeeded);
    EXPECT_TRUE(second->fullUpload);
    EXPECT_EQ(firstDifference(rig.unit.image(), expectedUpload(slotBytes, {}).image), "");
}

INSTANTIATE_TEST_SUITE_P(
    Changes, UntrustedUnitTable,
    ::testing::Values(
        // An erased unit reads all 0xFF: twelve messages, end address FFFFFFFF.
        UnitTable{"Erased", [](UploadRig& rig, const ScratchFolder&) { rig.unit.eraseAll(); }},
        // One bit of the stored table flipped: its checksum no longer holds.
        UnitTable{"DamagedChecksum",
                  [](UploadRig& rig, const ScratchFolder&) {
                      auto bytes = rig.unit.bytesAt(0x3FF000, 64);
                      bytes[3] ^= 0x01;
                      rig.unit.load(0x3FF000, bytes);
                  }},
        // Another computer put the same table there, but this one has no record of it.
        UnitTable{"NoRecord",
                  [](UploadRig&, const ScratchFolder& settings) {
                      std::filesystem::remove(settings.folder() + kUploadRecordFile);
                  }},
        // The unit's table is the same, but the record is of other sound of the same length.
        UnitTable{"OtherSoundOfTheSameLength",
                  [](UploadRig&, const ScratchFolder& settings) {
                      WaveShape other;
                      other.sampleRate = 8000;
                      other.dataBytes = 1000;
                      other.fill = 0x77;
                      settings.writeWave("m1.wav", other);
                  }}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(OperatorUpload, FullSwitchSkipsTheReadBackAndVerifyReadsTheTableAfterL) {
    addSlot(1, 8000, 500);
    ASSERT_TRUE(upload()->succeeded());
    UploadOptions options;
    options.forceFull = true;
    options.verify = true;
    const auto second = upload(options);
    ASSERT_EQ(second->verdict, UploadVerdict::Succeeded);
    EXPECT_TRUE(second->verified);
    const auto frames = framesOfLastUpload();
    EXPECT_EQ(frames.at(0), "P");
    EXPECT_EQ(frames.at(1), "E 3FFFFF");
    EXPECT_EQ(frames.back(), "R 3FF000");
    EXPECT_TRUE(rig.display.showed(rig.statusText(UiTextTable::CheckingData)));
    EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::UploadSucceeded));
}

TEST_F(OperatorUpload, AFileThatChangedSinceItWasChosenStopsTheUploadBeforeTheErase) {
    addSlot(1, 8000, 500);
    WaveShape stereo;
    stereo.channels = 2;
    folder.writeWave("m1.wav", stereo);
    EXPECT_FALSE(upload());
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->slot, 1);
    EXPECT_EQ(problem->kind, MessageFileProblem::Kind::Refused);
    EXPECT_EQ(problem->messageBoxIndex, WaveCheck(ReadWaveHeader(folder.folder() + "m1.wav")).messageBoxIndex);
    EXPECT_TRUE(rig.wire.empty());  // the port was not even opened
}

TEST(UploadProgressReport, TicksFollowTheClockWithRisingPercent) {
    SlotFiles files;
    files.bytes[0] = patternBytes(350 * 200 - 2, 1);  // exactly 200 blocks
    UnitOptions paced;
    paced.baud = 115200;  // about 32 ms of line time per block and answer
    UploadRig rig(paced);
    ASSERT_EQ(rig.upload(imageFor(files)).verdict, UploadVerdict::Succeeded);

    const auto& ticks = rig.link.ticks;
    ASSERT_GE(ticks.size(), 5u);
    EXPECT_EQ(rig.display.progressShown.back(), false);
    EXPECT_EQ(rig.display.progressValues.back(), 70000);
    // Each tick's caption is shown as the connection shows it (pinned there).
    int lastPercent = -1;
    for (const UploadProgress& f : ticks) {
        EXPECT_EQ(f.totalBytes, 70000);
        EXPECT_GE(f.percent, lastPercent);
        lastPercent = f.percent;
    }
    EXPECT_EQ(rig.display.captions.back(), "");  // cleared at the end
}

TEST(UploadProgressReport, ConnectionClockKeepsTickingWhileTheUnitIsSlow) {
    SlotFiles files;
    files.bytes[0] = patternBytes(1000, 2);
    UnitOptions slowErase;
    slowErase.eraseDots = 2;
    slowErase.eraseDotIntervalUs = 4'000'000;  // 4 s between dots: long silences, no time-out
    UploadRig rig(slowErase);
    ASSERT_EQ(rig.upload(imageFor(files)).verdict, UploadVerdict::Succeeded);

    // Every second shows its own text while the unit is silent, not one jump once it answers.
    std::set<int> shown;
    for (const auto& entry : rig.display.timePanels) {
        const std::string& text = entry.second;
        if (text.size() >= 8) shown.insert(std::stoi(text.substr(6, 2)) + 60 * std::stoi(text.substr(3, 2)));
    }
    ASSERT_FALSE(shown.empty());
    EXPECT_GE(*shown.rbegin(), 24) << "two erases of 12 s each";
    for (int second = 0; second <= *shown.rbegin(); ++second) EXPECT_EQ(shown.count(second), 1u) << second;
}

}  // namespace
}  // namespace mmx::test
