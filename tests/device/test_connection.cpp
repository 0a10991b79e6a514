// The connection model: indicator, panel texts, the connection clock, the progress caption
// and the time-out that gives the port up.
#include <gtest/gtest.h>

#include "device/connection.h"
#include "device/emulator_port.h"
#include "support/recording_display.h"

namespace mmx {
namespace {

class ConnectionTest : public ::testing::Test {
protected:
    ConnectionTest()
        : display(shown.display),
          connection(
              [this](LinkSettings& now, std::string&) {
                  now = settings;  // read at every Connect, as the window's menus are
                  return true;
              },
              clock, shown, [this](const LinkSettings& s, std::string& error) {
              asked.push_back(s.portNumber);
              if (s.portNumber == 3) {
                  error = "/dev/ttyS2: no such device";
                  return std::unique_ptr<BytePort>();
              }
              return std::unique_ptr<BytePort>(std::make_unique<EmulatorPort>(unit, clock));
          }) {}

    LinkSettings settings;
    FakeClock clock;
    test::RecordingLink shown;
    test::RecordingDisplay& display;
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
    connection.tickClock();
    EXPECT_EQ(display.timePanel, "01:02:03 ");

    // A new connection starts with an empty receive ring.
    CommandProtocol& p = connection.protocol();
    const uint8_t bytes[3] = {1, 2, 3};
    p.receive(bytes, 3);
    connection.Disconnect();
    ASSERT_TRUE(connection.Connect());
    uint8_t byte = 0;
    EXPECT_FALSE(p.readByte(byte)) << "the bytes that came before the reconnect are gone";
}

TEST_F(ConnectionTest, PortChoiceTakesEffectAtTheNextConnectAndAFailedOneGivesAReason) {
    ASSERT_TRUE(connection.Connect());
    settings.portNumber = 3;  // the menu changes the setting; the open port is untouched
    EXPECT_TRUE(connection.isConnected());
    EXPECT_EQ(display.portPanel, "RS232 PORT:  COM1 / 115200,N,8,2");
    connection.Disconnect();
    EXPECT_FALSE(connection.Connect());
    EXPECT_EQ(asked, (std::vector<int>{1, 3}));
    EXPECT_FALSE(connection.isConnected());
    EXPECT_FALSE(display.indicator);
    EXPECT_EQ(display.portPanel, "RS232 PORT:  COM3 can not be open!");
    EXPECT_EQ(connection.lastError(), "/dev/ttyS2: no such device");
    EXPECT_TRUE(display.alerts.empty());
    EXPECT_FALSE(connection.clockRunning());
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
    display.captions.push_back("45%");
    connection.Disconnect();
    EXPECT_FALSE(connection.isConnected());
    EXPECT_FALSE(display.indicator);
    EXPECT_EQ(display.portPanel, "RS232 PORT:  ");
    EXPECT_EQ(display.timePanel, "");
    EXPECT_EQ(display.captions.back(), "");
    EXPECT_FALSE(display.progressShown.back());
    EXPECT_FALSE(connection.clockRunning());
    EXPECT_EQ(display.releases, 1);
    // A second click on a closed port does nothing.
    connection.Disconnect();
    EXPECT_EQ(display.releases, 1);
}

// The time-out is the one set when the port was opened: 5000 ms by default, 0 at the least. The
// port is given up as a click on Disconnect gives it up.
TEST_F(ConnectionTest, SilentUnitTimesOutAndDisconnects) {
    UnitOptions options;
    options.silentAfterFrames = 0;
    unit = UnitEmulator(options);
    for (auto [setting, waited] : {std::pair{5000, 5100}, std::pair{0, 100}}) {
        settings.byteTimeOutMs = setting;
        const int64_t start = clock.nowMs();
        ASSERT_TRUE(connection.Connect());
        const UnitAnswer answer = connection.session().start();
        EXPECT_EQ(answer.kind, AnswerKind::NoAnswer);
        EXPECT_EQ(answer.cause, LinkFailure::Silence);
        EXPECT_FALSE(connection.isConnected());
        EXPECT_EQ(display.portPanel, "RS232 PORT:  ");
        EXPECT_EQ(clock.nowMs() - start, waited) << setting;
    }
}

TEST_F(ConnectionTest, ProgressCaptionOnTheOneSecondTick) {
    ASSERT_TRUE(connection.Connect());
    connection.tickClock();
    EXPECT_TRUE(display.captions.empty()) << "the caption is not touched while the bar is hidden";
    UploadProgress& figures = connection.progress();
    figures.totalBytes = 100000;
    figures.sentBytes = 1;
    figures.ticks = 1;
    connection.showProgress(true);
    figures.sentBytes = 45000;
    figures.ticks = 9;  // the tick makes it 10: 4500 bytes/s, 22 s in all, 12 left
    connection.tickClock();
    EXPECT_EQ(display.captions.back(), "45%    Remaining Time:  00:00:12");
}

// ---- The pure arithmetic --------------------------------------------------------------------------

struct TickCase {
    const char* name;
    int32_t total, uploaded, ticks, remainingBefore;
    const char* caption;  // nullptr: the figures stay, nothing is shown
    int32_t uploadedAfter;
};

class UploadProgressTick : public ::testing::TestWithParam<TickCase> {};

TEST_P(UploadProgressTick, PercentRateAndRemainingTime) {
    const TickCase& c = GetParam();
    UploadProgress p;
    p.totalBytes = c.total;
    p.sentBytes = c.uploaded;
    p.ticks = c.ticks;
    p.remainingSeconds = c.remainingBefore;
    const bool shown = advanceProgress(p);
    EXPECT_EQ(p.ticks, c.ticks + 1);
    ASSERT_EQ(shown, c.caption != nullptr);
    if (shown) {
        EXPECT_EQ(progressCaption(p, "%    Remaining Time: "), c.caption);
    }
    EXPECT_EQ(p.sentBytes, c.uploadedAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Figures, UploadProgressTick,
    ::testing::Values(
        // 8380000 \ 10475 = 800, less 360
        TickCase{"Midway", 8380000, 3771000, 359, 0, "45%    Remaining Time:  00:07:20", 3771000},
        TickCase{"HalfDownToEven", 8, 1, 0, 0, "12%    Remaining Time:  00:00:07", 1},
        TickCase{"HalfUpToEven", 8, 3, 0, 0, "38%    Remaining Time:  00:00:01", 3},
        TickCase{"CappedAtTheTotal", 8, 500, 0, 0, "100%    Remaining Time:  00:00:00", 8},
        TickCase{"RateZeroKeepsTheEstimate", 1000000, 1, 1, 83, "0%    Remaining Time:  00:01:23", 1},
        TickCase{"NoTotalShowsNothing", 0, 0, 0, 0, nullptr, 0},
        TickCase{"Finished", 1000, 1000, 99, 5, "100%    Remaining Time:  00:00:00", 1000}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ConnectionClockText, HoursKeepCounting) {
    EXPECT_EQ(connectionClockText(0), "00:00:00 ");
    EXPECT_EQ(connectionClockText(999), "00:00:00 ");
    EXPECT_EQ(connectionClockText(100LL * 3600 * 1000 + 61000), "100:01:01 ");
}

}  // namespace
}  // namespace mmx
