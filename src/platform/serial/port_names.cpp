#include "platform/serial/port_names.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/plain_text.h"
#include "platform/net/network_address.h"
#include "platform/serial/open_port.h"

namespace mmx {

namespace fs = std::filesystem;

namespace {

// "Com3", "COM3", "com3" -> 3; anything else 0.
int comNumber(const std::string& text) {
    std::string t = asciiLower(trimBlanks(text));
    if (t.size() < 4 || t.compare(0, 3, "com") != 0) return 0;
    int number = 0;
    for (size_t i = 3; i < t.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(t[i])) || number > 100) return 0;
        number = number * 10 + (t[i] - '0');
    }
    return number >= 1 && number <= 10 ? number : 0;
}

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' ')) line.pop_back();
    return line;
}

// Legacy UART slots are listed whether or not a UART answers; type 0 means none does.
bool emptyUartSlot(const fs::path& classEntry) {
    const std::string name = classEntry.filename().string();
    std::error_code ec;
    return name.rfind("ttyS", 0) == 0 && fs::exists(classEntry / "type", ec) && firstLine(classEntry / "type") == "0";
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

}  // namespace

PortMapping mapComPort(int number, const std::string& settingsFolder, const std::string& devRoot) {
    const std::string n = std::to_string(number);
    const std::string variable = "MMX4210_COM" + n;
    if (const char* value = std::getenv(variable.c_str()); value != nullptr && *value != '\0') {
        return {value, variable};
    }
    if (!settingsFolder.empty()) {
        std::ifstream in(fs::path(settingsFolder) / kPortsFileName);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            size_t equals = line.find('=');
            if (equals == std::string::npos || line[0] == '#' || line[0] == ';') continue;
            if (comNumber(line.substr(0, equals)) == number) {
                std::string path = trimBlanks(line.substr(equals + 1));
                if (!path.empty()) return {path, kPortsFileName};
            }
        }
    }
    const std::string index = std::to_string(number - 1);
    for (const char* family : {"ttyUSB", "ttyACM"}) {
        std::string path = devRoot + "/" + family + index;
        if (exists(path)) return {path, "default"};
    }
    return {devRoot + "/ttyS" + index, "default"};
}

std::optional<PortChoice> resolvePortName(const std::string& text, const std::string& settingsFolder) {
    if (int number = comNumber(text)) {
        return PortChoice{number, mapComPort(number, settingsFolder).path, "COM" + std::to_string(number)};
    }
    if (looksLikeNetworkPort(text) || text.find('/') != std::string::npos) return PortChoice{0, text, text};
    return std::nullopt;
}

std::vector<SerialDeviceInfo> listSerialDevices(const DeviceRoots& roots) {
    std::map<std::string, std::string> stableNames;  // device name -> by-id link
    std::error_code ec;
    for (fs::directory_iterator it(roots.byId, ec), end; !ec && it != end; it.increment(ec)) {
        fs::path target = fs::read_symlink(it->path(), ec);
        if (ec) {
            ec.clear();
            continue;
        }
        stableNames[target.filename().string()] = it->path().string();
    }
    ec.clear();

    std::vector<SerialDeviceInfo> devices;
    for (fs::directory_iterator it(roots.sysClassTty, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path entry = it->path();
        const std::string name = entry.filename().string();
        std::error_code inner;
        // Virtual terminals and ptys have no device behind them.
        if (!fs::exists(entry / "device", inner)) continue;
        if (emptyUartSlot(entry)) continue;

        SerialDeviceInfo info;
        info.path = roots.dev + "/" + name;
        if (auto found = stableNames.find(name); found != stableNames.end()) info.stableName = found->second;
        info.latencyTimerMs = LatencyTimer(info.path, roots.usbSerial).read();
        const std::string deviceNumber = firstLine(entry / "dev");
        fs::path device = fs::canonical(entry / "device", inner);
        if (!inner) {
            fs::path driver = fs::read_symlink(device / "driver", inner);
            if (!inner) info.driver = driver.filename().string();
            inner.clear();
            // The USB device that carries the port sits a few levels up.
            for (fs::path up = device; !up.empty() && up != up.root_path(); up = up.parent_path()) {
                if (fs::exists(up / "idVendor", inner)) {
                    info.maker = firstLine(up / "manufacturer");
                    info.product = firstLine(up / "product");
                    info.serial = firstLine(up / "serial");
                    info.usbId = firstLine(up / "idVendor") + ":" + firstLine(up / "idProduct");
                    break;
                }
            }
        }
        info.claims = deviceClaims(deviceNumber, info.usbId, roots.udev);
        devices.push_back(std::move(info));
    }
    std::sort(devices.begin(), devices.end(),
              [](const SerialDeviceInfo& a, const SerialDeviceInfo& b) { return a.path < b.path; });
    return devices;
}

bool portDevicePresent(const std::string& path, const DeviceRoots& roots) {
    // Only connecting tells whether a server answers; its address is never "missing" here.
    if (looksLikeNetworkPort(path)) return true;
    std::error_code ec;
    const fs::path device = fs::canonical(path, ec);
    if (ec) return false;
    return !emptyUartSlot(fs::path(roots.sysClassTty) / device.filename());
}

PortFactory serialPortFactory(std::string settingsFolder, std::string fixedPath, PortNoteSink notes) {
    return [settingsFolder = std::move(settingsFolder), fixedPath = std::move(fixedPath), notes = std::move(notes)](
               const LinkSettings& settings, std::string& error) -> std::unique_ptr<BytePort> {
        std::string path = fixedPath.empty() ? mapComPort(settings.portNumber, settingsFolder).path : fixedPath;
        return portForName(path, settings.line, notes, error);
    };
}

PortFactory chosenPortFactory(std::string settingsFolder, const PortSettings& settings, PortNoteSink notes) {
    return [settingsFolder = std::move(settingsFolder), &settings, notes = std::move(notes)](
               const LinkSettings& link, std::string& error) -> std::unique_ptr<BytePort> {
        const std::string path = settings.networkPortChosen && !settings.networkPort.empty()
                                     ? settings.networkPort
                                     : mapComPort(link.portNumber, settingsFolder).path;
        return portForName(path, link.line, notes, error);
    };
}

bool linkSettingsFor(const PortSettings& settings, LinkSettings& link, std::string&) {
    // The settings codec refused any framing a port cannot take when the file was read.
    link.portNumber = settings.Commport;
    link.line = settings.line;
    link.byteTimeOutMs = settings.CommTimeOut;
    return true;
}

LinkSettingsSource linkSettingsFrom(const PortSettings& settings) {
    return [&settings](LinkSettings& link, std::string& error) { return linkSettingsFor(settings, link, error); };
}

}  // namespace mmx
