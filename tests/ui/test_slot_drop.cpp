// Files dragged onto the editor window: sound files fill slots in the order given, a set-up
// file opens (after the unsaved-changes question), other audio gets the conversion offer, and
// the row that would take the drop is highlighted.
#include <QLabel>
#include <QLineEdit>
#include <tuple>

#include "app/setup_files.h"
#include "ui/qt/editor_extensions.h"
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

struct DropCase {
    const char* name;
    std::vector<std::tuple<std::string, uint32_t, double>> filled, dropped;  // file, rate, seconds
    int on;                                                                  // the slot dropped on
    std::vector<QString> after;  // slots 1 to 5: name, time and rate
};

class DroppedSoundFiles : public SlotDropTest, public ::testing::WithParamInterface<DropCase> {
protected:
    std::vector<std::string> waves(const std::vector<std::tuple<std::string, uint32_t, double>>& files) {
        std::vector<std::string> paths;
        for (const auto& [name, rate, seconds] : files) paths.push_back(wave(name + ".wav", rate, seconds));
        return paths;
    }
};

TEST_P(DroppedSoundFiles, FillTheSlotsFromTheDropOnInTheirOrderAsOneEdit) {
    browseInto(waves(GetParam().filled));
    const mmx::Setup before = state.setup;
    EXPECT_TRUE(drop(waves(GetParam().dropped), GetParam().on));
    for (int k = 1; k <= 5; ++k) {
        const QString shown = editor().nameField(k)->text() + " " + editor().timeLabel(k)->text() + " " + editor().rateLabel(k)->text();
        EXPECT_EQ(shown.trimmed(), GetParam().after[static_cast<size_t>(k - 1)]) << k;
    }
    EXPECT_TRUE(state.setupChanged());
    if (GetParam().dropped.size() > 1) return;
    // The drop of a file is one step of the undo history.
    editor().undo();
    EXPECT_EQ(state.setup, before);
    EXPECT_EQ(state.setupChanged(), !GetParam().filled.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DroppedSoundFiles,
    ::testing::Values(
        DropCase{"OneOnAnEmptySlot", {}, {{"a", 8000, 1.0}}, 1, {"a 1.00 8.000", "", "", "", ""}},
        // On slot 6 of a table with one filled slot: the files go to 2, 3 and 4, no gaps.
        DropCase{"SeveralFillOnWithoutGaps", {{"first", 8000, 1.0}}, {{"b", 8000, 1.0}, {"c", 16000, 0.5}, {"d", 8000, 2.0}}, 6,
                 {"first 1.00 8.000", "b 1.00 8.000", "c 0.50 16.000", "d 2.00 8.000", ""}},
        DropCase{"OneOnAFilledSlotReplacesItsFile", {{"old", 8000, 1.0}, {"keep", 8000, 1.0}}, {{"fresh", 8000, 3.0}}, 1,
                 {"fresh 3.00 8.000", "keep 1.00 8.000", "", "", ""}}),
    [](const ::testing::TestParamInfo<DropCase>& param) { return std::string(param.param.name); });

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
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Do you want to save the changes?");
    EXPECT_TRUE(boxes.lastQuestionHadCancel);
    EXPECT_EQ(editor().nameField(1)->text(), "in-window");

    boxes.answers.push_back(QuestionAnswer::No);
    EXPECT_TRUE(drag(editor(), *data, slotPoint(9)));
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(editor().nameField(1)->text(), "lobby");
    EXPECT_FALSE(state.setupChanged());
    EXPECT_EQ(state.settings.setupFile, "lobby.cfg");
    EXPECT_EQ(state.settings.recentSetups.front(), lobby);
}

}  // namespace
}  // namespace mmx::test
