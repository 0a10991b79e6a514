// The upload over a real pseudo-terminal: the termios port on one side, the unit served by the
// pty server on the other, real time (a small set-up, unpaced, so it takes milliseconds).
#include <gtest/gtest.h>

#include "support/expected_image.h"
#include "platform/serial/port_names.h"
#include "support/served_unit.h"
#include "support/test_support.h"
#include "upload_rig.h"

namespace mmx::test {
namespace {

TEST(PtyUpload, FullThenConfigurationOnlyOverThePseudoTerminal) {
    ServedUnit served;
    served.start();
    ScratchFolder folder;
    SlotFiles files;
    files.bytes[0] = patternBytes(2000, 11);
    files.bytes[1] = patternBytes(349, 12);
    files.bytes[2] = patternBytes(13, 13);
    image::TriggerPlan plan;
    plan.sequence[0][0] = 3;
    plan.zones[0] = 0x01;

    SteadyClock clock;
    PortSettings settings;
    RecordingLink link;
    Connection connection(settings, clock, link, serialPortFactory(folder.folder(), served.path()));
    UploadDriver driver(connection);

    UploadOptions options;
    options.verify = true;
    const UploadResult first = driver.run(imageFor(files, plan), options);
    ASSERT_EQ(first.verdict, UploadVerdict::Succeeded) << first.detail;
    EXPECT_TRUE(first.verified);
    EXPECT_EQ(first.port, served.path());
    EXPECT_FALSE(connection.isConnected());

    options.readTableFirst = first.messagesUploaded;
    options.recordedUnitTables[first.port] = *first.messageTable;
    plan.zones[0] = 0x03;
    const UploadResult second = driver.run(imageFor(files, plan), options);
    ASSERT_EQ(second.verdict, UploadVerdict::ConfigurationSucceeded) << second.detail;

    // The unit is only touched by the server thread while it runs.
    served.stop();
    std::array<ExpectedTrigger, 12> triggers{};
    triggers[0] = ExpectedTrigger{{3, 0, 0, 0}, {true, true, false, false, false, false}};
    EXPECT_EQ(firstDifference(served.unit.image(), expectedUpload(files.bytes, triggers).image), "");
}

}  // namespace
}  // namespace mmx::test
