#pragma once
// The real serial line: a POSIX terminal device (a USB adapter, a built-in port or the
// pseudo-terminal of the unit emulator) in raw mode, opened exclusively.
#include <functional>
#include <optional>
#include <string>
#include <termios.h>

#include "core/line_settings.h"
#include "device/byte_port.h"

namespace mmx {

// Something about the adapter worth telling the user, said while the port opens: a warning
// (shown always, by the caller once per device) or a detail (shown on request).
struct PortNote {
    bool warning = false;
    std::string text;
};
using PortNoteSink = std::function<void(const PortNote&)>;

class SerialPort final : public BytePort {
public:
    // usbSerialRoot: where the adapters' latency timers live in sysfs (tests use a fake folder).
    SerialPort(std::string path, LineSettings settings, PortNoteSink notes = {}, std::string usbSerialRoot = "");
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    bool open(std::string& error) override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }
    bool write(std::span<const uint8_t> bytes) override;
    long read(std::span<uint8_t> out, int timeoutMs) override;
    std::string description() const override;

    const std::string& path() const { return path_; }
    // True when the driver took the low-latency request (USB adapters otherwise hold short
    // answers back for their latency timer).
    bool lowLatency() const { return lowLatency_; }

private:
    bool configure(std::string& error);
    void requestLowLatency();
    void lowerLatencyTimer();
    void restoreTuning();
    void note(bool warning, const std::string& text) const;

    std::string path_;
    LineSettings settings_;
    PortNoteSink notes_;
    std::string usbSerialRoot_;
    int fd_ = -1;
    bool haveSaved_ = false;
    bool lowLatency_ = false;
    bool clearLowLatencyOnClose_ = false;     // the flag was set here, not by someone before
    std::optional<int> latencyToRestore_;     // the adapter's own timer, lowered while open
    struct termios saved_ {};
};

}  // namespace mmx
