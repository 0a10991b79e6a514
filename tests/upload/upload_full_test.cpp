// Successful uploads end to end against the in-process unit: the unit's memory image, the bytes
// on the line, the configuration-only road and the progress figures.
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

#include "core/editor.h"
#include "support/expected_image.h"
#include "support/fake_dialogs.h"
#include "support/test_support.h"
#include "upload_rig.h"

namespace mmx::test {
namespace {

// Slots of every awkward length, with empty slots between used ones.
SlotFiles awkwardSlots() {
    SlotFiles files;
    files.bytes[0] = patternBytes(1000, 1);  // even
    files.bytes[1] = patternBytes(777, 2);   // odd
    files.bytes[3] = patternBytes(348, 3);   // checksum ends the first block
    files.bytes[4] = patternBytes(349, 4);   // checksum alone in a second block
    files.bytes[6] = patternBytes(350, 5);   // checksum and padding in a second block
    files.bytes[7] = std::vector<uint8_t>{};  // empty file: one block of checksum and padding
    files.bytes[11] = patternBytes(701, 6);
    return files;
}

TEST(FullUpload, UnitHoldsExactlyTheImageBuiltFromTheMemoryMap) {
    ScratchFolder folder;
    const SlotFiles files = awkwardSlots();
    UploadSetup setup = setupFor(folder.folder(), files);
    std::array<ExpectedTrigger, 12> triggers{};
    setup.TRG1[0] = " 1";
    setup.TRG1[1] = " 2";
    setup.TRG1[2] = " 4";
    setup.TRG1[3] = " 12";
    setup.TRG1[4 * 5] = "300";  // sent modulo 256
    setup.Check1[0] = true;
    setup.Check1[5] = true;
    setup.Check1[6 * 11 + 2] = true;
    triggers[0] = ExpectedTrigger{{1, 2, 4, 12}, {true, false, false, false, false, true}};
    triggers[5].sequence = {44, 0, 0, 0};
    triggers[11].zones[2] = true;

    UploadRig rig;
    const UploadResult result = rig.upload(setup);

    ASSERT_EQ(result.verdict, UploadVerdict::Succeeded) << result.detail;
    EXPECT_TRUE(result.fullUpload);
    EXPECT_TRUE(result.messagesUploaded);
    const ExpectedUpload expected = expectedUpload(files.bytes, triggers);
    EXPECT_EQ(firstDifference(rig.unit.image(), expected.image), "");
    EXPECT_EQ(result.messageTable, expected.messageTable);
    EXPECT_EQ(result.triggerTable, expected.triggerTable);
    EXPECT_TRUE(rig.unit.checkImage().ok);
    EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::UploadSucceeded));
    EXPECT_FALSE(rig.connection.isConnected());
}

TEST(FullUpload, StoredLengthsCountTheBlocksReallySent) {
    ScratchFolder folder;
    const SlotFiles files = awkwardSlots();
    UploadRig rig;
    const UploadResult result = rig.upload(setupFor(folder.folder(), files));
    ASSERT_TRUE(result.succeeded());
    const std::array<int32_t, 12> expected{1050, 1050, 0, 350, 700, 0, 700, 350, 0, 0, 0, 1050};
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(result.TMsgSizeSet[i], files.bytes[i].has_value()) << "slot " << i + 1;
        if (files.bytes[i]) {
            EXPECT_EQ(result.TMsgSize[i], expected[i]) << "slot " << i + 1;
        }
    }
    EXPECT_EQ(result.blocksSent, 3u + 3u + 1u + 2u + 2u + 1u + 3u);
}

TEST(FullUpload, FramesFollowTheUploadOrder) {
    ScratchFolder folder;
    SlotFiles files;
    files.bytes[0] = patternBytes(400, 1);
    files.bytes[2] = patternBytes(10, 2);
    UploadRig rig;
    ASSERT_TRUE(rig.upload(setupFor(folder.folder(), files)).succeeded());
    const std::vector<std::string> expected{"P",         "E 3FFFFF",     "E 1FFFFF",     "W",
                                            "D 000000 350", "D 0000AF 350", "D close",  "W",
                                            "D 00015E 350", "D close",      "W",        "D 3FF000 128",
                                            "D 3FF100 128", "D close",      "L"};
    EXPECT_EQ(rig.frames(), expected);
}

TEST(FullUpload, BytesOnTheLineAreExactlyTheFramesOfTheUpload) {
    ScratchFolder folder;
    SlotFiles files;
    files.bytes[0] = std::vector<uint8_t>{0x01, 0x02, 0x03};
    UploadSetup setup = setupFor(folder.folder(), files);
    setup.TRG1[0] = " 1";
    setup.Check1[1] = true;
    UploadRig rig;
    ASSERT_TRUE(rig.upload(setup).succeeded());

    // The block: words 0x0102, 0x03FF, the checksum word, then padding.
    std::vector<uint8_t> block(350, 0xFF);
    block[0] = 0x01;
    block[1] = 0x02;
    block[2] = 0x03;
    block[3] = 0xFF;
    const uint32_t sum = (0x0102 + 1) + (0x03FF + 1);
    const uint16_t checksum = static_cast<uint16_t>(0x10000 - sum - 1);
    block[4] = static_cast<uint8_t>(checksum >> 8);
    block[5] = static_cast<uint8_t>(checksum & 0xFF);

    std::array<std::optional<std::vector<uint8_t>>, 12> slotBytes{};
    slotBytes[0] = files.bytes[0];
    std::array<ExpectedTrigger, 12> triggers{};
    triggers[0] = ExpectedTrigger{{1, 0, 0, 0}, {false, true, false, false, false, false}};
    const ExpectedUpload expected = expectedUpload(slotBytes, triggers);

    std::vector<uint8_t> line;
    auto add = [&line](const std::vector<uint8_t>& bytes) { line.insert(line.end(), bytes.begin(), bytes.end()); };
    const std::vector<uint8_t> p{0x2A, 0x36, 0x34, 0x35, 0x30, 0x35, 0x35, 0x00, 0x00, 0x36, 0x33, 0x0D, 0x0A};
    EXPECT_EQ(commandFrame('P', {}), p);  // the rig's frame builder agrees with the published example
    add(p);
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
    EXPECT_EQ(dataFrame(0, block).size(), 360u);
    EXPECT_EQ(dataFrame(0x3FF000, expected.messageTable).size(), 138u);
}

TEST(FullUpload, AllSlotsEmptyGivesEmptyTablesAndNoMessageFrames) {
    UploadRig rig;
    UploadSetup setup;
    const UploadResult result = rig.upload(setup);
    ASSERT_EQ(result.verdict, UploadVerdict::Succeeded);
    std::vector<uint8_t> messageTable(128, 0);
    for (size_t i = 0; i < 48; ++i) messageTable[i] = 0xFF;
    // twelve absent entries (0xFFFF + 0xFFFF each), end 0, count 0: S = 24 x 0xFFFF
    const uint32_t s = (24u * 0xFFFFu) & 0xFFFF;
    const uint16_t word = static_cast<uint16_t>((0x10000u - s - 64u) & 0xFFFF);
    messageTable[126] = static_cast<uint8_t>(word >> 8);
    messageTable[127] = static_cast<uint8_t>(word & 0xFF);
    EXPECT_EQ(result.messageTable, messageTable);
    EXPECT_EQ(result.triggerTable, std::vector<uint8_t>(128, 0));  // every word 0, S 0, checksum 0
    const std::vector<std::string> expected{"P", "E 3FFFFF", "E 1FFFFF", "W", "D 3FF000 128", "D 3FF100 128",
                                            "D close", "L"};
    EXPECT_EQ(rig.frames(), expected);
}

TEST(FullUpload, SetupBuiltInTheEditorWithSeveralRates) {
    ScratchFolder folder;
    ProgramState state;
    state.loadDefaults();
    ScriptedFileDialog dialog;
    RecordingMessageBoxes boxes;
    Editor editor(state, dialog, boxes);
    const std::array<uint32_t, 4> rates{8000, 11025, 16000, 24000};
    const std::array<uint32_t, 4> dataBytes{304, 305, 2000, 0};  // files of 348, 349, 2044 and 44 bytes
    std::array<std::optional<std::vector<uint8_t>>, 12> slotBytes{};
    for (size_t i = 0; i < rates.size(); ++i) {
        WaveShape shape;
        shape.sampleRate = rates[i];
        shape.dataBytes = dataBytes[i];
        shape.fill = static_cast<uint8_t>(0x20 + i);
        const std::string path = folder.writeWave("m" + std::to_string(i + 1) + ".wav", shape);
        ASSERT_EQ(editor.assignFile(static_cast<int>(i + 1), path), BrowseOutcome::Accepted);
        slotBytes[i] = readBytes(path);
    }
    editor.chooseEntry(entryIndex(1, 1), " 2");
    editor.chooseEntry(entryIndex(1, 2), " 4");
    editor.setZone(zoneIndex(1, 3), 1);
    editor.chooseEntry(entryIndex(2, 1), " 1");
    editor.setZone(zoneIndex(2, 6), 1);

    UploadRig rig;
    const UploadResult result = rig.upload(UploadSetup::from(state));
    ASSERT_EQ(result.verdict, UploadVerdict::Succeeded) << result.detail;
    std::array<ExpectedTrigger, 12> triggers{};
    triggers[0] = ExpectedTrigger{{2, 4, 0, 0}, {false, false, true, false, false, false}};
    triggers[1] = ExpectedTrigger{{1, 0, 0, 0}, {false, false, false, false, false, true}};
    EXPECT_EQ(firstDifference(rig.unit.image(), expectedUpload(slotBytes, triggers).image), "");

    result.applyTo(state);
    EXPECT_TRUE(state.MessagesUploaded);
    EXPECT_EQ(state.messages.slot(2).TMsgSize, 700);
    EXPECT_EQ(state.messages.TFileLength, 350 + 700 + 2100 + 350);
}

class ConfigurationRoad : public ::testing::Test {
protected:
    ScratchFolder folder;
    UploadRig rig;

    UploadSetup firstUpload(const SlotFiles& files) {
        UploadSetup setup = setupFor(folder.folder(), files);
        const UploadResult first = rig.upload(setup);
        EXPECT_EQ(first.verdict, UploadVerdict::Succeeded) << first.detail;
        setup.MessagesUploaded = first.messagesUploaded;
        for (size_t i = 0; i < 12; ++i) {
            if (first.TMsgSizeSet[i]) setup.slots[i].TMsgSize = first.TMsgSize[i];
        }
        rig.unit.resetLine();
        return setup;
    }
    size_t logMark() const { return rig.unit.log().size(); }
    std::vector<std::string> framesSince(size_t mark) const {
        std::vector<std::string> all;
        for (size_t i = mark; i < rig.unit.log().size(); ++i) {
            const auto& line = rig.unit.log()[i];
            if (line.rfind("  ", 0) == 0) continue;
            all.push_back(line.rfind("L: ", 0) == 0 ? "L" : line);
        }
        return all;
    }
};

TEST_F(ConfigurationRoad, UnchangedMessagesRewriteOnlyTheTables) {
    SlotFiles files;
    files.bytes[0] = patternBytes(900, 1);
    files.bytes[1] = patternBytes(349, 2);  // the extra block must be counted for the lengths to match
    files.bytes[2] = patternBytes(1, 3);
    UploadSetup setup = firstUpload(files);

    setup.TRG1[4 * 3] = " 3";
    setup.Check1[6 * 3 + 4] = true;
    const size_t mark = logMark();
    const UploadResult second = rig.upload(setup);

    ASSERT_EQ(second.verdict, UploadVerdict::ConfigurationSucceeded) << second.detail;
    EXPECT_TRUE(second.tableReadBack);
    EXPECT_FALSE(second.fullUpload);
    const std::vector<std::string> expected{"R 3FF000", "P", "E 3FF100", "W", "D 3FF000 128", "D 3FF100 128",
                                            "D close", "L"};
    EXPECT_EQ(framesSince(mark), expected);
    std::array<ExpectedTrigger, 12> triggers{};
    triggers[3] = ExpectedTrigger{{3, 0, 0, 0}, {false, false, false, false, true, false}};
    EXPECT_EQ(firstDifference(rig.unit.image(), expectedUpload(files.bytes, triggers).image), "");
    EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::ConfigUploadSucceeded));
    EXPECT_TRUE(second.messagesUploaded);
}

TEST_F(ConfigurationRoad, EmptySlotBetweenUsedOnesMakesEveryUploadFull) {
    SlotFiles files;
    files.bytes[0] = patternBytes(500, 1);
    files.bytes[2] = patternBytes(500, 2);
    UploadSetup setup = firstUpload(files);
    const size_t mark = logMark();
    const UploadResult second = rig.upload(setup);
    ASSERT_EQ(second.verdict, UploadVerdict::Succeeded);
    EXPECT_TRUE(second.tableReadBack);
    EXPECT_TRUE(second.fullUpload);
    EXPECT_EQ(framesSince(mark).at(2), "E 3FFFFF");
}

TEST_F(ConfigurationRoad, AFileThatChangedLengthIsSentAgain) {
    SlotFiles files;
    files.bytes[0] = patternBytes(500, 1);
    UploadSetup setup = firstUpload(files);
    std::ofstream(setup.slots[0].FilePath, std::ios::app) << std::string(400, 'x');
    const UploadResult second = rig.upload(setup);
    ASSERT_EQ(second.verdict, UploadVerdict::Succeeded);
    EXPECT_TRUE(second.fullUpload);
    EXPECT_EQ(second.TMsgSize[0], 1050);
}

TEST_F(ConfigurationRoad, FullSwitchSkipsTheReadBack) {
    SlotFiles files;
    files.bytes[0] = patternBytes(500, 1);
    UploadSetup setup = firstUpload(files);
    const size_t mark = logMark();
    UploadOptions options;
    options.forceFull = true;
    ASSERT_EQ(rig.upload(setup, options).verdict, UploadVerdict::Succeeded);
    EXPECT_EQ(framesSince(mark).at(0), "P");
    EXPECT_EQ(framesSince(mark).at(1), "E 3FFFFF");
}

TEST_F(ConfigurationRoad, VerifyReadsTheTableBackAfterL) {
    SlotFiles files;
    files.bytes[0] = patternBytes(500, 1);
    UploadSetup setup = setupFor(folder.folder(), files);
    UploadOptions options;
    options.verify = true;
    const UploadResult result = rig.upload(setup, options);
    ASSERT_EQ(result.verdict, UploadVerdict::Succeeded);
    EXPECT_TRUE(result.verified);
    EXPECT_EQ(rig.frames().back(), "R 3FF000");
    EXPECT_TRUE(rig.display.showed(rig.statusText(UiTextTable::CheckingData)));
    EXPECT_EQ(rig.display.last(), rig.statusText(UiTextTable::UploadSucceeded));
}

class RecordingSink : public UploadProgressSink {
public:
    std::vector<std::string> captions;
    std::vector<UploadProgress> figures;
    std::vector<long> values;
    std::vector<bool> visible;
    void progressVisible(bool v, long) override { visible.push_back(v); }
    void progressValue(long value, long) override { values.push_back(value); }
    void progressTick(const UploadProgress& f, const std::string& caption) override {
        figures.push_back(f);
        captions.push_back(caption);
    }
};

TEST(UploadProgressReport, TicksFollowTheClockWithPercentAndRemainingTime) {
    ScratchFolder folder;
    SlotFiles files;
    files.bytes[0] = patternBytes(350 * 200 - 2, 1);  // exactly 200 blocks
    UnitOptions paced;
    paced.baud = 115200;  // about 32 ms of line time per block and answer
    UploadRig rig(paced);
    RecordingSink sink;
    UploadDriver driver(rig.connection, &sink);
    const UploadResult result = driver.run(setupFor(folder.folder(), files));
    ASSERT_EQ(result.verdict, UploadVerdict::Succeeded);

    ASSERT_GE(sink.figures.size(), 5u);
    EXPECT_EQ(sink.visible.front(), true);
    EXPECT_EQ(sink.visible.back(), false);
    EXPECT_EQ(sink.values.size(), 200u);
    EXPECT_EQ(sink.values.back(), 70000);
    int lastPercent = -1;
    for (size_t i = 0; i < sink.figures.size(); ++i) {
        const UploadProgress& f = sink.figures[i];
        EXPECT_EQ(f.TFileLength, 70000);
        EXPECT_GE(f.ProgressPercent, lastPercent);
        lastPercent = f.ProgressPercent;
        const int64_t rate = f.UploadedBytes / f.ProgressTicks;
        if (rate > 0) {
            EXPECT_EQ(f.RemainingSeconds, std::max<int64_t>(0, 70000 / rate - f.ProgressTicks));
        }
        char expected[64];
        std::snprintf(expected, sizeof expected, "%d%%    Remaining Time:  %02d:%02d:%02d", f.ProgressPercent,
                      f.RemainingSeconds / 3600, f.RemainingSeconds / 60 % 60, f.RemainingSeconds % 60);
        EXPECT_EQ(sink.captions[i], expected);
    }
    // The same captions reached the window's label, which is cleared at the end.
    EXPECT_EQ(rig.display.captions.back(), "");
}

TEST(UploadProgressReport, ConnectionClockKeepsTickingWhileTheUnitIsSlow) {
    ScratchFolder folder;
    SlotFiles files;
    files.bytes[0] = patternBytes(1000, 2);
    UnitOptions slowErase;
    slowErase.eraseDots = 2;
    slowErase.eraseDotIntervalUs = 4'000'000;  // 4 s between dots: long silences, no time-out
    UploadRig rig(slowErase);
    ASSERT_EQ(rig.upload(setupFor(folder.folder(), files)).verdict, UploadVerdict::Succeeded);

    // Every second shows its own text while the unit is silent, not one jump once it answers.
    ASSERT_FALSE(rig.display.timePanels.empty());
    std::set<int> shown;
    for (const auto& entry : rig.display.timePanels) {
        const std::string& text = entry.second;
        if (text.size() < 8) continue;
        shown.insert(std::stoi(text.substr(6, 2)) + 60 * std::stoi(text.substr(3, 2)));
    }
    ASSERT_FALSE(shown.empty());
    EXPECT_GE(*shown.rbegin(), 24) << "two erases of 12 s each";
    for (int second = 0; second <= *shown.rbegin(); ++second) EXPECT_EQ(shown.count(second), 1u) << second;
}

}  // namespace
}  // namespace mmx::test
