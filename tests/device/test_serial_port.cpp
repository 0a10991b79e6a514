// The POSIX side of the link without a unit: line settings, open failures and their advice,
// the ComN mapping and the device listing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/serial/port_names.h"
#include "platform/serial/serial_port.h"
#include "support/test_support.h"

namespace mmx {
namespace {

namespace fs = std::filesystem;

TEST(LineSettings, DefaultsAndChoices) {
    PortSettings settings;
    LineSettings line;
    std::string error;
    ASSERT_TRUE(parseLineSettings(settings, line, error)) << error;
    EXPECT_EQ(line.text(), "115200 8N2");
    settings.Bret = "9600";
    settings.Pchk = "e";
    settings.Dbit = "7";
    settings.Sbit = "1";
    ASSERT_TRUE(parseLineSettings(settings, line, error)) << error;
    EXPECT_EQ(line.text(), "9600 7E1");
}

TEST(LineSettings, RefusedValuesSayWhich) {
    struct Case {
        std::string bret, pchk, dbit, sbit, expected;
    };
    const Case cases[] = {
        {"115201", "N", "8", "2", "baud rate \"115201\" is not supported"},
        {"fast", "N", "8", "2", "baud rate \"fast\" is not supported"},
        {"115200", "X", "8", "2", "parity \"X\" is not one of N, E, O, M, S"},
        {"115200", "N", "9", "2", "data bits \"9\" must be 5 to 8"},
        {"115200", "N", "8", "1.5", "stop bits \"1.5\" must be 1 or 2"},
    };
    for (const auto& c : cases) {
        PortSettings settings;
        settings.Bret = c.bret;
        settings.Pchk = c.pchk;
        settings.Dbit = c.dbit;
        settings.Sbit = c.sbit;
        LineSettings line;
        std::string error;
        EXPECT_FALSE(parseLineSettings(settings, line, error));
        EXPECT_EQ(error, c.expected);
    }
}

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
    EXPECT_NE(openFailureAdvice("/dev/ttyUSB0", EACCES)
                  .find("/dev/ttyUSB0: permission denied: add your user to the group that owns the device"),
              std::string::npos);
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
    folder.write("MMX4210-ports.ini", std::string("# my ports\r\nCom1=/dev/ttyUSB7\r\nCOM2 = /dev/serial/by-id/usb-x\r\n"));
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
}

TEST(DeviceListing, NamesFromSysAndById) {
    test::ScratchFolder folder;
    const fs::path root = folder.path();
    // A USB adapter: /sys/class/tty/ttyUSB0/device -> .../usb1/1-1/1-1:1.0/ttyUSB0
    const fs::path usb = root / "devices/usb1/1-1";
    fs::create_directories(usb / "1-1:1.0/ttyUSB0");
    fs::create_directories(root / "drivers/ftdi_sio");
    fs::create_directory_symlink(root / "drivers/ftdi_sio", usb / "1-1:1.0/ttyUSB0/driver");
    folder.write("devices/usb1/1-1/idVendor", std::string("0403\n"));
    folder.write("devices/usb1/1-1/idProduct", std::string("6001\n"));
    folder.write("devices/usb1/1-1/manufacturer", std::string("FTDI\n"));
    folder.write("devices/usb1/1-1/product", std::string("FT232R USB UART\n"));
    folder.write("devices/usb1/1-1/serial", std::string("A50285BI\n"));
    fs::create_directories(root / "class/tty/ttyUSB0");
    fs::create_directory_symlink(usb / "1-1:1.0/ttyUSB0", root / "class/tty/ttyUSB0/device");
    // A legacy port without a UART, one with, and a virtual console.
    fs::create_directories(root / "devices/platform/serial8250/tty/ttyS0");
    fs::create_directories(root / "class/tty/ttyS0");
    fs::create_directory_symlink(root / "devices/platform/serial8250/tty/ttyS0", root / "class/tty/ttyS0/device");
    folder.write("class/tty/ttyS0/type", std::string("4\n"));
    fs::create_directories(root / "class/tty/ttyS1");
    fs::create_directory_symlink(root / "devices/platform/serial8250/tty/ttyS0", root / "class/tty/ttyS1/device");
    folder.write("class/tty/ttyS1/type", std::string("0\n"));
    fs::create_directories(root / "class/tty/tty1");
    // by-id
    fs::create_directories(root / "by-id");
    fs::create_symlink("../../ttyUSB0", root / "by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");

    DeviceRoots roots{(root / "class/tty").string(), (root / "by-id").string(), "/dev"};
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
}

}  // namespace
}  // namespace mmx
