// The check of every slot's file before an upload and the unit image, on set-ups built in one
// line. Opening, saving and printing hand straight on to the file codecs, whose tests pin the bytes.
#include "app/setup_files.h"

#include <gtest/gtest.h>

#include "support/saved_setup.h"
#include "support/setup_values.h"
#include "support/test_support.h"

namespace mmx::app {
namespace {

using test::ScratchFolder;

class SetupFiles : public ::testing::Test {
protected:
    Slot slotWith(int k, uint32_t dataBytes) { return test::generatedSlot(folder, k, dataBytes); }
    ScratchFolder folder;
};

TEST_F(SetupFiles, CheckFindsMissingChangedAndRefusedFiles) {
    mmx::Setup setup = test::setupOf({slotWith(1, 22050), slotWith(2, 3000), slotWith(3, 1000), slotWith(4, 500)});
    folder.writeWave("m2.wav", {.dataBytes = 44000});  // another valid file, larger now
    folder.writeWave("m3.wav", {.channels = 2, .dataBytes = 1000});
    std::filesystem::remove(setup.slot(4).path);

    const CheckReport report = checkSetup(setup);
    ASSERT_EQ(report.slots.size(), 4u);
    EXPECT_TRUE(report.slots[0].check.accepted);
    EXPECT_FALSE(report.slots[0].changed());
    EXPECT_TRUE(report.slots[1].changed());
    EXPECT_EQ(report.slots[1].storedNow, unit::storedLength(44044));
    EXPECT_EQ(report.slots[1].storedWhenSaved, unit::storedLength(3044));
    EXPECT_FALSE(report.slots[2].check.accepted);
    EXPECT_TRUE(report.slots[2].check.messageBoxIndex.has_value());
    EXPECT_FALSE(report.slots[3].check.accepted);
    EXPECT_FALSE(report.slots[3].check.messageBoxIndex.has_value());
    EXPECT_EQ(report.totalStored, unit::storedLength(22094) + unit::storedLength(44044));
    EXPECT_TRUE(report.fits());
    EXPECT_FALSE(report.passed());

    setup.slot(3) = Slot{};
    setup.slot(4) = Slot{};
    EXPECT_TRUE(checkSetup(setup).passed());
}

TEST_F(SetupFiles, TheTwelfthSlotIsCheckedToo) {
    mmx::Setup setup;
    for (int k = 1; k <= 12; ++k) setup.slot(k) = slotWith(k, 100);
    std::filesystem::remove(setup.slot(12).path);
    EXPECT_FALSE(checkSetup(setup).passed());
}

TEST_F(SetupFiles, ASetupThatNoLongerFitsFailsTheCheck) {
    // A file that grew past the memory after it was chosen.
    mmx::Setup setup = test::setupOf({slotWith(1, 100)});
    folder.writeWave("m1.wav", {.dataBytes = 8'400'000});
    const CheckReport report = checkSetup(setup);
    EXPECT_TRUE(report.slots[0].check.accepted);
    EXPECT_FALSE(report.fits());
    EXPECT_FALSE(report.passed());
}

// A trigger left naming a slot that was emptied would be sent as a sequence of a message the unit
// does not hold: the check fails and no image is built, naming the trigger.
TEST_F(SetupFiles, ASequenceNamingAnEmptySlotFailsTheCheckAndBuildsNoImage) {
    const mmx::Setup setup =
        test::setupOf({slotWith(1, 1000), slotWith(2, 3000)}, {test::trigger({1}), test::trigger({}), test::trigger({2, 3})});
    const CheckReport report = checkSetup(setup);
    EXPECT_TRUE(report.fits());
    EXPECT_EQ(report.emptySlotEntry.trigger, 3);
    EXPECT_EQ(report.emptySlotEntry.slot, 3);
    EXPECT_FALSE(report.passed());
    const LoadedImage loaded = buildUnitImage(setup);
    ASSERT_FALSE(loaded.image);
    EXPECT_EQ(loaded.problem->kind, MessageFileProblem::Kind::EmptySlotInSequence);
    EXPECT_EQ(loaded.problem->trigger, 3);
    EXPECT_EQ(loaded.problem->detail, "trigger 3 plays slot 3, which is empty");
}

}  // namespace
}  // namespace mmx::app
