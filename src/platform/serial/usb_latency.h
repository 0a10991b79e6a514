#pragma once
// The latency timer of a USB serial adapter. FTDI chips (and a few others whose drivers expose
// latency_timer in sysfs) hold a short answer back until the timer runs out, 16 ms by default.
// For a stop-and-wait upload that is a large share of every block, so the port lowers it to
// 1 ms while it is open and puts the old value back on close.
#include <optional>
#include <string>

namespace mmx {

struct LineSettings;

inline constexpr const char* kUsbSerialRoot = "/sys/bus/usb-serial/devices";

class LatencyTimer {
public:
    // devicePath: /dev/ttyUSB0 or a link to it (/dev/serial/by-id/...); root: the sysfs folder
    // holding one folder per USB serial port (tests point it at a fake one).
    LatencyTimer(const std::string& devicePath, const std::string& root = kUsbSerialRoot);

    // The timer in ms; nothing when the adapter has none (a built-in port, a pty, CP210x...).
    std::optional<int> read() const;
    // True when the timer reads back as `ms` afterwards (writing needs the file's permission).
    bool write(int ms) const;
    // The sysfs file, whether it exists or not.
    const std::string& file() const { return file_; }

private:
    std::string file_;
};

// The share by which a latency timer of `ms` stretches one acknowledged 350-byte block at this
// line speed (0.45 for 16 ms at 115200 8N2).
double latencySlowdown(int ms, const LineSettings& line);

// What to tell the user about a timer of `ms` that could not be lowered: the cost and the fix.
std::string latencyAdvice(const std::string& devicePath, const LatencyTimer& timer, int ms, const LineSettings& line);

}  // namespace mmx
