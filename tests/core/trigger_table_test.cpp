// Trigger rows: gapless sequences, enabled states, play times, list rebuilds and the
// preview plan.
#include <gtest/gtest.h>

#include "ui/app/editor.h"
#include "support/fake_dialogs.h"
#include "support/test_support.h"

namespace mmx {
namespace {

class TriggerTest : public ::testing::Test {
protected:
    TriggerTest() : editor(state, dialog, boxes) { state.initialise(folder.folder()); }

    // Fill slots 1..n with files whose play time is times[i] seconds at 8000 Hz.
    void fillSlots(const std::vector<double>& times) {
        for (size_t i = 0; i < times.size(); ++i) {
            test::WaveShape shape;
            shape.sampleRate = 8000;
            shape.dataBytes = static_cast<uint32_t>(times[i] * 16000);
            dialog.choose(folder.writeWave("m" + std::to_string(i + 1) + ".wav", shape));
            ASSERT_EQ(editor.browse(static_cast<int>(i + 1)), BrowseOutcome::Accepted);
        }
    }
    void setRow(int row, const std::vector<std::string>& texts) {
        for (size_t e = 0; e < texts.size(); ++e) {
            state.triggers.entry(entryIndex(row, static_cast<int>(e + 1))).text = texts[e];
            state.triggers.entry(entryIndex(row, static_cast<int>(e + 1))).enabled = true;
        }
    }
    const SequenceEntry& entry(int row, int position) { return state.triggers.entry(entryIndex(row, position)); }

    test::ScratchFolder folder;
    ProgramState state;
    test::ScriptedFileDialog dialog;
    test::RecordingMessageBoxes boxes;
    Editor editor;
};

TEST_F(TriggerTest, FreshTableHasOnlyFirstEntriesEnabled) {
    for (int row = 1; row <= kTriggerCount; ++row) {
        EXPECT_TRUE(entry(row, 1).enabled);
        EXPECT_FALSE(entry(row, 2).enabled);
        EXPECT_FALSE(state.triggers.playEnabled(row));
    }
    EXPECT_EQ(state.triggers.listCount(), 0);
}

TEST_F(TriggerTest, WorkedExampleStopsAtTheFirstGap) {
    fillSlots({1.25, 4.00, 2.50});
    setRow(2, {" 3", " ", " 1", " 2"});
    editor.recomputeTriggers();
    EXPECT_EQ(entry(2, 1).text, " 3");
    EXPECT_EQ(entry(2, 2).text, " ");
    EXPECT_TRUE(entry(2, 2).enabled);
    EXPECT_EQ(entry(2, 3).text, " ");
    EXPECT_FALSE(entry(2, 3).enabled);
    EXPECT_EQ(entry(2, 4).text, " ");
    EXPECT_FALSE(entry(2, 4).enabled);
    EXPECT_EQ(state.triggers.time(2), "2.50");
    EXPECT_TRUE(state.triggers.playEnabled(2));
}

TEST_F(TriggerTest, FullRowCountsAllFourEntries) {
    fillSlots({2.25});
    setRow(1, {" 1", " 1", " 1", " 1"});
    editor.recomputeTriggers();
    EXPECT_EQ(state.triggers.time(1), "9.00");
    for (int e = 1; e <= 4; ++e) EXPECT_EQ(entry(1, e).text, " 1");

    editor.chooseEntry(entryIndex(1, 2), " ");
    EXPECT_TRUE(entry(1, 2).enabled);
    EXPECT_FALSE(entry(1, 3).enabled);
    EXPECT_EQ(entry(1, 3).text, " ");
    EXPECT_EQ(entry(1, 4).text, " ");
    EXPECT_EQ(state.triggers.time(1), "2.25");

    editor.chooseEntry(entryIndex(1, 1), " ");
    EXPECT_FALSE(entry(1, 2).enabled);
    EXPECT_FALSE(state.triggers.playEnabled(1));
    EXPECT_EQ(state.triggers.time(1), "0.00");
}

TEST_F(TriggerTest, ListsFollowTheFilledSlotsAndEntriesKeepTheirTexts) {
    fillSlots({1, 2, 3});
    EXPECT_EQ(state.triggers.choices(), (std::vector<std::string>{" ", " 1", " 2", " 3"}));
    editor.chooseEntry(entryIndex(4, 1), " 2");
    editor.chooseEntry(entryIndex(4, 2), " 3");
    EXPECT_EQ(state.triggers.time(4), "5.00");

    editor.setShownName(1, "");
    EXPECT_EQ(state.triggers.choices(), std::vector<std::string>{" "});
    EXPECT_EQ(entry(4, 1).text, " 2");
    EXPECT_EQ(state.triggers.time(4), "5.00") << "times wait for the next recompute";

    editor.recomputeTriggers();
    EXPECT_EQ(state.triggers.time(4), "0.00") << "emptied slots contribute nothing";
}

TEST_F(TriggerTest, PreviewPlanSkipsBlanksAndEndsAtAnEmptiedSlot) {
    fillSlots({1, 2, 3});
    setRow(5, {" 2", " 1", " 3", " 1"});
    EXPECT_EQ(sequencePlan(state.triggers, state.messages, 5),
              (std::vector<std::string>{folder.folder() + "m2.wav", folder.folder() + "m1.wav",
                                        folder.folder() + "m3.wav", folder.folder() + "m1.wav"}));
    editor.setShownName(3, "");
    EXPECT_EQ(sequencePlan(state.triggers, state.messages, 5),
              (std::vector<std::string>{folder.folder() + "m2.wav", folder.folder() + "m1.wav"}));

    setRow(6, {" ", " 1"});
    EXPECT_EQ(sequencePlan(state.triggers, state.messages, 6), std::vector<std::string>{folder.folder() + "m1.wav"});
    state.messages.slot(1).FilePath.clear();  // a slot named but without its file plays nothing
    EXPECT_TRUE(sequencePlan(state.triggers, state.messages, 6).empty());
    setRow(7, {"300"});
    EXPECT_TRUE(sequencePlan(state.triggers, state.messages, 7).empty());
    editor.recomputeTriggers();
    EXPECT_EQ(state.triggers.time(7), "0.00") << "no message 300 to time";
}

TEST_F(TriggerTest, ZoneMaskTakesTickedBoxesOnly) {
    editor.setZone(zoneIndex(3, 1), 1);
    editor.setZone(zoneIndex(3, 3), 1);
    editor.setZone(zoneIndex(3, 6), 2);  // greyed is not ticked
    EXPECT_EQ(state.triggers.zoneMask(3), 0b000101);
    EXPECT_EQ(state.triggers.zoneMask(2), 0);
    EXPECT_TRUE(state.SetupChanged);
}

}  // namespace
}  // namespace mmx
