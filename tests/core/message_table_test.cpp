// The message slots as the editor drives them: browsing, refusals, capacity, emptying and
// the shift of later slots, totals and the decimal point.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "ui/app/editor.h"
#include "core/number_format.h"
#include "support/fake_dialogs.h"
#include "support/test_support.h"

namespace mmx {
namespace {

using test::WaveShape;

// Data bytes for a WAVE file whose whole length is `fileLength` (44-byte header).
WaveShape waveOfLength(uint32_t fileLength, uint32_t rate = 22050) {
    WaveShape shape;
    shape.sampleRate = rate;
    shape.dataBytes = fileLength - 44;
    return shape;
}

class EditorTest : public ::testing::Test {
protected:
    EditorTest() : editor(state, dialog, boxes) {
        state.initialise(folder.folder());
        editor.setPortOpenQuery([this] { return portOpen; });
    }

    BrowseOutcome browseFile(int k, const std::string& name, const WaveShape& shape) {
        dialog.choose(folder.writeWave(name, shape));
        return editor.browse(k);
    }
    const MessageSlot& slot(int k) { return state.messages.slot(k); }

    test::ScratchFolder folder;
    ProgramState state;
    test::ScriptedFileDialog dialog;
    test::RecordingMessageBoxes boxes;
    Editor editor;
    bool portOpen = false;
};

TEST(StoredLength, WholeBlocksHoldingTheFileAndItsChecksumWord) {
    // From 349 bytes the padding byte and the checksum word spill into a second block.
    for (auto [file, stored] : {std::pair{0, 350}, {348, 350}, {349, 700}, {350, 700}, {351, 700}, {698, 700},
                                {699, 1050}, {700, 1050}, {8'379'348, 8'379'350}}) {
        EXPECT_EQ(storedLength(file), stored) << file;
    }
}

TEST_F(EditorTest, BrowseFillsTheSlotAndItsTotals) {
    state.MessagesUploaded = true;
    ASSERT_EQ(browseFile(1, "hello.world.wav", waveOfLength(44 + 44100)), BrowseOutcome::Accepted);

    EXPECT_EQ(slot(1).WaveFile, "hello");
    EXPECT_EQ(slot(1).FilePath, folder.folder() + "hello.world.wav");
    EXPECT_EQ(slot(1).MsgTime, "1.00");
    EXPECT_EQ(slot(1).MsgSample, "22.050");
    EXPECT_EQ(slot(1).TMsgSize, 44450);
    EXPECT_EQ(slot(1).MsgSize, "44");
    EXPECT_TRUE(slot(1).MsgBtEnabled);
    EXPECT_TRUE(slot(2).BrowseEnabled);
    EXPECT_FALSE(slot(3).BrowseEnabled);
    EXPECT_EQ(state.messages.TotalTime, "1.00");
    EXPECT_EQ(state.messages.TotalSize, "44");
    EXPECT_EQ(state.messages.TFileLength, 44450);
    EXPECT_TRUE(state.SetupChanged);
    EXPECT_FALSE(state.MessagesUploaded);
    EXPECT_EQ(state.settings.waveFolder, folder.folder());
    EXPECT_EQ(state.triggers.choices(), (std::vector<std::string>{" ", " 1"}));
    EXPECT_TRUE(boxes.shown.empty());

    ASSERT_EQ(dialog.requests.size(), 1u);  // its filters are the editor window's to check
    EXPECT_EQ(dialog.requests[0].fileName, "");
}

TEST_F(EditorTest, ShownNameOfUnusualFileNames) {
    ASSERT_EQ(browseFile(1, "noextension", waveOfLength(1000)), BrowseOutcome::Accepted);
    EXPECT_EQ(slot(1).WaveFile, "noextension");
    ASSERT_EQ(browseFile(2, ".wav", waveOfLength(1000)), BrowseOutcome::Accepted);
    EXPECT_EQ(slot(2).WaveFile, ".wav") << "a slot must never be filled with an empty shown name";
}

TEST_F(EditorTest, ARefusedFileLeavesTheSlotAsItWas) {
    ASSERT_EQ(browseFile(1, "good.wav", waveOfLength(2000)), BrowseOutcome::Accepted);
    const MessageSlot before = slot(1);
    const auto totalsBefore = state.messages.TFileLength;

    WaveShape stereo = waveOfLength(5000);
    stereo.channels = 2;
    ASSERT_EQ(browseFile(1, "sub/stereo.wav", stereo), BrowseOutcome::Rejected);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"The file is not a mono file!"});
    EXPECT_EQ(boxes.shown[0].title, "MMX4210");
    EXPECT_EQ(slot(1).FilePath, before.FilePath);
    EXPECT_EQ(slot(1).WaveFile, before.WaveFile);
    EXPECT_EQ(slot(1).MsgTime, before.MsgTime);
    EXPECT_EQ(slot(1).TMsgSize, before.TMsgSize);
    EXPECT_EQ(state.messages.TFileLength, totalsBefore);
    EXPECT_EQ(state.settings.waveFolder, folder.folder() + "sub/") << "the folder is remembered anyway";

    // A vanished file is refused without a message.
    dialog.choose(folder.folder() + "gone.wav");
    EXPECT_EQ(editor.browse(2), BrowseOutcome::Rejected);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(slot(2).filled());

    // With a conversion on offer, a file refused with a message goes there instead of the box;
    // a vanished one still goes nowhere.
    std::vector<std::pair<std::string, int>> offered;
    editor.setUnplayableFileHandler([&](int k, const std::string& path, int text) {
        EXPECT_EQ(k, 1);
        offered.emplace_back(path, text);
    });
    ASSERT_EQ(browseFile(1, "stereo2.wav", stereo), BrowseOutcome::Rejected);
    dialog.choose(folder.folder() + "gone.wav");
    EXPECT_EQ(editor.browse(1), BrowseOutcome::Rejected);
    EXPECT_EQ(offered, (std::vector<std::pair<std::string, int>>{{folder.folder() + "stereo2.wav", UiTextTable::NotMono}}));
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(slot(1).FilePath, before.FilePath);
}

TEST_F(EditorTest, NothingChangesWhileThePortIsOpenOrTheDialogIsCancelled) {
    portOpen = true;
    dialog.choose(folder.writeWave("a.wav", waveOfLength(1000)));
    EXPECT_EQ(editor.browse(1), BrowseOutcome::Refused);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"The unit cannot be operated while upload is in progress!"});
    EXPECT_TRUE(dialog.requests.empty());

    portOpen = false;
    dialog.answers.clear();
    dialog.cancel();
    EXPECT_EQ(editor.browse(1), BrowseOutcome::Cancelled);
    EXPECT_FALSE(slot(1).filled());
    EXPECT_FALSE(state.SetupChanged);
}

TEST_F(EditorTest, CapacityHoldsAtTheLastWholeBlock) {
    // 23,941 blocks in slot 1, one more block in slot 2: 8,379,700 bytes, the most that fits.
    ASSERT_EQ(browseFile(1, "big.wav", waveOfLength(8'379'348)), BrowseOutcome::Accepted);
    ASSERT_EQ(browseFile(2, "small.wav", waveOfLength(348)), BrowseOutcome::Accepted);
    EXPECT_EQ(state.messages.TFileLength, 8'379'700);
    EXPECT_TRUE(boxes.shown.empty());

    // One block more is refused, and the new slot stays empty.
    state.MessagesUploaded = true;
    ASSERT_EQ(browseFile(3, "one-more.wav", waveOfLength(100)), BrowseOutcome::OverCapacity);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Message files exceed memory capacity of 8380 KB!"});
    EXPECT_FALSE(slot(3).filled());
    EXPECT_EQ(slot(3).FilePath, "");
    EXPECT_EQ(slot(3).TMsgSize, 0);
    EXPECT_EQ(state.messages.TFileLength, 8'379'700);
    EXPECT_EQ(state.triggers.listCount(), 3) << "message 3 is not offered";
    EXPECT_TRUE(state.MessagesUploaded) << "a refused file changes nothing on the unit";

    // Exchanging a file for one of equal stored length is accepted.
    ASSERT_EQ(browseFile(2, "other.wav", waveOfLength(300)), BrowseOutcome::Accepted);
    EXPECT_EQ(slot(2).WaveFile, "other");

    // A bigger file in a filled slot is refused and the slot keeps its old file.
    ASSERT_EQ(browseFile(2, "bigger.wav", waveOfLength(400)), BrowseOutcome::OverCapacity);
    EXPECT_EQ(slot(2).WaveFile, "other");
    EXPECT_EQ(slot(2).TMsgSize, 350);
    EXPECT_EQ(slot(2).FilePath, folder.folder() + "other.wav");
}

TEST_F(EditorTest, SlotsUnder1000BytesStillCountTowardsTheCapacity) {
    ASSERT_EQ(browseFile(1, "tiny.wav", waveOfLength(300)), BrowseOutcome::Accepted);
    EXPECT_EQ(slot(1).MsgSize, "0");
    EXPECT_EQ(state.messages.TotalSize, "0");
    EXPECT_EQ(state.messages.TFileLength, 350);
    // So does a slot that lost its name but still holds a size (as a set-up file may give it).
    state.messages.slot(2).MsgSize = "28";
    state.messages.slot(2).TMsgSize = 28000;
    state.messages.recomputeTotals();
    EXPECT_EQ(state.messages.TFileLength, 350 + 28000);
}

TEST_F(EditorTest, EmptyingASlotEmptiesEveryLaterSlot) {
    ASSERT_EQ(browseFile(1, "a.wav", waveOfLength(4000)), BrowseOutcome::Accepted);
    ASSERT_EQ(browseFile(2, "b.wav", waveOfLength(5000)), BrowseOutcome::Accepted);
    ASSERT_EQ(browseFile(3, "c.wav", waveOfLength(6000)), BrowseOutcome::Accepted);
    EXPECT_EQ(state.triggers.listCount(), 4);
    editor.chooseEntry(entryIndex(1, 1), " 3");

    editor.setShownName(2, "");
    EXPECT_TRUE(slot(1).filled());
    EXPECT_FALSE(slot(2).filled());
    EXPECT_FALSE(slot(3).filled());
    EXPECT_EQ(slot(3).FilePath, "");
    EXPECT_EQ(slot(2).MsgTime, "");
    EXPECT_EQ(slot(3).TMsgSize, 0);
    EXPECT_TRUE(slot(2).BrowseEnabled);
    EXPECT_FALSE(slot(3).BrowseEnabled);
    EXPECT_TRUE(slot(1).MsgBtEnabled);
    EXPECT_FALSE(slot(2).MsgBtEnabled);
    EXPECT_EQ(state.messages.TFileLength, slot(1).TMsgSize);
    EXPECT_EQ(state.triggers.choices(), (std::vector<std::string>{" ", " 1"}));
    EXPECT_EQ(state.triggers.entry(entryIndex(1, 1)).text, " 3") << "entries keep their texts";

    editor.setShownName(1, "");
    EXPECT_EQ(state.messages.TotalTime, "0.00");
    EXPECT_EQ(state.messages.TotalSize, "0");
    EXPECT_EQ(state.messages.TFileLength, 0);
    EXPECT_TRUE(slot(1).BrowseEnabled);
    for (int k = 2; k <= kSlotCount; ++k) EXPECT_FALSE(slot(k).BrowseEnabled) << k;
    for (int k = 1; k <= kSlotCount; ++k) EXPECT_FALSE(slot(k).MsgBtEnabled) << k;
    EXPECT_EQ(state.triggers.choices(), std::vector<std::string>{" "});
}

TEST_F(EditorTest, TypingANonEmptyNameOnlyMarksTheSetUpChanged) {
    ASSERT_EQ(browseFile(1, "a.wav", waveOfLength(4000)), BrowseOutcome::Accepted);
    state.SetupChanged = false;
    editor.setShownName(1, "renamed");
    EXPECT_TRUE(state.SetupChanged);
    EXPECT_EQ(slot(1).FilePath, folder.folder() + "a.wav");
    EXPECT_EQ(slot(1).MsgTime, "0.09");
}

TEST_F(EditorTest, RefreshFollowsTheFileOnDisk) {
    const std::string path = folder.writeWave("grow.wav", waveOfLength(2000));
    dialog.choose(path);
    ASSERT_EQ(editor.browse(1), BrowseOutcome::Accepted);
    folder.writeWave("grow.wav", waveOfLength(44 + 88200));
    EXPECT_TRUE(editor.refreshSlotFromFile(1));
    EXPECT_EQ(slot(1).MsgTime, "2.00");
    EXPECT_EQ(state.messages.TFileLength, storedLength(44 + 88200));

    folder.write("grow.wav", std::string("not a wave file at all, just text........"));
    EXPECT_FALSE(editor.refreshSlotFromFile(1));
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"The file is not a WAVE file!"});
    EXPECT_EQ(slot(1).MsgTime, "2.00");
}

TEST(NumberFormat, DecimalPointIsAlwaysADot) {
    struct Comma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new Comma));
    const char* cLocale = std::setlocale(LC_ALL, "de_DE.UTF-8");
    for (auto [seconds, text] : {std::pair{1234.5, "1234.50"}, {2.256, "2.26"}, {0.125, "0.13"},
                                 {12345.675 + 0.0001, "12345.68"}, {0.0, "0.00"}, {0.004, "0.00"}}) {
        EXPECT_EQ(formatSeconds(seconds), text) << seconds;
    }
    EXPECT_EQ(formatKilohertz(8000), "8.000");
    EXPECT_EQ(formatKilohertz(11025), "11.025");
    EXPECT_DOUBLE_EQ(numberValue(" 2.25"), 2.25);
    EXPECT_DOUBLE_EQ(numberValue("700 kB"), 700);
    EXPECT_DOUBLE_EQ(numberValue(""), 0);
    EXPECT_DOUBLE_EQ(numberValue("abc"), 0);
    std::locale::global(previous);
    if (cLocale) std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace mmx
