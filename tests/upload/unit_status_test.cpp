// What a unit holds, from one table read against the in-process unit on a fake clock: compared
// with the set-up's image and this computer's record, and what an upload would do there.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/link/unit_status.h"
#include "app/link/upload_unit.h"
#include "core/upload_time.h"
#include "storage/upload_record.h"
#include "support/test_support.h"
#include "upload_rig.h"

namespace mmx::test {
namespace {

using app::UnitHolding;
using app::UploadRoad;

SlotFiles setupFiles(uint32_t seed) {
    SlotFiles files;
    files.bytes[0] = patternBytes(1000, seed);
    files.bytes[1] = patternBytes(777, seed + 1);
    return files;
}

// The set-up the status is asked about: two messages of 1050 bytes stored each (6 blocks).
const image::UnitImage& theSetup() {
    static const image::UnitImage image = imageFor(setupFiles(1));
    return image;
}

// The unit's answer to the table read replaced.
Sabotage tableReadAnswer(Sabotage::Kind kind) {
    Sabotage rule;
    rule.frame = "R 3FF000";
    rule.kind = kind;
    return rule;
}

struct StatusCase {
    const char* name;
    std::function<void(UploadRig&, const std::string& recordFolder)> arrange;
    app::LinkVerdict verdict;
    UnitHolding holding;
    UploadRoad road;
    AnswerKind answer = AnswerKind::Acknowledged;  // the table read's answer, as the session sorts it
};

class UnitStatus : public ::testing::TestWithParam<StatusCase> {
protected:
    ScratchFolder folder;
    UploadRig rig;
};

// Uploads image in full, as the tool does, keeping the record in recordFolder (none when empty).
void uploadFromHere(UploadRig& rig, const image::UnitImage& image, const std::string& recordFolder) {
    UploadOptions options;
    options.forceFull = true;
    const app::UploadOutcome outcome = app::uploadImage(rig.driver, image, {recordFolder, false}, options);
    ASSERT_TRUE(outcome.upload.succeeded()) << static_cast<int>(outcome.upload.fault);
}

TEST_P(UnitStatus, OneTableReadTellsWhatTheUnitHoldsAndWhatAnUploadWouldDo) {
    GetParam().arrange(rig, folder.folder());
    rig.wire.clear();
    const size_t framesBefore = rig.unit.log().size();

    const app::StatusOutcome status = app::unitStatus(rig.connection, theSetup(), folder.folder());

    EXPECT_EQ(status.verdict, GetParam().verdict);
    EXPECT_EQ(status.holding, GetParam().holding);
    EXPECT_EQ(status.upload.road, GetParam().road);
    EXPECT_EQ(status.holdsSetup(), GetParam().holding == UnitHolding::ThisSetup);
    EXPECT_FALSE(rig.connection.isConnected()) << "the port is closed again";
    if (status.verdict == app::LinkVerdict::PortError) {
        EXPECT_EQ(status.answer.kind, AnswerKind::NoAnswer);
        EXPECT_TRUE(rig.wire.empty());
        return;
    }
    // Exactly one "R" for the message table goes on the line, nothing else.
    EXPECT_EQ(status.answer.kind, GetParam().answer);
    EXPECT_EQ(rig.wire, (std::vector<uint8_t>{0x2A, '6', '4', '5', '2', '5', '5', 0x00, 0x03, 0x3F, 0xF0, 0x00, '9', '7', 0x0D, 0x0A}));
    EXPECT_EQ(std::vector<std::string>(rig.unit.log().begin() + static_cast<long>(framesBefore), rig.unit.log().end()),
              std::vector<std::string>{"R 3FF000"});
}

INSTANTIATE_TEST_SUITE_P(
    Units, UnitStatus,
    ::testing::Values(
        StatusCase{"HoldsTheSetup", [](UploadRig& rig, const std::string& record) { uploadFromHere(rig, theSetup(), record); },
                   app::LinkVerdict::Done, UnitHolding::ThisSetup, UploadRoad::TablesOnly},
        // The same lengths, other sound: the table is equal, the record is for other messages.
        StatusCase{"OtherSoundOfTheSameLengths",
                   [](UploadRig& rig, const std::string& record) { uploadFromHere(rig, imageFor(setupFiles(7)), record); },
                   app::LinkVerdict::Done, UnitHolding::TheseMessages, UploadRoad::Full},
        // Another computer uploaded this set-up: nothing here vouches for it.
        StatusCase{"NoRecord", [](UploadRig& rig, const std::string&) { uploadFromHere(rig, theSetup(), ""); },
                   app::LinkVerdict::Done, UnitHolding::TheseMessages, UploadRoad::Full},
        StatusCase{"OtherMessages",
                   [](UploadRig& rig, const std::string& record) {
                       SlotFiles files;
                       files.bytes[0] = patternBytes(3000, 4);
                       uploadFromHere(rig, imageFor(files), record);
                   },
                   app::LinkVerdict::Done, UnitHolding::OtherMessages, UploadRoad::Full},
        StatusCase{"Erased", [](UploadRig& rig, const std::string&) { rig.unit.eraseAll(); }, app::LinkVerdict::Done,
                   UnitHolding::Erased, UploadRoad::Full},
        StatusCase{"DamagedTable",
                   [](UploadRig& rig, const std::string& record) {
                       uploadFromHere(rig, theSetup(), record);
                       auto bytes = rig.unit.bytesAt(0x3FF000, 64);
                       bytes[3] ^= 0x01;
                       rig.unit.load(0x3FF000, bytes);
                   },
                   app::LinkVerdict::Done, UnitHolding::DamagedTable, UploadRoad::Full},
        StatusCase{"NoAnswer",
                   [](UploadRig& rig, const std::string&) { rig.sabotage.push_back(tableReadAnswer(Sabotage::Kind::Silence)); },
                   app::LinkVerdict::Failed, UnitHolding::Unknown, UploadRoad::Full, AnswerKind::NoAnswer},
        StatusCase{"GarbledAnswer",
                   [](UploadRig& rig, const std::string&) { rig.sabotage.push_back(tableReadAnswer(Sabotage::Kind::Damaged)); },
                   app::LinkVerdict::Failed, UnitHolding::Unknown, UploadRoad::Full, AnswerKind::Damaged},
        StatusCase{"PortCannotOpen", [](UploadRig& rig, const std::string&) { rig.openError = "no such device"; },
                   app::LinkVerdict::PortError, UnitHolding::Unknown, UploadRoad::Full}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(UnitStatusDetails, OtherMessagesAreCountedWithTheirEndAddress) {
    UploadRig rig;
    SlotFiles files;
    files.bytes[0] = patternBytes(3000, 4);  // 9 blocks
    files.bytes[2] = patternBytes(100, 5);   // 1 block
    ASSERT_TRUE(rig.upload(imageFor(files)).succeeded());
    const app::StatusOutcome status = app::unitStatus(rig.connection, theSetup(), "");
    ASSERT_EQ(status.holding, UnitHolding::OtherMessages);
    EXPECT_EQ(status.unitTable->directory.count, 2);
    EXPECT_EQ(status.unitTable->directory.endAddress, 10 * 175);
}

TEST(UnitStatusDetails, TheUploadTimeIsWhenThisComputerWroteTheSetup) {
    ScratchFolder folder;
    UploadRig rig;
    ASSERT_TRUE(rig.upload(theSetup()).succeeded());
    const std::time_t written = 1'796'000'000;  // 2026-11-30
    const std::string port = app::unitStatus(rig.connection, theSetup(), folder.folder()).port;
    ASSERT_FALSE(port.empty());
    ASSERT_TRUE(UploadRecord(folder.folder()).remember(port, theSetup(), nullptr, written));
    const app::StatusOutcome status = app::unitStatus(rig.connection, theSetup(), folder.folder());
    ASSERT_EQ(status.holding, UnitHolding::ThisSetup);
    EXPECT_EQ(status.writtenAt, written);
}

TEST(UnitStatusDetails, AFullUploadIsItsBlocksAtTheLineRate) {
    const app::UploadForecast full = app::forecastUpload(UnitHolding::Erased, theSetup(), LineSettings{});
    EXPECT_EQ(full.blocks, 6u);
    EXPECT_DOUBLE_EQ(full.seconds, fullUploadSeconds(LineSettings{}, 6, 2));
    const app::UploadForecast tables = app::forecastUpload(UnitHolding::ThisSetup, theSetup(), LineSettings{});
    EXPECT_DOUBLE_EQ(tables.seconds, tablesUploadSeconds(LineSettings{}));
}

}  // namespace
}  // namespace mmx::test
