// "Send messages and configuration" from the window, against the in-process unit counterpart:
// the frame window takes no input while the worker uploads, the progress caption and the
// verdict arrive on the window thread.
#include <QMenuBar>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include "ui/qt/connection_indicator.h"
#include "ui_fixture.h"

namespace mmx::test {

using UploadWindowTest = FrameFixture;

TEST_F(UploadWindowTest, FullUploadShowsProgressAndTheVerdict) {
    // A unit paced like a 115200 baud line: the fake clock moves with every byte, so the
    // one-second progress ticks come as they would on a real line, without waiting for them.
    UnitOptions paced;
    paced.baud = 115200;
    unit = UnitEmulator(paced);
    browseInto({wave("a.wav", 16000, 4.0), wave("b.wav", 8000, 3.0)});
    Q_EMIT editor().sequenceBox(entryIndex(4, 1))->activated(2);
    editor().toggleZone(zoneIndex(4, 3), 1);
    QSignalSpy shownCaptions(&editor(), &EditorWindow::progressCaptionShown);

    click(editor().sendButton());
    // From the click on, the frame window takes no input.
    EXPECT_TRUE(editor().uploadRunning());
    EXPECT_FALSE(frame->menuBar()->isEnabled());
    EXPECT_FALSE(editor().sendButton()->isEnabled());
    EXPECT_FALSE(editor().browseButton(1)->isEnabled());
    EXPECT_FALSE(editor().indicator()->isEnabled());
    EXPECT_TRUE(editor().cancelButton()->isVisible());
    const size_t dialogsBefore = dialog.requests.size();
    QTest::keyClick(frame.get(), Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialog.requests.size(), dialogsBefore);

    ASSERT_TRUE(eventually([&] { return !editor().uploadRunning(); }, 30000));
    EXPECT_EQ(editor().statusPanel(1)->text(), "Status: Message and configuration upload successfully!");
    EXPECT_TRUE(editor().lastUpload().succeeded());
    // The result also waits in a box for whoever looked away.
    EXPECT_EQ(boxes.notices, std::vector<std::string>{"Message and configuration upload successfully!"});
    EXPECT_FALSE(editor().cancelButton()->isVisible());
    EXPECT_TRUE(frame->menuBar()->isEnabled());
    EXPECT_TRUE(editor().sendButton()->isEnabled());
    EXPECT_FALSE(editor().progressBar()->isVisible());
    EXPECT_FALSE(editor().indicator()->connected());

    // The one-second caption came through while it ran (and was cleared at the end).
    const QRegularExpression format(QStringLiteral("^\\d{1,3}%    Remaining Time: \\d\\d:\\d\\d:\\d\\d$"));
    int shown = 0;
    for (const auto& call : shownCaptions) {
        const QString caption = call[0].toString();
        if (caption.isEmpty()) continue;
        ++shown;
        EXPECT_TRUE(format.match(caption).hasMatch()) << caption.toStdString();
    }
    EXPECT_GE(shown, 1);
    EXPECT_TRUE(editor().progressCaption()->text().isEmpty());

    // The unit holds both messages and the trigger.
    const image::DecodedMessageTable table = unit.messageTable();
    EXPECT_EQ(table.directory.count, 2);
    EXPECT_EQ(unit.triggerTable().plan.sequence[3][0], 2);
    EXPECT_EQ(unit.triggerTable().plan.zones[3], 0x04);
    EXPECT_TRUE(state.messagesUploaded);

    // Unchanged messages: the second upload only rewrites the tables.
    click(editor().sendButton());
    ASSERT_TRUE(eventually([&] { return !editor().uploadRunning(); }, 30000));
    EXPECT_EQ(editor().statusPanel(1)->text(), "Status: Configuration upload successfully!");
}

TEST_F(UploadWindowTest, EscCancelsTheUploadAndSaysItIsNotComplete) {
    browseInto({wave("a.wav", 8000, 1.0)});
    gate.hold();
    click(editor().sendButton());
    QTest::keyClick(frame.get(), Qt::Key_Escape);
    gate.release();
    ASSERT_TRUE(eventually([&] { return !editor().uploadRunning(); }, 30000));
    EXPECT_EQ(editor().lastUpload().verdict, UploadVerdict::Cancelled);
    EXPECT_EQ(editor().statusPanel(1)->text(),
              "Status: Upload cancelled: it was not completed, the unit does not hold this set-up.");
    EXPECT_FALSE(editor().connection().isConnected());
    EXPECT_FALSE(editor().indicator()->connected());
    EXPECT_FALSE(editor().cancelButton()->isVisible());
    EXPECT_TRUE(boxes.notices.empty());
    EXPECT_FALSE(state.messagesUploaded);
}

TEST_F(UploadWindowTest, AnUploadThatCannotStartEndsWithTheMessageBox) {
    const std::string file = wave("a.wav", 8000, 1.0);
    browseInto({file});
    frame->choosePort(2);
    click(editor().sendButton());
    ASSERT_TRUE(eventually([&] { return !editor().uploadRunning(); }, 30000));
    EXPECT_EQ(editor().statusPanel(1)->text(), "Status: Message and configuration upload unsuccessfully!");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "RS232 Com Port cannot be open!");
    EXPECT_EQ(boxes.shown[0].title, "MMX4210");
    // A failed upload frees the window as a successful one does (a unit that falls silent
    // ends the same way: through the worker's result).
    EXPECT_FALSE(editor().lastUpload().succeeded());
    EXPECT_TRUE(frame->menuBar()->isEnabled());
    EXPECT_TRUE(editor().browseButton(1)->isEnabled());
    EXPECT_FALSE(editor().indicator()->connected());

    // A slot's file that went away is named, with the reason, before the port is touched.
    std::filesystem::remove(file);
    frame->choosePort(1);
    click(editor().sendButton());
    ASSERT_TRUE(eventually([&] { return !editor().uploadRunning(); }, 30000));
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text,
              "Path of message file is incorrect!\n\nSlot 1 (a): " + file + ": cannot be opened (No such file or directory)");
    EXPECT_TRUE(unit.log().empty());  // nothing was sent, so nothing was erased
}

}  // namespace mmx::test
