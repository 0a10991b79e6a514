// The edits both front ends make: every check Browse makes, and what clearing, renaming,
// sequences and zones do to the set-up.
#include "app/setup_edits.h"

#include <gtest/gtest.h>

#include "support/setup_values.h"
#include "support/test_support.h"

namespace mmx::app {
namespace {

using test::ScratchFolder;
using test::setupOf;
using test::trigger;
using test::WaveShape;
using test::wavSlot;

class AssignFile : public ::testing::Test {
protected:
    std::string wave(const std::string& name, WaveShape shape = {}) {
        if (shape.dataBytes == 0) shape.dataBytes = 22050;
        return folder.writeWave(name, shape);
    }
    ScratchFolder folder;
    mmx::Setup setup;
};

TEST_F(AssignFile, TheNextSlotTakesAGoodFileUnderItsShownName) {
    const std::string path = wave("morning.call.wav");
    const AssignOutcome outcome = assignFile(setup, 1, path);
    ASSERT_EQ(outcome.verdict, EditVerdict::Done);
    EXPECT_EQ(setup.slot(1).path, path);
    EXPECT_EQ(setup.slot(1).name, "morning");
    EXPECT_EQ(setup.slot(1).wave.sampleRate, 22050u);
    EXPECT_EQ(setup.slot(1).wave.dataLength, 22050u);
    EXPECT_EQ(playHundredths(setup.slot(1)), 50);
    EXPECT_EQ(outcome.totalBytes, storedLength(setup.slot(1)));
    // Replacing the file of a filled slot is allowed too.
    EXPECT_EQ(assignFile(setup, 1, wave("other.wav")).verdict, EditVerdict::Done);
    EXPECT_EQ(setup.slot(1).name, "other");
}

// The shown name is the file name up to its first dot; never empty, which would mean an empty slot.
TEST(ShownName, IsTheFileNameUpToItsFirstDot) {
    for (const auto& [path, name] : {std::pair{"/a.b/hello.world.wav", "hello"}, {"noextension", "noextension"},
                                     {"/s/.wav", ".wav"}, {".hidden", ".hidden"}})
        EXPECT_EQ(shownNameFor(path), name) << path;
}

TEST_F(AssignFile, RefusalsLeaveTheSetupAsItWas) {
    ASSERT_EQ(assignFile(setup, 1, wave("a.wav")).verdict, EditVerdict::Done);
    const mmx::Setup before = setup;
    const AssignOutcome refused = assignFile(setup, 2, wave("stereo.wav", {.channels = 2, .dataBytes = 400}));
    EXPECT_EQ(refused.verdict, EditVerdict::FileRefused);
    EXPECT_EQ(refused.check.channels, 2);
    EXPECT_EQ(assignFile(setup, 2, folder.folder() + "missing.wav").verdict, EditVerdict::FileRefused);
    EXPECT_EQ(assignFile(setup, 3, wave("b.wav")).verdict, EditVerdict::NotNextSlot);
    EXPECT_EQ(assignFile(setup, 0, wave("b.wav")).verdict, EditVerdict::NoSuchSlot);
    EXPECT_EQ(assignFile(setup, 13, wave("b.wav")).verdict, EditVerdict::NoSuchSlot);
    EXPECT_EQ(setup, before);
}

TEST_F(AssignFile, AFileThatWouldOverfillTheMemoryIsRefusedWithTheTotal) {
    // Slot 1 holds almost everything; a file of 1000 bytes more does not fit, one that just
    // fits does.
    setup.slot(1) = Slot{"/big.wav", "big", WaveInfo{8'000'000, 8000, 8'378'998}};
    ASSERT_EQ(storedLength(setup.slot(1)), 8'379'000);
    const mmx::Setup before = setup;
    // 1044 bytes: 1050 stored, 1000 are free.
    const AssignOutcome over = assignFile(setup, 2, wave("small.wav", {.dataBytes = 1000}));
    EXPECT_EQ(over.verdict, EditVerdict::OverCapacity);
    EXPECT_EQ(over.totalBytes, 8'379'000 + 1050);
    EXPECT_EQ(setup, before);
    // 644 bytes: 700 stored.
    EXPECT_EQ(assignFile(setup, 2, wave("fits.wav", {.dataBytes = 600})).verdict, EditVerdict::Done);
    EXPECT_EQ(freeBytes(setup), 300);
    // In place of a file only the difference counts: one as large fits, one a block larger does not.
    EXPECT_EQ(assignFile(setup, 2, wave("same.wav", {.dataBytes = 600})).verdict, EditVerdict::Done);
    EXPECT_EQ(assignFile(setup, 2, wave("larger.wav", {.dataBytes = 1000})).verdict, EditVerdict::OverCapacity);
    EXPECT_EQ(setup.slot(2).name, "same");
}

TEST(SetupEdits, ClearingASlotEmptiesItAndEveryLaterOneButTriggersKeepTheirNumbers) {
    mmx::Setup setup = setupOf({wavSlot("a", 8000, 100), wavSlot("b", 8000, 100), wavSlot("c", 8000, 100)},
                               {trigger({3, 1})});
    EXPECT_EQ(clearSlot(setup, 2), EditVerdict::Done);
    EXPECT_TRUE(setup.slot(1).filled());
    EXPECT_EQ(setup.slot(2), Slot{});
    EXPECT_EQ(setup.slot(3), Slot{});
    EXPECT_EQ(setup.trigger(1), trigger({3, 1}));
    EXPECT_EQ(clearSlot(setup, 13), EditVerdict::NoSuchSlot);
    for (int k = 1; k <= 12; ++k) setup.slot(k) = wavSlot("f", 8000, 100);
    EXPECT_EQ(clearSlot(setup, 1), EditVerdict::Done);
    EXPECT_EQ(setup.slot(12), Slot{}) << "up to the last slot";
}

TEST(SetupEdits, RenamingKeepsTheFileAndAnEmptyNameClears) {
    mmx::Setup setup = setupOf({wavSlot("a", 8000, 100), wavSlot("b", 8000, 100)});
    EXPECT_EQ(renameSlot(setup, 1, "Welcome"), EditVerdict::Done);
    EXPECT_EQ(setup.slot(1).name, "Welcome");
    EXPECT_EQ(setup.slot(1).path, "/sounds/a.wav");
    EXPECT_EQ(renameSlot(setup, 1, ""), EditVerdict::Done);
    EXPECT_EQ(filledCount(setup), 0);
}

struct SequenceCase {
    const char* what;
    std::vector<int> slots;
    EditVerdict verdict;
};

class SetSequence : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(SetSequence, TakesUpToFourSlotNumbers) {
    mmx::Setup setup = setupOf({}, {trigger({5}, 3)});
    const SequenceCase& c = GetParam();
    EXPECT_EQ(setSequence(setup, 1, c.slots), c.verdict);
    if (c.verdict == EditVerdict::Done) {
        EXPECT_EQ(setup.trigger(1).length(), static_cast<int>(c.slots.size()));
        for (size_t i = 0; i < c.slots.size(); ++i) EXPECT_EQ(setup.trigger(1).sequence[i], c.slots[i]);
    } else {
        EXPECT_EQ(setup.trigger(1), trigger({5}, 3));
    }
    EXPECT_EQ(setup.trigger(1).zones, 3);
}

INSTANTIATE_TEST_SUITE_P(Sequences, SetSequence,
                         ::testing::Values(SequenceCase{"four", {12, 1, 1, 2}, EditVerdict::Done},
                                           SequenceCase{"none", {}, EditVerdict::Done},
                                           SequenceCase{"five", {1, 2, 3, 4, 5}, EditVerdict::NotASlotNumber},
                                           SequenceCase{"thirteen", {1, 13}, EditVerdict::NotASlotNumber},
                                           SequenceCase{"zero", {0}, EditVerdict::NotASlotNumber}),
                         [](const auto& param) { return std::string(param.param.what); });

TEST(SetupEdits, AnEntryChoiceDropsWhatFollowsAGap) {
    mmx::Setup setup = setupOf({}, {trigger({1, 2, 3, 4})});
    EXPECT_EQ(setEntry(setup, 1, 2, 0), EditVerdict::Done);
    EXPECT_EQ(setup.trigger(1), trigger({1}));
    EXPECT_EQ(setEntry(setup, 1, 2, 7), EditVerdict::Done);
    EXPECT_EQ(setup.trigger(1), trigger({1, 7}));
    EXPECT_EQ(setEntry(setup, 1, 4, 3), EditVerdict::Done);  // behind the gap at 3: never plays
    EXPECT_EQ(setup.trigger(1), trigger({1, 7}));
    EXPECT_EQ(setEntry(setup, 1, 5, 3), EditVerdict::NotASlotNumber);
    EXPECT_EQ(setEntry(setup, 13, 1, 3), EditVerdict::NoSuchTrigger);
}

TEST(SetupEdits, ZonesBecomeTheMask) {
    mmx::Setup setup;
    EXPECT_EQ(setZones(setup, 12, {1, 6, 3}), EditVerdict::Done);
    EXPECT_EQ(setup.trigger(12).zones, 0b100101);
    EXPECT_EQ(setZones(setup, 12, {7}), EditVerdict::NoSuchZone);
    EXPECT_EQ(setZones(setup, 12, {0}), EditVerdict::NoSuchZone);
    EXPECT_EQ(setup.trigger(12).zones, 0b100101);
    EXPECT_EQ(setZones(setup, 12, {}), EditVerdict::Done);
    EXPECT_EQ(setup.trigger(12).zones, 0);
    EXPECT_EQ(setZones(setup, 0, {1}), EditVerdict::NoSuchTrigger);
    // One zone at a time leaves the others as they are.
    setup.trigger(12).zones = 0b000101;
    EXPECT_EQ(setZone(setup, 12, 6, true), EditVerdict::Done);
    EXPECT_EQ(setZone(setup, 12, 1, false), EditVerdict::Done);
    EXPECT_EQ(setup.trigger(12).zones, 0b100100);
    EXPECT_EQ(setZone(setup, 12, 7, true), EditVerdict::NoSuchZone);
    EXPECT_EQ(setZone(setup, 13, 1, true), EditVerdict::NoSuchTrigger);
    EXPECT_EQ(setup.trigger(12).zones, 0b100100);
}

}  // namespace
}  // namespace mmx::app
