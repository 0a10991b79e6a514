// The connection model: indicator, panel texts, the connection clock, the progress caption
// and the time-out that gives the port up.
#include <gtest/gtest.h>

#include "device/connection.h"
#include "device/emulator_port.h"
#include "recording_display.h"

namespace mmx {
namespace {

class ConnectionTest : public ::testing::Test {
protected:
    ConnectionTest()
        : connection(settings, texts, clock, display, [this](const PortSettings& s, std::string& error) {
              asked.push_back(s.Commport);
              if (s.Commport == 3) {
                  error = "/dev/ttyS2: no such device";
                  return std::unique_ptr<BytePort>();
              }
              return std::unique_ptr<BytePort>(std::make_unique<EmulatorPort>(unit, clock));
          }) {}

    PortSettings settings;
    UiTextTable texts;
    FakeClock clock;
    test::RecordingDisplay display;
    UnitEmulator unit;
    std::vector<int> asked;
    Connection connection;
};

TEST_F(ConnectionTest, ConnectWithDefaultsShowsPortAndStartsTheClock) {
    ASSERT_TRUE(connection.Connect());
    EXPECT_TRUE(connection.isConnected());
    EXPECT_TRUE(display.indicator);
    EXPECT_EQ(display.portPanel, "RS232 PORT:  COM1 / 115200,N,8,2");
    EXPECT_EQ(display.timePanel, "00:00:00 ");
    EXPECT_TRUE(connection.clockRunning());
    clock.advance(3723000);
    connection.Timer1Tick();
    EXPECT_EQ(display.timePanel, "01:02:03 ");
}

TEST_F(ConnectionTest, FailedConnectKeepsNotConnectedAndGivesAReason) {
    settings.Commport = 3;
    EXPECT_FALSE(connection.Connect());
    EXPECT_FALSE(connection.isConnected());
    EXPECT_FALSE(display.indicator);
    EXPECT_EQ(display.portPanel, "RS232 PORT:  COM3 can not be open!");
    EXPECT_EQ(connection.lastError(), "/dev/ttyS2: no such device");
    EXPECT_TRUE(display.alerts.empty());
    EXPECT_FALSE(connection.clockRunning());
}

TEST_F(ConnectionTest, PortChoiceTakesEffectAtTheNextConnect) {
    ASSERT_TRUE(connection.Connect());
    settings.Commport = 3;  // the menu changes the setting; the open port is untouched
    EXPECT_TRUE(connection.isConnected());
    EXPECT_EQ(display.portPanel, "RS232 PORT:  COM1 / 115200,N,8,2");
    connection.Disconnect();
    EXPECT_FALSE(connection.Connect());
    EXPECT_EQ(asked, (std::vector<int>{1, 3}));
}

TEST_F(ConnectionTest, ConnectWhileOpenClosesAndWarns) {
    ASSERT_TRUE(connection.Connect());
    display.indicator = true;
    EXPECT_FALSE(connection.Connect());
    EXPECT_FALSE(connection.isConnected());
    ASSERT_EQ(display.alerts.size(), 1u);
    EXPECT_EQ(display.alerts[0], "The unit cannot be operated while upload is in progress!");
    EXPECT_TRUE(display.indicator) << "the indicators are left as they are";
}

TEST_F(ConnectionTest, DisconnectClearsTheDisplay) {
    ASSERT_TRUE(connection.Connect());
    connection.showProgress(true);
    display.caption = "45%";
    connection.Disconnect();
    EXPECT_FALSE(connection.isConnected());
    EXPECT_FALSE(display.indicator);
    EXPECT_EQ(display.portPanel, "RS232 PORT:  ");
    EXPECT_EQ(display.timePanel, "");
    EXPECT_EQ(display.caption, "");
    EXPECT_FALSE(display.progressBar);
    EXPECT_FALSE(connection.clockRunning());
    EXPECT_EQ(display.released, 1);
    // A second click on a closed port does nothing.
    connection.Disconnect();
    EXPECT_EQ(display.released, 1);
}

TEST_F(ConnectionTest, ConnectResetsTheBuffers) {
    ASSERT_TRUE(connection.Connect());
    CommandProtocol& p = connection.protocol();
    const uint8_t bytes[3] = {1, 2, 3};
    p.receive(bytes, 3);
    p.TxCount = 5;
    connection.Disconnect();
    ASSERT_TRUE(connection.Connect());
    EXPECT_EQ(p.DataInPoint, 0);
    EXPECT_EQ(p.DataOutPoint, 0);
    EXPECT_EQ(p.TxCount, 0);
}

TEST_F(ConnectionTest, SilentUnitTimesOutAndDisconnects) {
    UnitOptions options;
    options.silentAfterFrames = 0;
    unit = UnitEmulator(options);
    ASSERT_TRUE(connection.Connect());
    connection.showProgress(true);
    CommandProtocol& p = connection.protocol();
    p.DataLength = 0;
    EXPECT_FALSE(p.CommandDo('P', 0x55));
    EXPECT_EQ(p.Status, 0);
    EXPECT_FALSE(connection.isConnected());
    EXPECT_FALSE(display.indicator);
    EXPECT_EQ(display.portPanel, "RS232 PORT:  ");
    EXPECT_FALSE(display.progressBar);
    EXPECT_GE(display.released, 1);
    EXPECT_EQ(clock.nowMs(), 5100);
}

TEST_F(ConnectionTest, CommTimeOutIsTakenAtConnect) {
    settings.CommTimeOut = 0;
    UnitOptions options;
    options.silentAfterFrames = 0;
    unit = UnitEmulator(options);
    ASSERT_TRUE(connection.Connect());
    EXPECT_FALSE(connection.protocol().RS232Read());
    EXPECT_EQ(clock.nowMs(), 100);
}

TEST_F(ConnectionTest, ProgressCaptionOnTheOneSecondTick) {
    ASSERT_TRUE(connection.Connect());
    connection.Timer1Tick();
    EXPECT_EQ(display.caption, "unset") << "the caption is not touched while the bar is hidden";
    UploadProgress& figures = connection.progress();
    figures.TFileLength = 100000;
    figures.UploadedBytes = 1;
    figures.ProgressTicks = 1;
    connection.showProgress(true);
    figures.UploadedBytes = 45000;
    figures.ProgressTicks = 9;  // the tick makes it 10: 4500 bytes/s, 22 s in all, 12 left
    connection.Timer1Tick();
    EXPECT_EQ(display.caption, "45%    Remaining Time:  00:00:12");
}

// ---- The pure arithmetic --------------------------------------------------------------------------

TEST(UploadProgressTick, PercentRateAndRemainingTime) {
    const std::string text = "%    Remaining Time: ";
    UploadProgress p;
    p.TFileLength = 8380000;
    p.UploadedBytes = 3771000;
    p.ProgressTicks = 359;
    EXPECT_EQ(progressTick(p, text).value(), "45%    Remaining Time:  00:07:20");  // 8380000 \ 10475 = 800, less 360
    EXPECT_EQ(p.ProgressPercent, 45);
    EXPECT_EQ(p.RemainingSeconds, 440);
}

TEST(UploadProgressTick, HalvesToEvenAndCapping) {
    const std::string text = "%    Remaining Time: ";
    UploadProgress p;
    p.TFileLength = 8;
    p.UploadedBytes = 1;  // 12.5 -> 12
    progressTick(p, text);
    EXPECT_EQ(p.ProgressPercent, 12);
    p.UploadedBytes = 3;  // 37.5 -> 38
    progressTick(p, text);
    EXPECT_EQ(p.ProgressPercent, 38);
    p.UploadedBytes = 500;  // more than the total: capped, 100 %
    progressTick(p, text);
    EXPECT_EQ(p.ProgressPercent, 100);
    EXPECT_EQ(p.UploadedBytes, 8);
}

TEST(UploadProgressTick, RateZeroKeepsTheLastEstimateAndZeroTotalShowsNothing) {
    const std::string text = "%    Remaining Time: ";
    UploadProgress p;
    p.TFileLength = 1000000;
    p.UploadedBytes = 1;
    p.ProgressTicks = 1;
    p.RemainingSeconds = 83;
    EXPECT_EQ(progressTick(p, text).value(), "0%    Remaining Time:  00:01:23");
    EXPECT_EQ(p.ProgressTicks, 2);

    UploadProgress empty;
    EXPECT_FALSE(progressTick(empty, text).has_value());
    EXPECT_EQ(empty.ProgressTicks, 1);
}

TEST(UploadProgressTick, FinishedUploadShowsZeroAndLongTimesKeepCounting) {
    const std::string text = "%    Remaining Time: ";
    UploadProgress p;
    p.TFileLength = 1000;
    p.UploadedBytes = 1000;
    p.ProgressTicks = 99;
    EXPECT_EQ(progressTick(p, text).value(), "100%    Remaining Time:  00:00:00");
    EXPECT_EQ(connectionClockText(0), "00:00:00 ");
    EXPECT_EQ(connectionClockText(999), "00:00:00 ");
    EXPECT_EQ(connectionClockText(100LL * 3600 * 1000 + 61000), "100:01:01 ");
}

}  // namespace
}  // namespace mmx
