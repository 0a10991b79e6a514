// The window's edits as an operator makes them: undo and redo through the Edit menu and its
// keys with the unsaved mark following the history, and what the window does about missing
// files and emptied slots in a sequence.
#include <QTest>
#include <filesystem>

#include "ui_fixture.h"

namespace mmx::test {
namespace {

class WindowEditsTest : public FrameFixture {
protected:
    // Slots a and b, trigger 1 plays b into zone 1, saved as "saved.cfg".
    void savedTwoSlots() {
        browseInto({wave("a.wav", 8000, 1.0), wave("b.wav", 8000, 2.0)});
        pick(editor().sequenceBox(entryIndex(1, 1)), " 2");
        click(editor().zoneBox(zoneIndex(1, 1)));
        dialog.answers.push_back(scratch.folder() + "saved.cfg");
        QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
        ASSERT_FALSE(frame->isWindowModified());
    }
};

// Every kind of edit undoes whole (the editor's history); here the menu, its keys, the mark and
// the widgets follow it, tried with a zone ticked off.
TEST_F(WindowEditsTest, UndoingBackToTheSavedSetUpClearsTheMarkAndRedoSetsItAgain) {
    savedTwoSlots();
    const mmx::Setup saved = state.setup;
    QCheckBox* zone = editor().zoneBox(zoneIndex(1, 1));
    click(zone);
    const mmx::Setup edited = state.setup;
    ASSERT_NE(edited, saved);
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(frame->action("Undo")->isEnabled());
    EXPECT_FALSE(frame->action("Redo")->isEnabled());

    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state.setup, saved);
    EXPECT_TRUE(zone->isChecked());
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_TRUE(frame->action("Redo")->isEnabled());

    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(state.setup, edited);
    EXPECT_TRUE(frame->isWindowModified());
    frame->action("Undo")->trigger();
    QTest::keyClick(frame.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(state.setup, edited);
    EXPECT_FALSE(zone->isChecked());
}

TEST_F(WindowEditsTest, ASetUpWhoseFileIsMissingOpensWithThatSlotMarkedAndSaysSoOnce) {
    savedTwoSlots();
    std::filesystem::remove(scratch.folder() + "a.wav");
    dialog.answers.push_back(scratch.folder() + "saved.cfg");
    frame->action("Open")->trigger();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "The WAVE files of these messages are missing:\n\nSlot 1 (a): " + scratch.folder() + "a.wav");
    EXPECT_EQ(editor().nameField(1)->text(), "a");
    EXPECT_TRUE(editor().nameField(1)->property("missing").toBool());
    EXPECT_FALSE(editor().playButton(1)->isEnabled());
    EXPECT_TRUE(editor().playButton(2)->isEnabled());
    // Said once: further edits say nothing more.
    click(editor().zoneBox(zoneIndex(1, 2)));
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(WindowEditsTest, SendStopsBeforeAnythingIsSentWhenASequenceNamesAnEmptiedSlot) {
    browseInto({wave("a.wav", 8000, 1.0), wave("b.wav", 8000, 1.0)});
    pick(editor().sequenceBox(entryIndex(4, 1)), " 1");
    pick(editor().sequenceBox(entryIndex(4, 2)), " 2");
    clearName(2);  // the entry that names it is shown as missing (the editor window's tests)
    click(editor().sendButton());
    EXPECT_FALSE(editor().uploadRunning());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Trigger 4 plays slot 2, which is empty. Choose another message for it or fill the "
                                   "slot, then send again.");
    EXPECT_TRUE(unit.log().empty()) << "nothing reached the unit";
}

}  // namespace
}  // namespace mmx::test
