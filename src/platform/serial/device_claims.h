#pragma once
// Programs that take a freshly plugged serial adapter for themselves, judged from udev's rules
// and its record of the device: ModemManager probes it for some seconds (the port is busy
// meanwhile), brltty takes CH34x adapters for a braille display (the port appears and vanishes).
#include <string>
#include <vector>

namespace mmx {

struct UdevRoots {
    // In udev's order of precedence: a file in an earlier folder hides one of the same name later.
    std::vector<std::string> rules{"/etc/udev/rules.d", "/run/udev/rules.d", "/lib/udev/rules.d",
                                   "/usr/lib/udev/rules.d"};
    std::string data = "/run/udev/data";  // udev's record of each device, "c188:0"
};

enum class ModemManagerStance {
    Absent,    // not installed
    Ignores,   // installed, and the device is marked to be left alone
    MayProbe,  // installed, nothing keeps it away
};

struct DeviceClaims {
    ModemManagerStance modemManager = ModemManagerStance::Absent;
    bool brltty = false;  // brltty's rules name this adapter as a braille display
};

// deviceNumber: "188:0" (from /sys/class/tty/NAME/dev); usbId: "1a86:7523" (empty when not USB:
// then neither claims it).
DeviceClaims deviceClaims(const std::string& deviceNumber, const std::string& usbId, const UdevRoots& roots = {});

}  // namespace mmx
