// The window's edits as an operator makes them: undo and redo through the Edit menu and its
// keys with the unsaved mark following the history, and what the window does about a failed
// Open, missing files and emptied slots in a sequence.
#include <QTest>
#include <filesystem>
#include <functional>

#include "ui_fixture.h"

namespace mmx::test {
namespace {

class WindowEditsTest : public FrameFixture {
public:
    using FrameFixture::dialog, FrameFixture::editor, FrameFixture::wave, FrameFixture::clearName;
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

// The edits the history is tried with, each through the widgets.
struct EditCase {
    const char* name;
    std::function<void(WindowEditsTest&)> edit;
};

class UndoRedoTest : public WindowEditsTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(UndoRedoTest, UndoingBackToTheSavedSetUpClearsTheMarkAndRedoSetsItAgain) {
    savedTwoSlots();
    const mmx::Setup saved = state.setup;
    GetParam().edit(*this);
    const mmx::Setup edited = state.setup;
    ASSERT_NE(edited, saved);
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(frame->action("Undo")->isEnabled());
    EXPECT_FALSE(frame->action("Redo")->isEnabled());

    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state.setup, saved);
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_TRUE(frame->action("Redo")->isEnabled());

    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(state.setup, edited);
    EXPECT_TRUE(frame->isWindowModified());
    frame->action("Undo")->trigger();
    QTest::keyClick(frame.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(state.setup, edited);
    // What the window shows follows the value.
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(editor().nameField(k)->text(), q(edited.slot(k).name)) << k;
    EXPECT_EQ(editor().zoneBox(zoneIndex(1, 1))->isChecked(), (edited.trigger(1).zones & 1) != 0);
    EXPECT_EQ(editor().sequenceBox(entryIndex(2, 1))->entryText(),
              edited.trigger(2).sequence[0] ? QStringLiteral(" %1").arg(edited.trigger(2).sequence[0]) : QStringLiteral(" "));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, UndoRedoTest,
    ::testing::Values(EditCase{"Assign",
                               [](WindowEditsTest& test) {
                                   test.dialog.answers.push_back(test.wave("c.wav", 8000, 0.5));
                                   click(test.editor().browseButton(3));
                               }},
                      EditCase{"Clear", [](WindowEditsTest& test) { test.clearName(2); }},
                      EditCase{"Sequence", [](WindowEditsTest& test) { pick(test.editor().sequenceBox(entryIndex(2, 1)), " 1"); }},
                      EditCase{"Zone", [](WindowEditsTest& test) { click(test.editor().zoneBox(zoneIndex(1, 1))); }}),
    [](const ::testing::TestParamInfo<EditCase>& param) { return std::string(param.param.name); });

TEST_F(WindowEditsTest, AFailedOpenLeavesTheSetUpItsNameAndItsMark) {
    savedTwoSlots();
    click(editor().zoneBox(zoneIndex(2, 4)));
    const mmx::Setup edited = state.setup;
    const QString title = frame->windowTitle();
    boxes.answers = {QuestionAnswer::No};
    dialog.answers.push_back(scratch.write("damaged.cfg", "not a set-up\r\n"));
    frame->action("Open")->trigger();
    EXPECT_EQ(state.setup, edited);
    EXPECT_TRUE(editor().zoneBox(zoneIndex(2, 4))->isChecked());
    EXPECT_EQ(frame->windowTitle(), title);
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(frame->action("Undo")->isEnabled());
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
