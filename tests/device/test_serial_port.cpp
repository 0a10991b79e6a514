// The POSIX side of the link without a unit: open failures and their advice,
// the ComN mapping and the device listing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

#include "platform/serial/open_advice.h"
#include "platform/net/network_address.h"
#include "platform/serial/port_names.h"
#include "platform/serial/serial_port.h"
#include "support/test_support.h"

namespace mmx {
namespace {

namespace fs = std::filesystem;

TEST(SerialPortOpen, FailuresGiveAdvice) {
    SerialPort missing("/dev/mmx4210-no-such-port", LineSettings{});
    std::string error;
    EXPECT_FALSE(missing.open(error));
    EXPECT_EQ(error, "/dev/mmx4210-no-such-port: no such device");
    EXPECT_FALSE(missing.isOpen());

    test::ScratchFolder folder;
    std::string plain = folder.write("not-a-port", std::string("x"));
    SerialPort file(plain, LineSettings{});
    EXPECT_FALSE(file.open(error));
    EXPECT_EQ(error, plain + ": not a serial port");

    EXPECT_EQ(openFailureAdvice("/dev/ttyUSB0", EBUSY), "/dev/ttyUSB0: another program has the port");
}

TEST(SerialPortOpen, PermissionAdviceNamesTheGroupThatReallyHasAccess) {
    struct Case {
        DeviceAccess access;
        std::string expected;
    };
    const std::string denied = "/dev/ttyUSB0: permission denied: ";
    const Case cases[] = {
        {{true, 0660, "root", "dialout", false, false},
         denied + "add your user to its group dialout (sudo usermod -aG dialout $USER) and log in again"},
        {{true, 0660, "root", "uucp", false, true},
         denied + "you were added to its group uucp after this session began: log in again (or run: newgrp uucp)"},
        {{true, 0600, "root", "dialout", false, false},
         denied + "only root may use it (mode 0600); a udev rule with GROUP=\"dialout\", MODE=\"0660\" opens it to "
                  "the dialout group"},
        {{true, 0660, "root", "root", true, false},
         denied + "only root may use it (mode 0660); a udev rule with GROUP=\"dialout\", MODE=\"0660\" opens it to "
                  "the dialout group"},
    };
    for (const auto& c : cases) EXPECT_EQ(permissionAdvice("/dev/ttyUSB0", c.access), c.expected);
}

// A pseudo-terminal stands in for the adapter; its latency timer lives in a fake sysfs folder
// named after the terminal, as the kernel names it after ttyUSB0.
class LatencyTuning : public ::testing::Test {
protected:
    void SetUp() override {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(::grantpt(master), 0);
        ASSERT_EQ(::unlockpt(master), 0);
        path = ::ptsname(master);
        timerFolder = folder.path() / fs::path(path).filename();
        fs::create_directories(timerFolder);
    }
    void TearDown() override { ::close(master); }

    std::vector<PortNote> openAndClose(const std::function<void()>& whileOpen) {
        std::vector<PortNote> notes;
        SerialPort port(path, LineSettings{}, [&notes](const PortNote& note) { notes.push_back(note); },
                        folder.folder());
        std::string error;
        EXPECT_TRUE(port.open(error)) << error;
        whileOpen();
        port.close();
        return notes;
    }

    test::ScratchFolder folder;
    int master = -1;
    std::string path;
    fs::path timerFolder;
};

TEST_F(LatencyTuning, LoweredToOneMillisecondWhileOpenAndPutBackOnClose) {
    const std::string timer = (timerFolder / "latency_timer").string();
    folder.write(fs::relative(timer, folder.path()).string(), std::string("16\n"));
    std::string whileOpen;
    const auto notes = openAndClose([&] { whileOpen = test::readText(timer); });
    EXPECT_EQ(whileOpen, "1\n");
    EXPECT_EQ(test::readText(timer), "16\n");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_FALSE(notes[0].warning);
    EXPECT_EQ(notes[0].text, path + ": latency timer 16 ms, set to 1 ms (put back on close)");
}

TEST_F(LatencyTuning, ATimerThatCannotBeLoweredIsReportedWithItsCostAndTheFix) {
    // A read-only kernel value (0444 even for root) stands in for a timer only root may change.
    const fs::path readOnly = "/proc/sys/kernel/cap_last_cap";
    std::error_code ec;
    if (!fs::exists(readOnly, ec)) GTEST_SKIP() << "no read-only number in /proc to stand in for the timer";
    fs::create_symlink(readOnly, timerFolder / "latency_timer");
    const int value = std::stoi(test::readText(readOnly.string()));
    const auto notes = openAndClose([] {});
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_TRUE(notes[0].warning);
    EXPECT_EQ(notes[0].text.rfind(path + ": the adapter's latency timer is " + std::to_string(value) + " ms", 0), 0u)
        << notes[0].text;
    EXPECT_NE(notes[0].text.find("echo 1 | sudo tee " + (timerFolder / "latency_timer").string()), std::string::npos)
        << notes[0].text;
}

TEST(LatencyTimer, CostOfTheTimerPerBlock) {
    LineSettings line;  // 115200 8N2: a block and its answer take 35.6 ms on the line
    EXPECT_NEAR(latencySlowdown(16, line), 0.449, 0.001);
    line.baud = 9600;
    EXPECT_NEAR(latencySlowdown(16, line), 0.0374, 0.0001);
    LatencyTimer timer("/dev/ttyUSB3", "/sys/bus/usb-serial/devices");
    EXPECT_EQ(timer.file(), "/sys/bus/usb-serial/devices/ttyUSB3/latency_timer");
    EXPECT_EQ(latencyAdvice("/dev/ttyUSB3", timer, 16, LineSettings{}),
              "/dev/ttyUSB3: the adapter's latency timer is 16 ms: each block waits up to 16 ms longer for its answer, "
              "a full upload about 45 % slower. Fix: install the mmx4210 package (its udev rule sets 1 ms), or run "
              "once per plug-in: echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB3/latency_timer");
}

class ComMapping : public ::testing::Test {
protected:
    void SetUp() override { unsetenv("MMX4210_COM2"); }
    void TearDown() override { unsetenv("MMX4210_COM2"); }
    test::ScratchFolder folder;
};

TEST_F(ComMapping, DefaultsPreferUsbAdaptersThenLegacyPorts) {
    fs::create_directories(folder.path() / "dev");
    const std::string dev = folder.folder() + "dev";
    EXPECT_EQ(mapComPort(2, "", dev).path, dev + "/ttyS1");
    folder.write("dev/ttyACM1", std::string());
    EXPECT_EQ(mapComPort(2, "", dev).path, dev + "/ttyACM1");
    folder.write("dev/ttyUSB1", std::string());
    PortMapping mapping = mapComPort(2, "", dev);
    EXPECT_EQ(mapping.path, dev + "/ttyUSB1");
    EXPECT_EQ(mapping.source, "default");
    EXPECT_EQ(mapComPort(10, "", dev).path, dev + "/ttyS9");
}

TEST_F(ComMapping, PortsFileAndEnvironmentOverride) {
    folder.write("MMX4210-ports.ini", std::string("# my ports\r\nCom1=/dev/ttyUSB7\r\nCOM2 = /dev/serial/by-id/usb-x\r\nCom3=rfc2217://rack4:4001\r\n"));
    EXPECT_EQ(mapComPort(3, folder.folder()).path, "rfc2217://rack4:4001");
    PortMapping fromFile = mapComPort(2, folder.folder());
    EXPECT_EQ(fromFile.path, "/dev/serial/by-id/usb-x");
    EXPECT_EQ(fromFile.source, "MMX4210-ports.ini");
    setenv("MMX4210_COM2", "/dev/pts/7", 1);
    PortMapping fromEnvironment = mapComPort(2, folder.folder());
    EXPECT_EQ(fromEnvironment.path, "/dev/pts/7");
    EXPECT_EQ(fromEnvironment.source, "MMX4210_COM2");
    EXPECT_EQ(mapComPort(1, folder.folder()).path, "/dev/ttyUSB7");
}

TEST_F(ComMapping, PortNamesAndPaths) {
    setenv("MMX4210_COM2", "/dev/pts/9", 1);
    auto com = resolvePortName("com2", "");
    ASSERT_TRUE(com.has_value());
    EXPECT_EQ(com->comNumber, 2);
    EXPECT_EQ(com->path, "/dev/pts/9");
    EXPECT_EQ(com->label, "COM2");
    auto path = resolvePortName("/dev/ttyUSB3", "");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->comNumber, 0);
    EXPECT_EQ(path->path, "/dev/ttyUSB3");
    EXPECT_FALSE(resolvePortName("Com11", "").has_value());
    EXPECT_FALSE(resolvePortName("ttyUSB0", "").has_value());
    auto server = resolvePortName("socket://rack4:4001", "");
    ASSERT_TRUE(server.has_value());
    EXPECT_EQ(server->path, "socket://rack4:4001");
    EXPECT_EQ(server->label, "socket://rack4:4001");
    setenv("MMX4210_COM2", "rfc2217://rack4:4005", 1);  // a Com port may stand for a server
    EXPECT_EQ(resolvePortName("Com2", "")->path, "rfc2217://rack4:4005");
}

// A name becomes a device port or a network port; only a network port over raw TCP notes that
// the settings file's line is not the one in use.
TEST_F(ComMapping, TheFactoryBuildsThePortTheNameStandsFor) {
    std::vector<PortNote> notes;
    const PortNoteSink sink = [&notes](const PortNote& note) { notes.push_back(note); };
    LinkSettings settings;
    const struct {
        std::string name;
        std::string description;
        std::vector<std::string> details;
    } cases[] = {
        {"/dev/ttyUSB3", "/dev/ttyUSB3 115200 8N2", {}},
        {"rfc2217://rack4:4001", "rfc2217://rack4:4001 115200 8N2", {}},
        {"tcp://rack4:4002", "tcp://rack4:4002",
         {"tcp://rack4:4002: the line settings are the server's (115200 8N2 is not sent over tcp://; rfc2217:// sets it)"}},
    };
    for (const auto& c : cases) {
        notes.clear();
        std::string error;
        auto port = serialPortFactory("", c.name, sink)(settings, error);
        ASSERT_NE(port, nullptr) << c.name << ": " << error;
        EXPECT_EQ(port->description(), c.description);
        std::vector<std::string> details;
        for (const auto& note : notes) {
            EXPECT_FALSE(note.warning) << note.text;
            details.push_back(note.text);
        }
        EXPECT_EQ(details, c.details) << c.name;
    }
    // Only connecting tells whether a server is there: its address is never marked missing.
    EXPECT_TRUE(portDevicePresent("rfc2217://rack4:4001"));
    std::string error;
    EXPECT_EQ(serialPortFactory("", "tcp://rack4", sink)(settings, error), nullptr);
    EXPECT_NE(error.find("tcp://rack4"), std::string::npos) << error;
}

TEST(DeviceListing, NamesFromSysAndById) {
    test::ScratchFolder folder;
    const fs::path root = folder.path();
    auto link = [&root](const std::string& target, const std::string& at) {
        fs::create_directories(root / target);
        fs::create_directories((root / at).parent_path());
        fs::create_directory_symlink(root / target, root / at);
    };
    // A USB adapter: /sys/class/tty/ttyUSB0/device -> .../usb1/1-1/1-1:1.0/ttyUSB0, with its latency
    // timer and udev's record that ModemManager is to leave it alone; a legacy port without a UART,
    // one with, and a virtual console.
    link("drivers/ftdi_sio", "devices/usb1/1-1/1-1:1.0/ttyUSB0/driver");
    link("devices/usb1/1-1/1-1:1.0/ttyUSB0", "class/tty/ttyUSB0/device");
    link("devices/platform/serial8250/tty/ttyS0", "class/tty/ttyS0/device");
    link("devices/platform/serial8250/tty/ttyS0", "class/tty/ttyS1/device");
    fs::create_directories(root / "class/tty/tty1");
    fs::create_directories(root / "by-id");
    fs::create_symlink("../../ttyUSB0", root / "by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    for (const auto& [name, text] : std::initializer_list<std::pair<const char*, const char*>>{
             {"devices/usb1/1-1/idVendor", "0403\n"}, {"devices/usb1/1-1/idProduct", "6001\n"},
             {"devices/usb1/1-1/manufacturer", "FTDI\n"}, {"devices/usb1/1-1/product", "FT232R USB UART\n"},
             {"devices/usb1/1-1/serial", "A50285BI\n"}, {"class/tty/ttyS0/type", "4\n"}, {"class/tty/ttyS1/type", "0\n"},
             {"usb-serial/ttyUSB0/latency_timer", "16\n"}, {"class/tty/ttyUSB0/dev", "188:0\n"},
             {"rules/80-mm-candidate.rules", "\n"}, {"udev-data/c188:0", "E:ID_MM_DEVICE_IGNORE=1\n"}}) {
        folder.write(name, std::string(text));
    }

    DeviceRoots roots;
    roots.sysClassTty = (root / "class/tty").string();
    roots.byId = (root / "by-id").string();
    roots.usbSerial = (root / "usb-serial").string();
    roots.udev = UdevRoots{{(root / "rules").string()}, (root / "udev-data").string()};
    std::vector<SerialDeviceInfo> devices = listSerialDevices(roots);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].path, "/dev/ttyS0");
    EXPECT_EQ(devices[0].maker, "");
    EXPECT_EQ(devices[1].path, "/dev/ttyUSB0");
    EXPECT_EQ(devices[1].stableName, (root / "by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0").string());
    EXPECT_EQ(devices[1].driver, "ftdi_sio");
    EXPECT_EQ(devices[1].maker, "FTDI");
    EXPECT_EQ(devices[1].product, "FT232R USB UART");
    EXPECT_EQ(devices[1].serial, "A50285BI");
    EXPECT_EQ(devices[1].usbId, "0403:6001");
    EXPECT_EQ(devices[1].latencyTimerMs, 16);
    EXPECT_EQ(devices[1].claims.modemManager, ModemManagerStance::Ignores);
    EXPECT_EQ(devices[0].latencyTimerMs, std::nullopt);
    EXPECT_EQ(devices[0].claims.modemManager, ModemManagerStance::Absent);
    // A Com port is marked present only when its node is there with something behind it.
    folder.write("dev/ttyS0", std::string());
    folder.write("dev/ttyS1", std::string());
    EXPECT_TRUE(portDevicePresent((root / "dev/ttyS0").string(), roots));
    EXPECT_FALSE(portDevicePresent((root / "dev/ttyS1").string(), roots));  // no UART behind it
    EXPECT_FALSE(portDevicePresent((root / "dev/ttyUSB3").string(), roots));
}

// The package's udev rule keeps ModemManager off the common adapters, and only those.
class PackagedUdevRule : public ::testing::TestWithParam<std::pair<std::string, ModemManagerStance>> {};

TEST_P(PackagedUdevRule, KeepsModemManagerOffTheCommonAdapters) {
    test::ScratchFolder folder;
    folder.write("lib/80-mm-candidate.rules", std::string("\n"));
    fs::copy_file(MMX_UDEV_RULE, folder.path() / "lib" / fs::path(MMX_UDEV_RULE).filename());
    // No udev record of the device: the rules decide.
    const UdevRoots roots{{folder.folder() + "lib"}, folder.folder() + "no-data"};
    EXPECT_EQ(deviceClaims("188:0", GetParam().first, roots).modemManager, GetParam().second) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Adapters, PackagedUdevRule,
                         ::testing::Values(std::pair{"0403:6001", ModemManagerStance::Ignores},
                                           std::pair{"0403:6015", ModemManagerStance::Ignores},
                                           std::pair{"10c4:ea60", ModemManagerStance::Ignores},
                                           std::pair{"1a86:7523", ModemManagerStance::Ignores},
                                           std::pair{"067b:2303", ModemManagerStance::Ignores},
                                           std::pair{"10c4:8a2a", ModemManagerStance::MayProbe},
                                           std::pair{"2341:0043", ModemManagerStance::MayProbe}));

TEST(DeviceClaims, BrlttyByItsEffectiveRules) {
    test::ScratchFolder folder;
    folder.write("lib/85-brltty.rules", std::string("# ENV{PRODUCT}==\"403/6001/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"at\"\n"
                                                    "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\"\n"));
    UdevRoots roots{{folder.folder() + "etc", folder.folder() + "lib"}, folder.folder() + "data"};
    EXPECT_TRUE(deviceClaims("188:0", "1a86:7523", roots).brltty);
    EXPECT_FALSE(deviceClaims("188:0", "0403:6001", roots).brltty);  // commented out
    EXPECT_EQ(deviceClaims("188:0", "1a86:7523", roots).modemManager, ModemManagerStance::Absent);
    // A file of the same name in /etc hides the packaged one (the usual way to switch it off).
    folder.write("etc/85-brltty.rules", std::string());
    EXPECT_FALSE(deviceClaims("188:0", "1a86:7523", roots).brltty);
}

}  // namespace
}  // namespace mmx
