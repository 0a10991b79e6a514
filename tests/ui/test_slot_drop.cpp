// Files put in the slots: dragged onto the editor window they fill slots in the order given, a
// set-up file opens (after the unsaved-changes question), and the row that would take the drop
// is highlighted; a file the unit cannot play, dropped or chosen with Browse, gets the conversion
// offer, is converted off the window thread into "unit-audio" beside the set-up, and the memory
// gauge follows.
#include <QSignalSpy>

#include "app/setup_files.h"
#include "ui/qt/editor_extensions.h"
#include "ui/qt/memory_gauge.h"
#include "ui/qt/slot_drop.h"
#include "ui/qt/unit_audio_offer.h"
#include "ui_fixture.h"

namespace mmx::test {

namespace {

class SlotDropTest : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        extensions = new EditorExtensions(*frame, state, EditorExtensions::Services{&dialog, &boxes, {}});
        frame->resize(1400, 900);
        QApplication::processEvents();
    }
    // Where slot k's row is, in editor window coordinates.
    QPoint slotPoint(int k) {
        QLineEdit* name = editor().nameField(k);
        return name->mapTo(&editor(), name->rect().center());
    }
    bool drop(const std::vector<std::string>& paths, int k) { return drag(editor(), *fileDrag(paths), slotPoint(k)); }

    EditorExtensions* extensions = nullptr;
};

TEST_F(SlotDropTest, SeveralFilesFillTheSlotsFromThereOnInTheirOrder) {
    browseInto({wave("first.wav", 8000, 1.0)});
    const std::string b = wave("b.wav", 8000, 1.0), c = wave("c.wav", 16000, 0.5), d = wave("d.wav", 8000, 2.0);
    // Dropped on slot 6 of a table with one filled slot: the files go to 2, 3 and 4, no gaps.
    EXPECT_TRUE(drop({b, c, d}, 6));
    EXPECT_EQ(state.setup.slot(2).path, b);
    EXPECT_EQ(state.setup.slot(3).path, c);
    EXPECT_EQ(state.setup.slot(4).path, d);
    EXPECT_FALSE(state.setup.slot(5).filled());
    EXPECT_EQ(editor().rateLabel(3)->text(), "16.000");
    // The whole drop is one step of the undo history; the slot filled before it stays.
    editor().undo();
    for (int k = 2; k <= 4; ++k) EXPECT_FALSE(state.setup.slot(k).filled()) << k;
    EXPECT_TRUE(state.setup.slot(1).filled());
    editor().redo();
    EXPECT_EQ(state.setup.slot(4).path, d);
}

TEST_F(SlotDropTest, DroppedOnAFilledSlotReplacesItsFile) {
    browseInto({wave("old.wav", 8000, 1.0), wave("keep.wav", 8000, 1.0)});
    const std::string fresh = wave("fresh.wav", 8000, 3.0);
    EXPECT_TRUE(drop({fresh}, 1));
    EXPECT_EQ(state.setup.slot(1).path, fresh);
    EXPECT_EQ(editor().timeLabel(1)->text(), "3.00");
    EXPECT_EQ(editor().nameField(2)->text(), "keep");
}

TEST_F(SlotDropTest, OtherAudioGetsTheConversionOffer) {
    std::vector<std::pair<QString, QString>> offered;
    editor().audioOffer().setAsk([&](const QString& name, const QString& reason) -> std::optional<ConversionChoice> {
        offered.emplace_back(name, reason);
        return std::nullopt;  // declined
    });
    const std::string stereo = wave("stereo.wav", 8000, 1.0, 2);
    const std::string later = wave("later.wav", 8000, 1.0);
    EXPECT_TRUE(drop({stereo, later}, 1));
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].first, "stereo.wav");
    // Declined: the slot stays empty, and the file after it does not jump into its place.
    EXPECT_FALSE(state.setup.slot(1).filled());
    EXPECT_FALSE(state.setup.slot(2).filled());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SlotDropTest, TheTargetRowIsHighlightedWhileDragging) {
    browseInto({wave("one.wav", 8000, 1.0)});
    const auto data = fileDrag({wave("x.wav", 8000, 1.0), wave("y.wav", 8000, 1.0)});
    EXPECT_TRUE(drag(editor(), *data, slotPoint(2), false));
    QWidget* highlight = extensions->drop().highlight();
    ASSERT_TRUE(highlight->isVisible());
    // Rows 2 and 3 will take the two files.
    EXPECT_TRUE(highlight->geometry().contains(slotPoint(2)));
    EXPECT_TRUE(highlight->geometry().contains(slotPoint(3)));
    EXPECT_FALSE(highlight->geometry().contains(slotPoint(4)));
    EXPECT_FALSE(highlight->geometry().contains(slotPoint(1)));
    // Over the trigger table sound files have nowhere to go.
    const QPoint trigger = editor().triggerTimeLabel(5)->mapTo(&editor(), editor().triggerTimeLabel(5)->rect().center());
    EXPECT_FALSE(drag(editor(), *data, trigger, false));
    EXPECT_FALSE(highlight->isVisible());
    QDragLeaveEvent leave;
    drag(editor(), *data, slotPoint(2), false);
    QApplication::sendEvent(&editor(), &leave);
    EXPECT_FALSE(highlight->isVisible());
    EXPECT_FALSE(state.setup.slot(2).filled());
}

TEST_F(SlotDropTest, ASetupFileOpensAfterTheUnsavedChangesQuestion) {
    const std::string lobby = scratch.folder() + "lobby.cfg";
    browseInto({wave("lobby.wav", 8000, 2.0)});
    ASSERT_TRUE(app::saveSetup(lobby, state.setup).ok);
    browseInto({wave("in-window.wav", 8000, 1.0)});
    const auto data = fileDrag({lobby});
    // The whole window shows that it takes a set-up file.
    EXPECT_TRUE(drag(editor(), *data, slotPoint(9), false));
    EXPECT_EQ(extensions->drop().highlight()->geometry(), editor().rect());

    boxes.answers.push_back(QuestionAnswer::Cancel);
    EXPECT_TRUE(drag(editor(), *data, slotPoint(9)));
    EXPECT_EQ(boxes.shown.size(), 1u);  // the question File > Open asks
    EXPECT_EQ(editor().nameField(1)->text(), "in-window");

    boxes.answers.push_back(QuestionAnswer::No);
    EXPECT_TRUE(drag(editor(), *data, slotPoint(9)));
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(editor().nameField(1)->text(), "lobby");
    EXPECT_FALSE(state.setupChanged());
    EXPECT_EQ(state.settings.setupFile, "lobby.cfg");
    EXPECT_EQ(state.settings.recentSetups.front(), lobby);
}

using UnitAudioOfferTest = FrameFixture;

TEST_F(UnitAudioOfferTest, StereoFilesAreConvertedIntoTheirSlotsEachToAFileOfItsOwn) {
    state.settings.setupFolder = scratch.folder() + "setup/";
    std::vector<QString> asked;
    editor().audioOffer().setAsk([&](const QString& file, const QString& reason) -> std::optional<ConversionChoice> {
        asked.push_back(file + " / " + reason);
        return ConversionChoice{16000, std::nullopt, false};
    });
    QSignalSpy converted(&editor().audioOffer(), &UnitAudioOffer::slotConverted);
    // Two files of the same name from two folders.
    std::filesystem::create_directories(scratch.path() / "a");
    std::filesystem::create_directories(scratch.path() / "b");
    browseInto({wave("a/stereo.wav", 44100, 1.0, 2)});
    ASSERT_TRUE(converted.wait(20000));
    dialog.answers.push_back(wave("b/stereo.wav", 44100, 0.5, 2));
    click(editor().browseButton(2));
    ASSERT_TRUE(converted.wait(20000));

    EXPECT_EQ(asked, std::vector<QString>(2, "stereo.wav / The file is not a mono file!"));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(state.setup.slot(1).path, scratch.folder() + "setup/unit-audio/stereo.wav");
    EXPECT_EQ(state.setup.slot(2).path, scratch.folder() + "setup/unit-audio/stereo-2.wav");
    EXPECT_EQ(ReadWaveHeader(state.setup.slot(1).path).info, state.setup.slot(1).wave) << "slot 1's file is as it was";
    EXPECT_EQ(editor().nameField(1)->text(), "stereo");
    EXPECT_EQ(editor().rateLabel(1)->text(), "16.000");
    EXPECT_EQ(editor().timeLabel(1)->text(), "1.00");
    EXPECT_EQ(editor().timeLabel(2)->text(), "0.50");
    // 32044 and 16044 bytes take 32200 and 16100 of the unit's 8380000.
    EXPECT_EQ(editor().memoryGauge()->text(), "8331 of 8380 kB");
}

}  // namespace
}  // namespace mmx::test
