#include "core/setup.h"

#include <gtest/gtest.h>

#include "support/setup_values.h"

namespace mmx {
namespace {

using test::setupOf;
using test::trigger;
using test::wavSlot;

struct SlotFigures {
    const char* what;
    uint32_t rate;
    uint32_t dataBytes;
    uint64_t fileLength;
    int64_t stored;
    int64_t hundredths;
    int64_t kilobytes;
};

class SlotFiguresTest : public ::testing::TestWithParam<SlotFigures> {};

TEST_P(SlotFiguresTest, FollowTheFile) {
    const SlotFigures& f = GetParam();
    const Slot slot{"/s/a.wav", "a", WaveInfo{f.dataBytes, f.rate, f.fileLength}};
    EXPECT_EQ(storedLength(slot), f.stored);
    EXPECT_EQ(playHundredths(slot), f.hundredths);
    EXPECT_EQ(sizeKilobytes(slot), f.kilobytes);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, SlotFiguresTest,
    ::testing::Values(SlotFigures{"one block with its checksum word", 8000, 300, 346, 350, 2, 0},
                      SlotFigures{"349 bytes need a second block", 8000, 300, 349, 700, 2, 0},
                      SlotFigures{"exactly 2.5 s", 22050, 110250, 110294, 110600, 250, 110},
                      SlotFigures{"a half hundredth rounds up", 8000, 240, 284, 350, 2, 0},
                      SlotFigures{"just under half rounds down", 8000, 239, 283, 350, 1, 0},
                      SlotFigures{"24 kHz, one second", 24000, 48000, 48044, 48300, 100, 48}),
    [](const auto& param) {
        std::string name = param.param.what;
        for (char& c : name) if (!isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(SetupFigures, AnEmptySlotCountsForNothingWhateverItHolds) {
    Slot stale = wavSlot("x", 22050, 22050);
    stale.name.clear();
    EXPECT_EQ(storedLength(stale), 0);
    EXPECT_EQ(playHundredths(stale), 0);
    EXPECT_EQ(totalStoredLength(setupOf({stale})), 0);
}

TEST(SetupFigures, TotalsAddEveryFilledSlotAndFreeMemoryIsWhatIsLeft) {
    const mmx::Setup setup = setupOf({wavSlot("a", 22050, 110250), wavSlot("b", 11025, 27562), {}, wavSlot("d", 8000, 16000)});
    EXPECT_EQ(filledCount(setup), 2);  // slot 3 is a gap
    EXPECT_EQ(totalStoredLength(setup), 110600 + 27650 + 16100);
    EXPECT_EQ(totalPlayHundredths(setup), 250 + 125 + 100);
    EXPECT_EQ(totalKilobytes(setup), 110 + 27 + 16);
    EXPECT_EQ(freeBytes(setup), unit::kCapacityBytes - (110600 + 27650 + 16100));
}

TEST(SetupFigures, TriggerTimeAddsTheShownTimesOfItsMessages) {
    const mmx::Setup setup = setupOf({wavSlot("a", 8000, 36000), wavSlot("b", 8000, 20000)},
                                {trigger({1, 1, 1, 1}), trigger({2, 5, 1}), trigger({}), trigger({1, 0, 2})});
    EXPECT_EQ(triggerPlayHundredths(setup, 1), 4 * 225);
    EXPECT_EQ(triggerPlayHundredths(setup, 2), 125 + 0 + 225);  // slot 5 is empty
    EXPECT_EQ(triggerPlayHundredths(setup, 3), 0);
    EXPECT_EQ(triggerPlayHundredths(setup, 4), 225);  // nothing behind the gap plays
    mmx::Setup full = setup;
    full.slot(12) = wavSlot("l", 8000, 20000);
    full.trigger(5) = trigger({12});
    EXPECT_EQ(triggerPlayHundredths(full, 5), 125);
}

TEST(SetupFigures, PreviewPlanEndsAtAnEmptySlotOrAMissingPath) {
    mmx::Setup setup = setupOf({wavSlot("a", 8000, 100, "/a.wav"), wavSlot("b", 8000, 100, "/b.wav")},
                          {trigger({1, 2, 1}), trigger({2, 3, 1}), trigger({1, 2})});
    setup.slot(2).path.clear();
    EXPECT_EQ(previewPlan(setup, 1), (std::vector<std::string>{"/a.wav"}));
    EXPECT_EQ(previewPlan(setup, 2), std::vector<std::string>{});
    setup.slot(2).path = "/b.wav";
    EXPECT_EQ(previewPlan(setup, 1), (std::vector<std::string>{"/a.wav", "/b.wav", "/a.wav"}));
    EXPECT_EQ(previewPlan(setup, 2), (std::vector<std::string>{"/b.wav"}));
    EXPECT_EQ(previewPlan(setup, 4), std::vector<std::string>{});
}

}  // namespace
}  // namespace mmx
