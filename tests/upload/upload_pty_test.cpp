// The upload over a real pseudo-terminal: the termios port on one side, the unit served by the
// pty server on the other, real time (a small set-up, unpaced, so it takes milliseconds).
#include <gtest/gtest.h>
#include <thread>

#include "support/expected_image.h"
#include "platform/serial/port_names.h"
#include "platform/serial/pty_unit_server.h"
#include "support/test_support.h"
#include "upload_rig.h"

namespace mmx::test {
namespace {

class PtyUpload : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(server.open(error)) << error;
        serving = std::thread([this] { server.run(); });
    }
    void TearDown() override {
        server.stop();
        if (serving.joinable()) serving.join();
    }

    UnitEmulator unit;
    PtyUnitServer server{unit};
    std::thread serving;
    ScratchFolder folder;
};

TEST_F(PtyUpload, FullThenConfigurationOnlyOverThePseudoTerminal) {
    SlotFiles files;
    files.bytes[0] = patternBytes(2000, 11);
    files.bytes[1] = patternBytes(349, 12);
    files.bytes[2] = patternBytes(13, 13);
    UploadSetup setup = setupFor(folder.folder(), files);
    setup.TRG1[0] = " 3";
    setup.Check1[0] = true;

    SteadyClock clock;
    PortSettings settings;
    UiTextTable texts;
    RecordingDisplay display;
    Connection connection(settings, texts, clock, display, serialPortFactory(folder.folder(), server.slavePath()));
    UploadDriver driver(connection);

    UploadOptions options;
    options.verify = true;
    const UploadResult first = driver.run(setup, options);
    ASSERT_EQ(first.verdict, UploadVerdict::Succeeded) << first.detail;
    EXPECT_TRUE(first.verified);
    EXPECT_FALSE(connection.isConnected());

    setup.MessagesUploaded = first.messagesUploaded;
    setup.Check1[1] = true;
    const UploadResult second = driver.run(setup, options);
    ASSERT_EQ(second.verdict, UploadVerdict::ConfigurationSucceeded) << second.detail;

    // The unit is only touched by the server thread while it runs.
    server.stop();
    serving.join();
    std::array<ExpectedTrigger, 12> triggers{};
    triggers[0] = ExpectedTrigger{{3, 0, 0, 0}, {true, true, false, false, false, false}};
    EXPECT_EQ(firstDifference(unit.image(), expectedUpload(files.bytes, triggers).image), "");
}

}  // namespace
}  // namespace mmx::test
