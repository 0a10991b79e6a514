#pragma once
// The real serial line: a POSIX terminal device (a USB adapter, a built-in port or the
// pseudo-terminal of the unit emulator) in raw mode, opened exclusively.
#include <string>
#include <termios.h>

#include "core/program_state.h"
#include "device/byte_port.h"

namespace mmx {

struct LineSettings {
    unsigned baud = 115200;
    char parity = 'N';  // N, E, O, M (mark) or S (space)
    int dataBits = 8;   // 5..8
    int stopBits = 2;   // 1 or 2

    // "115200 8N2"
    std::string text() const;
};

// Baud rate, parity, data bits and stop bits from their texts ("115200", "N", "8", "2").
// False with a reason when a value is not one a serial port can take.
bool parseLineSettings(const PortSettings& settings, LineSettings& line, std::string& error);

class SerialPort final : public BytePort {
public:
    SerialPort(std::string path, LineSettings settings);
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

    std::string path_;
    LineSettings settings_;
    int fd_ = -1;
    bool haveSaved_ = false;
    bool lowLatency_ = false;
    struct termios saved_ {};
};

// What a user can do about a failed open of `path` with errno `error`.
std::string openFailureAdvice(const std::string& path, int error);

}  // namespace mmx
