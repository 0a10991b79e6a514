// The editor window driven through its real widgets: message slots filled through the file
// dialog, trigger sequences and zones, previews, and the refusals while the port is open.
#include <QAbstractItemView>
#include <QTest>

#include "ui/qt/connection_indicator.h"
#include "ui/qt/sequence_combo.h"
#include "ui_fixture.h"

namespace mmx::test {

namespace {

QString text(QLabel* label) { return label->text(); }

}  // namespace

using EditorWindowTest = FrameFixture;

TEST_F(EditorWindowTest, ThreeSlotsFilledThroughTheFileDialog) {
    const std::string a = wave("welcome.wav", 22050, 1.0);
    const std::string b = wave("fire.alarm.wav", 8000, 2.5);
    const std::string c = wave("close.wav", 24000, 0.5);
    browseInto({a, b, c});

    ASSERT_EQ(dialog.requests.size(), 3u);
    EXPECT_EQ(dialog.requests[0].filter,
              "All Files (*.*)|*.*|Text Files(*.txt)|*.txt|Batch Files (*.bat)|*.bat|Wave Files (*.wav)|*.wav|"
              "Audio Files (*.wav *.flac *.ogg *.opus *.mp3 *.aiff)|*.wav;*.flac;*.ogg;*.oga;*.opus;*.mp3;*.aif;*.aiff");
    EXPECT_EQ(dialog.requests[0].filterIndex, 5);
    EXPECT_EQ(dialog.requests[0].mode, FileDialogRequest::Mode::Open);

    // Name (before its first "."), time, kHz and stored KB: 44144 bytes -> 44450 stored -> 44;
    // 40044 -> 40250 -> 40; 24044 -> 24150 -> 24.
    const std::vector<std::vector<QString>> rows = {
        {"welcome", "1.00", "22.050", "44"}, {"fire", "2.50", "8.000", "40"}, {"close", "0.50", "24.000", "24"}};
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ((std::vector<QString>{editor().nameField(k)->text(), text(editor().timeLabel(k)),
                                        text(editor().rateLabel(k)), text(editor().sizeLabel(k))}),
                  rows[static_cast<size_t>(k - 1)]);
    }
    EXPECT_EQ(text(editor().totalTimeLabel()), "4.00");
    EXPECT_EQ(text(editor().totalSizeLabel()), "108");

    for (int k = 1; k <= 3; ++k) EXPECT_TRUE(editor().playButton(k)->isEnabled()) << k;
    EXPECT_TRUE(editor().browseButton(4)->isEnabled());
    EXPECT_FALSE(editor().browseButton(5)->isEnabled());
    EXPECT_FALSE(editor().playButton(4)->isEnabled());
    // Every entry now offers the blank choice and messages 1 to 3.
    EXPECT_EQ(editor().sequenceBox(17)->count(), 4);
    EXPECT_EQ(editor().sequenceBox(17)->itemText(3), " 3");
    // The list names each message; the name field's tooltip gives the whole path.
    EXPECT_EQ(editor().sequenceBox(17)->itemData(2, SequenceCombo::kLabelRole).toString(), QStringLiteral("2 \u2013 fire"));
    EXPECT_EQ(editor().nameField(2)->toolTip(), q(b));
    // A click anywhere on an entry opens its list, and it stays open.
    click(editor().sequenceBox(1));
    QApplication::processEvents();
    EXPECT_TRUE(editor().sequenceBox(1)->view()->isVisible());
    editor().sequenceBox(1)->hidePopup();
}

TEST_F(EditorWindowTest, ARejectedFileLeavesTheSlotAsItWasAndTheBoxSaysWhy) {
    browseInto({wave("one.wav", 16000, 1.0)});
    dialog.answers.push_back(wave("stereo.wav", 16000, 1.0, 2));
    click(editor().browseButton(1));
    ASSERT_EQ(boxes.shown.size(), 1u);
    // The usual text, then the file and the value that was refused.
    EXPECT_EQ(boxes.shown[0].text, "The file is not a mono file!\n\nstereo.wav: 2 channels; the unit plays mono (1 channel)");
    EXPECT_EQ(editor().nameField(1)->text(), "one");
    EXPECT_EQ(text(editor().timeLabel(1)), "1.00");
}

TEST_F(EditorWindowTest, TypingANewNameOverTheOldOneEmptiesNothing) {
    browseInto({wave("a.wav", 8000, 1.0), wave("b.wav", 8000, 1.0), wave("c.wav", 8000, 1.0)});
    QLineEdit* name = editor().nameField(2);
    name->setFocus();
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    // While typing, an empty field is no clearing: every slot keeps its file.
    EXPECT_TRUE(name->text().isEmpty());
    EXPECT_EQ(editor().nameField(3)->text(), "c");
    EXPECT_EQ(text(editor().totalTimeLabel()), "3.00");
    QTest::keyClicks(name, "fire");
    EXPECT_EQ(state.setup.slot(2).name, "fire");  // the file stays: the editor's rename
}

TEST_F(EditorWindowTest, ALeftEmptyNameEmptiesEveryLaterSlotAndUndoBringsThemBack) {
    browseInto({wave("a.wav", 8000, 1.0), wave("b.wav", 8000, 1.0), wave("c.wav", 8000, 1.0)});
    pick(editor().sequenceBox(1), " 3");
    clearName(2);
    EXPECT_TRUE(editor().nameField(2)->text().isEmpty());
    EXPECT_TRUE(editor().nameField(3)->text().isEmpty());
    EXPECT_TRUE(text(editor().timeLabel(3)).isEmpty());
    EXPECT_EQ(text(editor().totalTimeLabel()), "1.00");
    EXPECT_TRUE(editor().browseButton(2)->isEnabled());
    EXPECT_FALSE(editor().browseButton(3)->isEnabled());
    EXPECT_EQ(editor().sequenceBox(1)->count(), 2);  // " " and " 1"
    // The entry still names slot 3, now empty: it is shown as missing.
    EXPECT_EQ(editor().sequenceBox(1)->entryText(), " 3");
    EXPECT_TRUE(editor().sequenceBox(1)->missing());
    EXPECT_EQ(text(editor().triggerTimeLabel(1)), "0.00");

    QTest::keyClick(frame.get(), Qt::Key_Z, Qt::ControlModifier);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(editor().nameField(k)->text(), QString(QChar('a' + k - 1))) << k;
    EXPECT_EQ(text(editor().timeLabel(3)), "1.00");
    EXPECT_EQ(editor().nameField(3)->toolTip(), q(scratch.folder() + "c.wav")) << "its file came back too";
    EXPECT_TRUE(editor().playButton(3)->isEnabled());
    EXPECT_FALSE(editor().sequenceBox(1)->missing());
}

TEST_F(EditorWindowTest, SequencesAndZonesShowThePlayTimes) {
    browseInto({wave("a.wav", 8000, 2.5), wave("b.wav", 8000, 1.25), wave("c.wav", 8000, 4.0)});
    // Row 2: messages 3, 1, 2 in a row.
    EXPECT_FALSE(editor().sequenceBox(entryIndex(2, 2))->isEnabled());
    pick(editor().sequenceBox(entryIndex(2, 1)), " 3");
    EXPECT_TRUE(editor().sequenceBox(entryIndex(2, 2))->isEnabled());
    EXPECT_TRUE(editor().triggerPlayButton(2)->isEnabled());
    EXPECT_EQ(text(editor().triggerTimeLabel(2)), "4.00");
    pick(editor().sequenceBox(entryIndex(2, 2)), " 1");
    pick(editor().sequenceBox(entryIndex(2, 3)), " 2");
    EXPECT_EQ(text(editor().triggerTimeLabel(2)), "7.75");
    EXPECT_TRUE(editor().sequenceBox(entryIndex(2, 4))->isEnabled());

    // A blank in entry 2 cuts the sequence there.
    pick(editor().sequenceBox(entryIndex(2, 2)), " ");
    EXPECT_EQ(text(editor().triggerTimeLabel(2)), "4.00");
    EXPECT_EQ(editor().sequenceBox(entryIndex(2, 3))->entryText(), " ");
    EXPECT_FALSE(editor().sequenceBox(entryIndex(2, 3))->isEnabled());
    EXPECT_TRUE(editor().sequenceBox(entryIndex(2, 2))->isEnabled());

    // The same message four times.
    for (int e = 1; e <= 4; ++e) pick(editor().sequenceBox(entryIndex(5, e)), " 1");
    EXPECT_EQ(text(editor().triggerTimeLabel(5)), "10.00");

    // Zones follow the boxes.
    QCheckBox* zone = editor().zoneBox(zoneIndex(2, 5));
    click(zone);
    EXPECT_EQ(state.setup.trigger(2).zones, 0x10);
    click(zone);
    EXPECT_EQ(state.setup.trigger(2).zones, 0);
}

TEST_F(EditorWindowTest, KeysAndTheWheelDoNotChangeAnEntry) {
    browseInto({wave("a.wav", 8000, 1.0), wave("b.wav", 8000, 1.0)});
    SequenceCombo* entry = editor().sequenceBox(1);
    pick(entry, " 1");
    entry->setFocus();
    for (auto key : {Qt::Key_2, Qt::Key_Down, Qt::Key_Up, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_End})
        QTest::keyClick(entry, key);
    QTest::keyClicks(entry, "12");
    EXPECT_EQ(entry->entryText(), " 1");
    EXPECT_EQ(state.setup.trigger(1).sequence[0], 1);
}

TEST_F(EditorWindowTest, NothingChangesOrPlaysWhileThePortIsOpen) {
    browseInto({wave("a.wav", 8000, 1.0)});
    pick(editor().sequenceBox(1), " 1");
    click(editor().indicator());
    ASSERT_TRUE(editor().connection().isConnected());
    EXPECT_TRUE(editor().indicator()->connected());
    // en.lng was loaded at activation; language texts are trimmed, so one blank follows "PORT:".
    EXPECT_EQ(editor().statusPanel(2)->text(), "RS232 PORT: COM1 / 115200,N,8,2");
    EXPECT_EQ(editor().statusPanel(3)->text(), "00:00:00 ");

    const size_t requestsBefore = dialog.requests.size();
    click(editor().browseButton(2));
    click(editor().playButton(1));
    click(editor().triggerPlayButton(1));
    // Opened through the indicator, not by an upload: the boxes say what to do instead.
    ASSERT_EQ(boxes.shown.size(), 3u);
    for (const auto& shown : boxes.shown) {
        EXPECT_EQ(shown.text, "The port to the unit is open. Close it with the connection indicator first, "
                              "then change or play messages.");
        EXPECT_EQ(shown.title, "MMX4210");
    }
    EXPECT_EQ(dialog.requests.size(), requestsBefore);
    EXPECT_TRUE(player.played.empty());

    // A language change keeps the open port described.
    frame->action("nl")->trigger();
    EXPECT_TRUE(editor().statusPanel(2)->text().endsWith("COM1 / 115200,N,8,2"));
    frame->action("en")->trigger();

    click(editor().indicator());
    EXPECT_FALSE(editor().connection().isConnected());
    EXPECT_FALSE(editor().indicator()->connected());
    EXPECT_EQ(editor().statusPanel(2)->text(), "RS232 PORT: ");
}

TEST_F(EditorWindowTest, SendWhileConnectedUploadsAndTheIndicatorFollowsThePort) {
    browseInto({wave("a.wav", 8000, 1.0)});
    click(editor().indicator());
    ASSERT_TRUE(editor().indicator()->connected());
    click(editor().sendButton());
    EXPECT_FALSE(editor().indicator()->connected());  // closed cleanly for the upload to open
    ASSERT_TRUE(eventually([&] { return !editor().uploadRunning(); }, 30000));
    EXPECT_TRUE(editor().lastUpload().succeeded());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(editor().connection().isConnected());
    EXPECT_FALSE(editor().indicator()->connected());
}

TEST_F(EditorWindowTest, APortThatCannotOpenIsNamedInTheStatusBar) {
    frame->choosePort(3);
    click(editor().indicator());
    EXPECT_FALSE(editor().connection().isConnected());
    EXPECT_FALSE(editor().indicator()->connected());
    // The reason follows the panel's own text.
    EXPECT_EQ(editor().statusPanel(2)->text(), "RS232 PORT: COM3 can not be open! (/dev/ttyUSB2: another program has the port)");
    // The reason is said in the language in use.
    frame->action("nl")->trigger();
    click(editor().indicator());
    EXPECT_TRUE(editor().statusPanel(2)->text().endsWith("(/dev/ttyUSB2: een ander programma gebruikt de poort)"))
        << editor().statusPanel(2)->text().toStdString();
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(EditorWindowTest, MessagePreviewShowsItsButtonWhilePlaying) {
    const std::string a = wave("a.wav", 8000, 1.0);
    browseInto({a});
    click(editor().playButton(1));
    ASSERT_EQ(player.played, std::vector<std::string>{a});
    EXPECT_EQ(player.volumes.front(), -600);
    EXPECT_EQ(editor().playButton(1)->text(), "-");
    click(editor().playButton(1));  // stops
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(editor().playButton(1)->text(), ">");

    // A file the player cannot play: back to ">" without a word.
    player.unplayable.insert(a);
    click(editor().playButton(1));
    EXPECT_EQ(editor().playButton(1)->text(), ">");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(EditorWindowTest, SequencePreviewPlaysEachMessageAfterTheLast) {
    const std::string a = wave("a.wav", 8000, 1.0);
    const std::string b = wave("b.wav", 8000, 1.0);
    browseInto({a, b});
    pick(editor().sequenceBox(entryIndex(3, 1)), " 2");
    pick(editor().sequenceBox(entryIndex(3, 2)), " 1");
    click(editor().triggerPlayButton(3));
    EXPECT_EQ(player.played, std::vector<std::string>{b});
    EXPECT_EQ(editor().triggerPlayButton(3)->text(), "-");
    player.finish();
    QApplication::processEvents();  // the next message starts after the player's notice
    EXPECT_EQ(player.played, (std::vector<std::string>{b, a}));
    EXPECT_TRUE(editor().preview().playingSequence());  // steps 3 and 4 still wait for the player
    player.finish();
    QApplication::processEvents();
    EXPECT_FALSE(editor().preview().playingSequence());
    EXPECT_EQ(editor().triggerPlayButton(3)->text(), ">");
    EXPECT_EQ(player.played.size(), 2u);
}

TEST_F(EditorWindowTest, ASecondPlayClickStopsTheSequence) {
    const std::string a = wave("a.wav", 8000, 1.0);
    browseInto({a});
    for (int e = 1; e <= 4; ++e) pick(editor().sequenceBox(entryIndex(1, e)), " 1");
    pick(editor().sequenceBox(entryIndex(2, 1)), " 1");
    click(editor().triggerPlayButton(1));
    EXPECT_TRUE(editor().preview().playingSequence());
    click(editor().triggerPlayButton(2));  // another row's button stops it
    QApplication::processEvents();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_FALSE(editor().preview().playingSequence());
    EXPECT_EQ(player.played.size(), 1u);
    EXPECT_EQ(editor().triggerPlayButton(1)->text(), ">");

    // A message button during a sequence skips to the sequence's next entry.
    click(editor().triggerPlayButton(1));
    click(editor().playButton(1));
    QApplication::processEvents();
    EXPECT_EQ(player.played.size(), 3u);
    EXPECT_TRUE(player.isPlaying());
}

}  // namespace mmx::test
