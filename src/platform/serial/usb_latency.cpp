#include "platform/serial/usb_latency.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "platform/serial/serial_port.h"

namespace mmx {

namespace fs = std::filesystem;

namespace {

// Bytes on the line for one block: the 360-byte data frame out and the 13-byte answer back.
constexpr double kBlockFrameBytes = 360.0;
constexpr double kAnswerBytes = 13.0;

}  // namespace

LatencyTimer::LatencyTimer(const std::string& devicePath, const std::string& root) {
    // The sysfs folder is named after the kernel's device, so links are followed first.
    std::error_code ec;
    fs::path device = fs::canonical(devicePath, ec);
    if (ec) device = devicePath;
    file_ = (fs::path(root) / device.filename() / "latency_timer").string();
}

std::optional<int> LatencyTimer::read() const {
    std::ifstream in(file_);
    int ms = -1;
    if (!(in >> ms) || ms < 0) return std::nullopt;
    return ms;
}

bool LatencyTimer::write(int ms) const {
    {
        std::ofstream out(file_, std::ios::out | std::ios::trunc);
        if (!out) return false;
        out << ms << "\n";
        out.flush();
        if (!out) return false;
    }
    // A driver may refuse or round the value: only the value read back counts.
    return read() == ms;
}

double latencySlowdown(int ms, const LineSettings& line) {
    const double bitsPerByte = 1.0 + line.dataBits + (line.parity == 'N' ? 0 : 1) + line.stopBits;
    const double lineMs = (kBlockFrameBytes + kAnswerBytes) * bitsPerByte * 1000.0 / std::max(line.baud, 1u);
    return static_cast<double>(ms) / lineMs;
}

std::string latencyAdvice(const std::string& devicePath, const LatencyTimer& timer, int ms, const LineSettings& line) {
    const long percent = std::lround(latencySlowdown(ms, line) * 100.0);
    return devicePath + ": the adapter's latency timer is " + std::to_string(ms) + " ms: each block waits up to " +
           std::to_string(ms) + " ms longer for its answer, a full upload about " + std::to_string(percent) +
           " % slower. Fix: install the mmx4210 package (its udev rule sets 1 ms), or run once per plug-in: echo 1 | "
           "sudo tee " + timer.file();
}

}  // namespace mmx
