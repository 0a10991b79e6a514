// The window's edits as the editor makes them on the set-up value: browsing, the message boxes
// of refusals, renaming, the undo history and the unsaved mark, and the decimal point. What an
// edit does to the set-up itself is app::setup_edits' own, tested there.
#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <locale>

#include "core/number_format.h"
#include "support/fake_dialogs.h"
#include "support/setup_values.h"
#include "support/test_support.h"
#include "ui/app/editor.h"

namespace mmx {
namespace {

using test::WaveShape;

// A WAVE file whose whole length is `fileLength` (44-byte header).
WaveShape waveOfLength(uint32_t fileLength) { return {.dataBytes = fileLength - 44}; }

class EditorTest : public ::testing::Test {
protected:
    EditorTest() : editor(state, dialog, boxes) {
        state.initialise(folder.folder());
        editor.setPortOpenQuery([this] { return portOpen; });
    }

    BrowseOutcome browseFile(int k, const std::string& name, const WaveShape& shape) {
        dialog.choose(folder.writeWave(name, shape));
        return editor.browseSlot(k);
    }
    const Slot& slot(int k) { return state.setup.slot(k); }

    test::ScratchFolder folder;
    WindowState state;
    test::ScriptedFileDialog dialog;
    test::RecordingMessageBoxes boxes;
    Editor editor;
    bool portOpen = false;
};

TEST(StoredLength, WholeBlocksHoldingTheFileAndItsChecksumWord) {
    // From 349 bytes the padding byte and the checksum word spill into a second block.
    for (auto [file, stored] : {std::pair{0, 350}, {348, 350}, {349, 700}, {350, 700}, {351, 700}, {698, 700},
                                {699, 1050}, {700, 1050}, {8'379'348, 8'379'350}}) {
        EXPECT_EQ(unit::storedLength(file), stored) << file;
    }
}

TEST_F(EditorTest, BrowseFillsTheSlot) {
    state.messagesUploaded = true;
    ASSERT_EQ(browseFile(1, "hello.world.wav", waveOfLength(44 + 44100)), BrowseOutcome::Accepted);

    EXPECT_EQ(slot(1).path, folder.folder() + "hello.world.wav");  // the slot's figures are app::assignFile's
    EXPECT_TRUE(state.setupChanged());
    EXPECT_FALSE(state.messagesUploaded);
    EXPECT_EQ(state.settings.waveFolder, folder.folder());
    EXPECT_TRUE(boxes.shown.empty());

    ASSERT_EQ(dialog.requests.size(), 1u);  // its filters are the editor window's to check
    EXPECT_EQ(dialog.requests[0].fileName, "");
}

TEST_F(EditorTest, ARefusedFileLeavesTheSetUpAsItWas) {
    ASSERT_EQ(browseFile(1, "good.wav", waveOfLength(2000)), BrowseOutcome::Accepted);
    const mmx::Setup before = state.setup;

    const WaveShape stereo{.channels = 2, .dataBytes = 5000};
    ASSERT_EQ(browseFile(1, "sub/stereo.wav", stereo), BrowseOutcome::Rejected);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"The file is not a mono file!"});
    EXPECT_EQ(boxes.shown[0].title, "MMX4210");
    EXPECT_EQ(state.setup, before);
    EXPECT_EQ(state.settings.waveFolder, folder.folder() + "sub/") << "the folder is remembered anyway";

    // A vanished file is refused without a message.
    dialog.choose(folder.folder() + "gone.wav");
    EXPECT_EQ(editor.browseSlot(2), BrowseOutcome::Rejected);
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
    EXPECT_EQ(editor.browseSlot(1), BrowseOutcome::Rejected);
    EXPECT_EQ(offered, (std::vector<std::pair<std::string, int>>{{folder.folder() + "stereo2.wav", UiTextTable::NotMono}}));
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(state.setup, before);
    EXPECT_FALSE(state.history.canRedo());
}

TEST_F(EditorTest, NothingChangesWhileThePortIsOpenOrTheDialogIsCancelled) {
    portOpen = true;
    dialog.choose(folder.writeWave("a.wav", waveOfLength(1000)));
    EXPECT_EQ(editor.browseSlot(1), BrowseOutcome::Refused);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"The unit cannot be operated while upload is in progress!"});
    EXPECT_TRUE(dialog.requests.empty());

    portOpen = false;
    dialog.answers.clear();
    dialog.cancel();
    EXPECT_EQ(editor.browseSlot(1), BrowseOutcome::Cancelled);
    EXPECT_FALSE(slot(1).filled());
    EXPECT_FALSE(state.setupChanged());
    EXPECT_FALSE(state.history.canUndo());
}

// Where the limit lies is app::assignFile's; the editor shows its box and keeps the slot empty.
TEST_F(EditorTest, OneBlockBeyondTheMemoryIsRefusedWithItsBox) {
    state.setup.slot(1) = test::wavSlot("big", 8000, 8'379'654);  // 8,379,700 bytes stored, the most that fits
    state.messagesUploaded = true;
    ASSERT_EQ(browseFile(2, "one-more.wav", waveOfLength(100)), BrowseOutcome::OverCapacity);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Message files exceed memory capacity of 8380 KB!"});
    EXPECT_EQ(slot(2), Slot{});
    EXPECT_TRUE(state.messagesUploaded) << "a refused file changes nothing on the unit";
}

TEST_F(EditorTest, TypingANameIsOneStepAndAnEmptyNameChangesNothing) {
    ASSERT_EQ(browseFile(1, "a.wav", waveOfLength(4000)), BrowseOutcome::Accepted);
    ASSERT_EQ(browseFile(2, "b.wav", waveOfLength(4000)), BrowseOutcome::Accepted);
    state.markSaved();
    for (const char* typed : {"r", "re", "ren", "renamed"}) editor.renameSlot(1, typed);
    editor.renameSlot(1, "");  // the field emptied while typing: nothing is cleared
    EXPECT_TRUE(state.setupChanged());
    EXPECT_EQ(slot(1).name, "renamed");
    EXPECT_EQ(slot(1).path, folder.folder() + "a.wav");
    EXPECT_TRUE(slot(2).filled());
    editor.renameSlot(3, "nothing here");  // an empty slot has no name to change
    EXPECT_FALSE(slot(3).filled());

    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(slot(1).name, "a") << "the whole typed name is one step";
    EXPECT_FALSE(state.setupChanged()) << "back at the saved set-up";
}

TEST_F(EditorTest, RefreshFollowsTheFileOnDiskWithoutAnUnsavedChange) {
    const std::string path = folder.writeWave("grow.wav", waveOfLength(2000));
    dialog.choose(path);
    ASSERT_EQ(editor.browseSlot(1), BrowseOutcome::Accepted);
    state.markSaved();
    folder.writeWave("grow.wav", waveOfLength(44 + 88200));
    EXPECT_TRUE(editor.refreshSlotFromFile(1));
    EXPECT_EQ(playHundredths(slot(1)), 200);
    EXPECT_EQ(totalStoredLength(state.setup), unit::storedLength(44 + 88200));
    EXPECT_FALSE(state.setupChanged());

    folder.write("grow.wav", std::string("not a wave file at all, just text........"));
    EXPECT_FALSE(editor.refreshSlotFromFile(1));
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"The file is not a WAVE file!"});
    EXPECT_EQ(playHundredths(slot(1)), 200);
}

// Every kind of edit is undone and redone whole, and the unsaved mark follows the history.
struct HistoryCase {
    const char* name;
    std::function<void(Editor&, const std::string& file)> edit;  // file: a third WAVE file
};

class EditHistoryTest : public EditorTest, public ::testing::WithParamInterface<HistoryCase> {};

TEST_P(EditHistoryTest, UndoRestoresTheSavedSetUpAndRedoTheEdit) {
    ASSERT_EQ(browseFile(1, "a.wav", waveOfLength(4000)), BrowseOutcome::Accepted);
    ASSERT_EQ(browseFile(2, "b.wav", waveOfLength(5000)), BrowseOutcome::Accepted);
    editor.pickEntry(4, 1, 2);
    editor.toggleZone(4, 2, true);
    state.markSaved();
    const mmx::Setup saved = state.setup;

    GetParam().edit(editor, folder.writeWave("c.wav", waveOfLength(3000)));
    const mmx::Setup edited = state.setup;
    ASSERT_NE(edited, saved);
    EXPECT_TRUE(state.setupChanged());

    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(state.setup, saved);
    EXPECT_FALSE(state.setupChanged());
    while (editor.redo()) {
    }
    EXPECT_EQ(state.setup, edited);
    EXPECT_TRUE(state.setupChanged());

    // A new edit after an undo drops what was undone.
    ASSERT_TRUE(editor.undo());
    editor.toggleZone(12, 6, true);
    EXPECT_FALSE(editor.redo());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditHistoryTest,
    ::testing::Values(HistoryCase{"Assign", [](Editor& e, const std::string& file) { e.assignFile(3, file); }},
                      HistoryCase{"Clear", [](Editor& e, const std::string&) { e.clearSlot(2); }},
                      HistoryCase{"Rename", [](Editor& e, const std::string&) { e.renameSlot(2, "bee"); }},
                      HistoryCase{"SequenceEntry", [](Editor& e, const std::string&) { e.pickEntry(4, 2, 1); }},
                      HistoryCase{"ZoneOn", [](Editor& e, const std::string&) { e.toggleZone(4, 6, true); }}),
    [](const ::testing::TestParamInfo<HistoryCase>& param) { return std::string(param.param.name); });

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
