#pragma once
// The serial line's framing as a typed value: what the settings file holds as texts
// ("115200", "N", "8", "2"), checked once when the file is read, and what a port is opened with.
#include <algorithm>
#include <array>
#include <string>

namespace mmx {

struct LineSettings {
    unsigned baud = 115200;
    char parity = 'N';  // N, E, O, M (mark) or S (space)
    int dataBits = 8;   // 5..8
    int stopBits = 2;   // 1 or 2

    // "115200 8N2"
    std::string text() const { return std::to_string(baud) + " " + std::to_string(dataBits) + parity + std::to_string(stopBits); }

    bool operator==(const LineSettings&) const = default;
};

// The baud rates a serial port is opened with.
inline constexpr std::array<unsigned, 16> kLineBauds = {1200,   2400,   4800,   9600,    19200,   38400,   57600,   115200,
                                                        230400, 460800, 500000, 576000, 921600, 1000000, 1500000, 2000000};
inline bool isLineBaud(unsigned baud) { return std::find(kLineBauds.begin(), kLineBauds.end(), baud) != kLineBauds.end(); }

}  // namespace mmx
