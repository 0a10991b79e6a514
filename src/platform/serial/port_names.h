#pragma once
// Which device each of Com1..Com10 stands for, and which serial devices are present.
//
// ComN is looked up, first match wins:
//   1. the environment variable MMX4210_COMN (MMX4210_COM1=/dev/pts/7),
//   2. a line "ComN=PATH" in the file MMX4210-ports.ini in the settings folder,
//   3. /dev/ttyUSB(N-1) when it exists, else /dev/ttyACM(N-1) when it exists, else /dev/ttyS(N-1).
#include <optional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "device/connection.h"
#include "platform/serial/device_claims.h"
#include "platform/serial/serial_port.h"
#include "platform/serial/usb_latency.h"

namespace mmx {

inline constexpr const char* kPortsFileName = "MMX4210-ports.ini";

struct PortMapping {
    std::string path;
    std::string source;  // "MMX4210_COM1", "MMX4210-ports.ini" or "default"
};

// devRoot is "/dev" except in tests.
PortMapping mapComPort(int number, const std::string& settingsFolder, const std::string& devRoot = "/dev");

// "Com3" (any case) or a device path. Nothing for anything else.
struct PortChoice {
    int comNumber = 0;  // 1..10, 0 for a path
    std::string path;
    std::string label;  // "COM3" or the path
};
std::optional<PortChoice> resolvePortName(const std::string& text, const std::string& settingsFolder);

struct SerialDeviceInfo {
    std::string path;        // /dev/ttyUSB0
    std::string stableName;  // /dev/serial/by-id/usb-FTDI_..., empty when there is none
    std::string driver;      // ftdi_sio, cdc_acm, serial8250, ...
    std::string maker;
    std::string product;
    std::string serial;
    std::string usbId;       // "0403:6001"
    std::optional<int> latencyTimerMs;  // USB adapters with a latency timer
    DeviceClaims claims;                // who may take it when it is plugged in
};

struct DeviceRoots {
    std::string sysClassTty = "/sys/class/tty";
    std::string byId = "/dev/serial/by-id";
    std::string dev = "/dev";
    std::string usbSerial = kUsbSerialRoot;
    UdevRoots udev;
};

// The serial devices present now (virtual consoles and unused legacy ports left out), sorted
// by path.
std::vector<SerialDeviceInfo> listSerialDevices(const DeviceRoots& roots = {});

// Whether the device at `path` is there to be opened now: the node exists and, for a legacy
// UART slot, a UART answers behind it.
bool portDevicePresent(const std::string& path, const DeviceRoots& roots = {});

// Builds a SerialPort for Connect: the path of settings.portNumber (or `fixedPath` when given)
// with the framing of `settings`; what the port notes about the adapter goes to `notes`.
PortFactory serialPortFactory(std::string settingsFolder, std::string fixedPath = "", PortNoteSink notes = {});
// The port the settings choose at each Connect: the network address typed in the port menu when
// it is chosen, else ComN. `settings` must outlive the factory.
PortFactory chosenPortFactory(std::string settingsFolder, const PortSettings& settings, PortNoteSink notes = {});

// The connection's settings from the settings file's port entries, read at each Connect (the
// menus may change them in between); a framing text no port takes is refused then.
LinkSettingsSource linkSettingsFrom(const PortSettings& settings);
// The same once, now.
bool linkSettingsFor(const PortSettings& settings, LinkSettings& link, std::string& error);

}  // namespace mmx
