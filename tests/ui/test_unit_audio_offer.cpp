// A file the unit cannot play, chosen with Browse: the conversion offer, the conversion off the
// window thread, the converted file in "unit-audio" beside the set-up, and the memory gauge.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "ui/qt/memory_gauge.h"
#include "ui/qt/unit_audio_offer.h"
#include "ui_fixture.h"

namespace mmx::test {
namespace {

using UnitAudioOfferTest = FrameFixture;

TEST_F(UnitAudioOfferTest, AStereoFileIsConvertedIntoTheSlotWhenTheOperatorAgrees) {
    state.settings.setupFolder = scratch.folder() + "setup/";
    std::vector<QString> asked;
    editor().audioOffer().setAsk([&](const QString& file, const QString& reason) -> std::optional<ConversionChoice> {
        asked.push_back(file + " / " + reason);
        return ConversionChoice{16000, std::nullopt, false};
    });
    QSignalSpy converted(&editor().audioOffer(), &UnitAudioOffer::slotConverted);
    browseInto({wave("stereo.wav", 44100, 1.0, 2)});
    ASSERT_TRUE(converted.wait(20000));

    EXPECT_EQ(asked, std::vector<QString>{"stereo.wav / The file is not a mono file!"});
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(state.setup.slot(1).path, scratch.folder() + "setup/unit-audio/stereo.wav");
    EXPECT_EQ(editor().nameField(1)->text(), "stereo");
    EXPECT_EQ(editor().rateLabel(1)->text(), "16.000");
    EXPECT_EQ(editor().timeLabel(1)->text(), "1.00");
    // 32044 bytes take 32200 of the unit's 8380000.
    EXPECT_EQ(editor().memoryGauge()->text(), "8347 of 8380 kB");
}

TEST_F(UnitAudioOfferTest, DecliningTheOfferLeavesTheSlotEmpty) {
    editor().audioOffer().setAsk([](const QString&, const QString&) { return std::optional<ConversionChoice>(); });
    browseInto({wave("wide.wav", 44100, 0.5, 2)});
    EXPECT_FALSE(state.setup.slot(1).filled());
    EXPECT_FALSE(editor().audioOffer().converting());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(editor().memoryGauge()->text(), "8380 of 8380 kB");
}

}  // namespace
}  // namespace mmx::test
