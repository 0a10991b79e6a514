#include "device/frames.h"

namespace mmx::frames {

namespace {

void appendChecksumAndEnd(std::vector<uint8_t>& frame) {
    uint8_t sum = 0;
    for (uint8_t byte : frame) sum = static_cast<uint8_t>(sum + byte);
    appendHex(frame, sum);
    frame.push_back(kCr);
    frame.push_back(kLf);
}

void appendLength(std::vector<uint8_t>& frame, size_t length) {
    frame.push_back(static_cast<uint8_t>(length >> 8));
    frame.push_back(static_cast<uint8_t>(length & 0xFF));
}

}  // namespace

void appendHex(std::vector<uint8_t>& out, uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out.push_back(static_cast<uint8_t>(kDigits[value >> 4]));
    out.push_back(static_cast<uint8_t>(kDigits[value & 0x0F]));
}

std::vector<uint8_t> fieldFrame(uint8_t a, uint8_t b, uint8_t c, std::span<const uint8_t> data) {
    std::vector<uint8_t> frame;
    frame.reserve(data.size() + 13);
    frame.push_back(kStar);
    appendHex(frame, a);
    appendHex(frame, b);
    appendHex(frame, c);
    appendLength(frame, data.size());
    frame.insert(frame.end(), data.begin(), data.end());
    appendChecksumAndEnd(frame);
    return frame;
}

std::vector<uint8_t> dataFrame(uint32_t address, std::span<const uint8_t> payload) {
    std::vector<uint8_t> frame;
    frame.reserve(payload.size() + 10);
    frame.push_back(kStar);
    appendLength(frame, payload.size() + 3);
    frame.push_back(static_cast<uint8_t>(address >> 16));
    frame.push_back(static_cast<uint8_t>(address >> 8));
    frame.push_back(static_cast<uint8_t>(address));
    frame.insert(frame.end(), payload.begin(), payload.end());
    appendChecksumAndEnd(frame);
    return frame;
}

std::vector<uint8_t> closingFrame() {
    std::vector<uint8_t> frame{kStar, 0x00, 0x00};
    appendChecksumAndEnd(frame);
    return frame;
}

}  // namespace mmx::frames
