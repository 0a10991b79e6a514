#pragma once
// Every frame that crosses the line, built in one place. A frame starts with "*", ends with
// its checksum (the byte sum from "*" through the last payload byte, as two upper-case hex
// digits) and CR LF.
#include <cstdint>
#include <span>
#include <vector>

namespace mmx::frames {

inline constexpr uint8_t kStar = 0x2A;
inline constexpr uint8_t kCr = 0x0D;
inline constexpr uint8_t kLf = 0x0A;
inline constexpr uint8_t kMasterAddress = 0x64;

// A command or answer frame: three fields as hex digit pairs, a 16-bit length, the data.
// A command carries (0x64, command, parameter); the unit's answer (command, 0x64, parameter).
std::vector<uint8_t> fieldFrame(uint8_t a, uint8_t b, uint8_t c, std::span<const uint8_t> data);
inline std::vector<uint8_t> commandFrame(uint8_t command, uint8_t parameter, std::span<const uint8_t> data) {
    return fieldFrame(kMasterAddress, command, parameter, data);
}

// A data frame: length (3 + payload), the 24-bit word address, the payload.
std::vector<uint8_t> dataFrame(uint32_t address, std::span<const uint8_t> payload);
// Ends a series of data frames: "*", length 0, checksum "2A", CR LF.
std::vector<uint8_t> closingFrame();

// Appends the two hex digits of a byte.
void appendHex(std::vector<uint8_t>& out, uint8_t value);

}  // namespace mmx::frames
