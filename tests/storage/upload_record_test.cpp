// The record of what this computer last wrote to each unit: its lines as bytes, with the time of
// the upload, and lines written before the time was kept still read.
#include <gtest/gtest.h>

#include "image/unit_image.h"
#include "storage/upload_record.h"
#include "support/test_support.h"

namespace mmx {
namespace {

image::UnitImage oneMessage() {
    image::ImageInput input;
    input.messages[0] = image::MessageFile{"a", std::vector<uint8_t>(400, 0x11)};
    return image::UnitImage::build(std::move(input));
}

TEST(UploadRecordLines, AnUploadIsKeptWithItsTimeInUtc) {
    test::ScratchFolder folder;
    const image::UnitImage image = oneMessage();
    const UploadRecord record(folder.folder());
    ASSERT_TRUE(record.remember("/dev/ttyUSB0", image, nullptr, 1'796'000'000));
    const std::string line = "/dev/ttyUSB0\t" + image::hexText(image.messagesDigest()) + "\t" +
                             image::hexText(image.messageTable()) + "\t2026-11-30T00:53:20Z\n";
    EXPECT_EQ(test::readText(record.path()), line);

    const auto unit = record.unitOn("/dev/ttyUSB0");
    ASSERT_TRUE(unit);
    EXPECT_EQ(unit->writtenAt, std::time_t{1'796'000'000});
    EXPECT_EQ(unit->messageTable, image.messageTable());
    EXPECT_EQ(record.tablesFor(image).at("/dev/ttyUSB0"), image.messageTable());
    EXPECT_FALSE(record.unitOn("/dev/ttyUSB1"));
}

TEST(UploadRecordLines, ALineWithoutATimeStillVouchesForItsMessages) {
    test::ScratchFolder folder;
    const image::UnitImage image = oneMessage();
    const UploadRecord record(folder.folder());
    folder.write(kUploadRecordFile, "rfc2217://a:4001\t" + image::hexText(image.messagesDigest()) + "\t" +
                                        image::hexText(image.messageTable()) + "\r\n");
    const auto unit = record.unitOn("rfc2217://a:4001");
    ASSERT_TRUE(unit);
    EXPECT_FALSE(unit->writtenAt);
    EXPECT_EQ(unit->messagesDigest, image::hexText(image.messagesDigest()));
    EXPECT_EQ(record.tablesFor(image).at("rfc2217://a:4001"), image.messageTable());
}

}  // namespace
}  // namespace mmx
