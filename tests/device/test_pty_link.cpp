// End to end over a real pseudo-terminal: the termios port on one side, the mmx4210-unit
// program on the other. Real time passes here, but no test waits for a time-out: every
// exchange is answered at once.
#include <gtest/gtest.h>

#include <filesystem>

#include "device/connection.h"
#include "platform/serial/port_names.h"
#include "platform/serial/serial_port.h"
#include "support/recording_display.h"
#include "support/test_support.h"
#include "device/upload_driver.h"
#include "emulated_link.h"
#include "image/unit_image.h"
#include "unit_process.h"

#ifdef MMX_UNIT_PROGRAM

namespace mmx {
namespace {

namespace fs = std::filesystem;

TEST(PtyLink, FullExchangeWithTheUnitProgram) {
    test::ScratchFolder folder;
    const std::string link = folder.folder() + "unit-port";
    const std::string dump = folder.folder() + "dump";
    test::UnitProcess unit;
    std::string error;
    ASSERT_TRUE(unit.start(MMX_UNIT_PROGRAM, {"--quiet", "--link", link, "--dump", dump, "--erase-dots", "20"}, error))
        << error;
    EXPECT_EQ(fs::read_symlink(link), unit.ptyPath());

    SteadyClock clock;
    test::RecordingLink shown;
    test::RecordingDisplay& display = shown.display;
    Connection connection(LinkSettings{}, clock, shown, serialPortFactory("", link));
    ASSERT_TRUE(connection.Connect()) << connection.lastError();
    EXPECT_EQ(connection.portDescription(), link + " 115200 8N2");
    EXPECT_EQ(display.portPanel, "RS232 PORT:  COM1 / 115200,N,8,2");
    // A second program cannot have the port at the same time.
    SerialPort second(link, LineSettings{});
    EXPECT_FALSE(second.open(error));
    EXPECT_EQ(error, link + ": another program has the port");
    connection.Disconnect();
    EXPECT_TRUE(second.open(error)) << "free again after Disconnect: " << error;
    second.close();

    // Bytes a cooked terminal would eat or change: CR, LF, NAK, XON, XOFF, Ctrl-C, Ctrl-D, DEL.
    std::vector<uint8_t> sound = {0x0D, 0x0A, 0x15, 0x11, 0x13, 0x03, 0x04, 0x7F, 0x0D, 0x0D, 0x0A, 0x1A};
    for (int i = 0; i < 600; ++i) sound.push_back(static_cast<uint8_t>(i * 37));
    image::ImageInput input;
    input.messages[0] = image::MessageFile{"m1", sound};
    input.triggers.sequence[0] = {1, 1, 1, 1};
    input.triggers.zones[0] = 0x3F;
    const UploadResult upload = UploadDriver(connection).run(image::UnitImage::build(input));
    ASSERT_TRUE(upload.succeeded()) << static_cast<int>(upload.fault);
    EXPECT_EQ(std::count(display.status.begin(), display.status.end(), "Status:  Erasing data..."), 40);

    // What the unit holds, as its dump shows it.
    EXPECT_EQ(test::readText(dump + "/check.txt").substr(0, 9), "image ok\n");
    std::vector<uint8_t> image = test::readBytes(dump + "/image.bin");
    ASSERT_EQ(image.size(), 0x800000u);
    EXPECT_EQ(std::vector<uint8_t>(image.begin(), image.begin() + 700), test::storedMessage(sound));
    EXPECT_EQ(unit.stop(SIGTERM), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link))) << "the link goes with the program";
}

TEST(PtyLink, UnitGoneIsALostLineAtOnce) {
    test::UnitProcess unit;
    std::string error;
    ASSERT_TRUE(unit.start(MMX_UNIT_PROGRAM, {"--quiet"}, error)) << error;
    LinkSettings settings;
    settings.byteTimeOutMs = 30000;  // a lost line must not wait for this
    SteadyClock clock;
    test::RecordingLink shown;
    test::RecordingDisplay& display = shown.display;
    Connection connection(settings, clock, shown, serialPortFactory("", unit.ptyPath()));
    ASSERT_TRUE(connection.Connect()) << connection.lastError();
    ASSERT_TRUE(connection.session().start().acknowledged());
    EXPECT_EQ(unit.stop(SIGINT), 0);
    EXPECT_FALSE(connection.session().start().acknowledged());
    EXPECT_EQ(connection.protocol().lastFailure(), LinkFailure::LineLost);
    EXPECT_FALSE(connection.isConnected());
    EXPECT_EQ(display.portPanel, "RS232 PORT:  ");
}

}  // namespace
}  // namespace mmx

#endif
