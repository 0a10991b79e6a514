#pragma once
// Frames as they go on the line, built here independently of the program's own frame code:
// "*", two hex-byte fields and the parameter, a 16-bit length, the payload, the hex checksum
// of everything before it, CR LF.
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace mmx::test {

namespace wire {
inline constexpr char digits[] = "0123456789ABCDEF";

inline void finish(std::vector<uint8_t>& frame) {
    uint8_t sum = 0;
    for (uint8_t b : frame) sum = static_cast<uint8_t>(sum + b);
    frame.insert(frame.end(), {static_cast<uint8_t>(digits[sum >> 4]), static_cast<uint8_t>(digits[sum & 15]), 0x0D, 0x0A});
}

inline std::vector<uint8_t> headed(uint8_t fieldA, uint8_t fieldB, uint8_t parameter, const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> frame{'*'};
    for (uint8_t v : {fieldA, fieldB, parameter}) {
        frame.push_back(static_cast<uint8_t>(digits[v >> 4]));
        frame.push_back(static_cast<uint8_t>(digits[v & 15]));
    }
    frame.push_back(static_cast<uint8_t>(payload.size() >> 8));
    frame.push_back(static_cast<uint8_t>(payload.size() & 0xFF));
    frame.insert(frame.end(), payload.begin(), payload.end());
    finish(frame);
    return frame;
}
}  // namespace wire

// An answer as the unit sends it: the command, then the master's address 0x64.
inline std::vector<uint8_t> answerFrame(uint8_t command, const std::vector<uint8_t>& payload, uint8_t parameter = 0x55,
                                        uint8_t fieldB = 0x64) {
    return wire::headed(command, fieldB, parameter, payload);
}

// A command as the program sends it: the master's address 0x64, then the command.
inline std::vector<uint8_t> commandFrame(uint8_t command, const std::vector<uint8_t>& payload = {}) {
    return wire::headed(0x64, command, 0x55, payload);
}

// A data frame: "*", length (address and payload), 3 address bytes, payload, checksum, CR LF.
inline std::vector<uint8_t> dataFrame(uint32_t address, const std::vector<uint8_t>& payload) {
    const size_t length = 3 + payload.size();
    std::vector<uint8_t> frame{'*', static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length & 0xFF),
                               static_cast<uint8_t>(address >> 16), static_cast<uint8_t>(address >> 8),
                               static_cast<uint8_t>(address)};
    frame.insert(frame.end(), payload.begin(), payload.end());
    wire::finish(frame);
    return frame;
}

inline std::vector<uint8_t> closingFrame() { return {0x2A, 0x00, 0x00, 0x32, 0x41, 0x0D, 0x0A}; }

}  // namespace mmx::test
