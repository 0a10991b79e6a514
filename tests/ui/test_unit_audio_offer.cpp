// A file the unit cannot play, chosen with Browse: the conversion offer, the conversion off the
// window thread, the converted file in "unit-audio" beside the set-up, and the memory gauge.
#include <QSignalSpy>

#include "ui/qt/memory_gauge.h"
#include "ui/qt/unit_audio_offer.h"
#include "ui_fixture.h"

namespace mmx::test {
namespace {

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
