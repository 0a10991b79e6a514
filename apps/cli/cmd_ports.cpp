// mmx4210-cli ports: the serial devices present, with their names, and where Com1..Com10 point.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>

#include "cli_command.h"
#include "port_list.h"
#include "platform/net/network_address.h"
#include "platform/serial/port_names.h"
#include "storage/settings_folder.h"

namespace mmx::cli {
namespace {

// What may slow the adapter down or take it away, one line each.
std::vector<std::string> adapterFacts(const SerialDeviceInfo& device) {
    std::vector<std::string> facts;
    if (device.latencyTimerMs) {
        const int ms = *device.latencyTimerMs;
        facts.push_back("latency timer " + std::to_string(ms) + " ms" +
                        (ms > 2 ? ": slows every block; lowered to 1 ms while open when allowed, for good by the "
                                  "package's udev rule"
                                : ""));
    }
    if (device.claims.modemManager == ModemManagerStance::MayProbe) {
        facts.push_back("ModemManager may probe it after plug-in (the port is busy for some seconds); the package's "
                        "udev rule keeps it away");
    } else if (device.claims.modemManager == ModemManagerStance::Ignores) {
        facts.push_back("ModemManager leaves it alone");
    }
    if (device.claims.brltty) {
        facts.push_back("brltty may take it for a braille display (the port vanishes): sudo systemctl mask "
                        "brltty-udev.service");
    }
    return facts;
}

std::string padded(const std::string& text, size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

int runPorts() {
    const std::string settingsFolder = chooseSettingsFolder(programFolder());
    std::vector<PortMapping> mappings;
    for (int n = 1; n <= 10; ++n) mappings.push_back(mapComPort(n, settingsFolder));

    const std::vector<SerialDeviceInfo> devices = listSerialDevices();
    if (devices.empty()) {
        std::cout << "No serial devices found.\n";
    } else {
        std::cout << "Serial devices:\n";
        for (const auto& device : devices) {
            std::string names;
            for (int n = 1; n <= 10; ++n) {
                if (canonicalDevicePath(mappings[static_cast<size_t>(n - 1)].path) == canonicalDevicePath(device.path)) {
                    names += (names.empty() ? "" : ", ") + std::string("Com") + std::to_string(n);
                }
            }
            std::string about = device.maker;
            if (!device.product.empty()) about += (about.empty() ? "" : " ") + device.product;
            if (about.empty()) about = device.driver.empty() ? "serial port" : device.driver;
            if (!device.usbId.empty()) about += " (" + device.usbId + (device.serial.empty() ? "" : ", serial " + device.serial) + ")";
            std::cout << "  " << padded(device.path, 16) << padded(about, 48) << (names.empty() ? "-" : names) << "\n";
            if (!device.stableName.empty()) std::cout << "      " << device.stableName << "\n";
            for (const std::string& fact : adapterFacts(device)) std::cout << "      " << fact << "\n";
        }
    }
    std::cout << "\nCom ports (set MMX4210_COMn=PATH or write ComN=PATH in " << settingsFolder << kPortsFileName
              << " to change):\n";
    for (int n = 1; n <= 10; ++n) {
        const PortMapping& mapping = mappings[static_cast<size_t>(n - 1)];
        // A server's address is reached only when a command connects.
        const char* state = looksLikeNetworkPort(mapping.path) ? "network" : portDevicePresent(mapping.path) ? "present" : "missing";
        std::cout << "  " << padded("Com" + std::to_string(n), 6) << padded(mapping.path, 28) << padded(mapping.source, 20)
                  << state << "\n";
    }
    return kSuccess;
}

const CommandRegistration registration{Command{
    "ports", "list the serial devices present and the device or network address each of Com1..Com10 stands for",
    [](CLI::App&) -> CommandRun { return runPorts; }}};

}  // namespace
}  // namespace mmx::cli
