#pragma once
// The serial line's framing as a typed value: what the settings file holds as texts
// ("115200", "N", "8", "2"), checked once when the file is read, and what a port is opened with.
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

}  // namespace mmx
