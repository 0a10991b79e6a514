// The window's edits as an operator makes them: undo and redo through the Edit menu and its
// keys with the unsaved mark following the history, and what the window does about a failed
// Open, unsaved changes, missing files, emptied slots in a sequence and a help document that
// nothing opens.
#include <QTest>
#include <filesystem>
#include <functional>

#include "ui_fixture.h"

namespace mmx::test {
namespace {

class WindowEditsTest : public FrameFixture {
public:
    // The edits the history is tried with, each through the widgets.
    void assignThirdSlot() {
        dialog.answers.push_back(wave("c.wav", 8000, 0.5));
        click(editor().browseButton(3));
    }
    void clearSecondSlot() { clearName(2); }
    void pickForSecondTrigger() { pick(editor().sequenceBox(entryIndex(2, 1)), " 1"); }
    void untickFirstZone() { click(editor().zoneBox(zoneIndex(1, 1))); }

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
    ::testing::Values(EditCase{"Assign", [](WindowEditsTest& test) { test.assignThirdSlot(); }},
                      EditCase{"Clear", [](WindowEditsTest& test) { test.clearSecondSlot(); }},
                      EditCase{"Sequence", [](WindowEditsTest& test) { test.pickForSecondTrigger(); }},
                      EditCase{"Zone", [](WindowEditsTest& test) { test.untickFirstZone(); }}),
    [](const ::testing::TestParamInfo<EditCase>& param) { return std::string(param.param.name); });

TEST_F(WindowEditsTest, TheEditMenuIsNamedAndOpenClearsTheHistory) {
    for (const char* name : {"Undo", "Redo"}) {
        EXPECT_FALSE(frame->action(name)->text().isEmpty()) << name;
        EXPECT_FALSE(frame->action(name)->toolTip().isEmpty()) << name;
    }
    EXPECT_EQ(frame->action("Redo")->shortcuts().size(), 2);
    savedTwoSlots();
    EXPECT_TRUE(frame->action("Undo")->isEnabled());
    dialog.answers.push_back(scratch.folder() + "saved.cfg");
    frame->action("Open")->trigger();
    EXPECT_FALSE(frame->action("Undo")->isEnabled());
    // Nothing to undo: the keys change nothing.
    const mmx::Setup opened = state.setup;
    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state.setup, opened);
}

TEST_F(WindowEditsTest, ACancelledOrFailedOpenLeavesTheSetUpItsNameItsFileAndItsMark) {
    savedTwoSlots();
    click(editor().zoneBox(zoneIndex(2, 4)));
    const mmx::Setup edited = state.setup;
    const QString title = frame->windowTitle();
    // Cancel at the unsaved-changes question: no file is asked for.
    boxes.answers = {QuestionAnswer::Cancel};
    const size_t dialogs = dialog.requests.size();
    frame->action("Open")->trigger();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Do you want to save the changes?");
    EXPECT_TRUE(boxes.lastQuestionHadCancel);
    EXPECT_EQ(dialog.requests.size(), dialogs);
    EXPECT_EQ(state.setup, edited);

    const std::string damaged = scratch.write("damaged.cfg", "not a set-up\r\n");
    boxes.answers = {QuestionAnswer::No};
    dialog.answers.push_back(damaged);
    frame->action("Open")->trigger();
    EXPECT_EQ(state.setup, edited);
    EXPECT_EQ(frame->windowTitle(), title);
    EXPECT_TRUE(frame->isWindowModified());
    EXPECT_TRUE(frame->action("Undo")->isEnabled());
    // Ctrl+S writes to the set-up that is open, never over the damaged file.
    QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readText(damaged), "not a set-up\r\n");
    EXPECT_NE(readText(scratch.folder() + "saved.cfg").find("Check1( 10)=1\r\n"), std::string::npos);
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
    clearName(2);
    EXPECT_TRUE(editor().sequenceBox(entryIndex(4, 2))->missing());
    EXPECT_FALSE(editor().sequenceBox(entryIndex(4, 1))->missing());
    EXPECT_EQ(editor().triggerTimeLabel(4)->text(), "1.00");
    click(editor().sendButton());
    EXPECT_FALSE(editor().uploadRunning());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text.rfind("Trigger 4 plays slot 2, which is empty.", 0), 0u) << boxes.shown[0].text;
    EXPECT_TRUE(unit.log().empty()) << "nothing reached the unit";
}

TEST_F(WindowEditsTest, HelpSaysWhereTheDocumentIsWhenNothingOpensIt) {
    viewer.starts = false;
    QTest::keyClick(frame.get(), Qt::Key_F1);
    ASSERT_EQ(viewer.shown.size(), 1u);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("IFU Zanth Message manager.TXT"), std::string::npos) << boxes.shown[0].text;
    EXPECT_NE(boxes.shown[0].text.find(state.dataFolder), std::string::npos) << boxes.shown[0].text;
    viewer.starts = true;
    frame->action("Instructions_for_use")->trigger();
    EXPECT_EQ(boxes.shown.size(), 1u) << "an opened document needs no word";
}

}  // namespace
}  // namespace mmx::test
