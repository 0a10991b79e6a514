#include "device/unit_emulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "device/frames.h"
#include "image/memory_map.h"

namespace mmx {

namespace {

using image::kErasedWord, image::kTableWords, image::kUnitWords;
using frames::kCr, frames::kLf, frames::kMasterAddress, frames::kStar;

constexpr uint8_t kAck = 6;
constexpr uint8_t kNak = 21;
constexpr size_t kMaxCommandPayload = 1200;
constexpr size_t kMaxDataFrame = 1203;  // address and 1200 bytes
constexpr int64_t kFrameGapUs = 500000;  // silence inside a frame that abandons it
constexpr uint32_t kHalfMask = 0x1FFFFF;
constexpr uint32_t kSectorWords = 0x1000;
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool isHexDigit(uint8_t c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }
uint8_t hexValue(uint8_t c) { return static_cast<uint8_t>(c <= '9' ? c - '0' : c - 'A' + 10); }

std::string hex6(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", value);
    return text;
}

uint32_t address24(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) << 16 | static_cast<uint32_t>(bytes[1]) << 8 | bytes[2];
}

}  // namespace

UnitEmulator::UnitEmulator(UnitOptions options)
    : options_(options), image_(kUnitWords, kErasedWord), rng_(options.seed * 0x9E3779B97F4A7C15ull + 1) {
    if (options_.baud > 0) byteUs_ = 11.0 * 1e6 / options_.baud;
}

double UnitEmulator::random01() {
    // xorshift64*: small, fast and the same on every platform.
    rng_ ^= rng_ >> 12;
    rng_ ^= rng_ << 25;
    rng_ ^= rng_ >> 27;
    uint64_t value = rng_ * 0x2545F4914F6CDD1Dull;
    return static_cast<double>(value >> 11) * (1.0 / 9007199254740992.0);
}

void UnitEmulator::report(const std::string& line) {
    log_.push_back(line);
    if (onReport_) onReport_(line);
}

void UnitEmulator::resetLine() {
    state_ = Parse::Idle;
    dataMode_ = false;
    out_.clear();
}

void UnitEmulator::eraseAll() { std::fill(image_.begin(), image_.end(), kErasedWord); }

void UnitEmulator::receive(std::span<const uint8_t> bytes, int64_t nowUs) {
    for (const uint8_t sent : bytes) {
        counters_.bytesReceived += 1;
        if (state_ != Parse::Idle && nowUs - lastByteUs_ > kFrameGapUs) state_ = Parse::Idle;
        if (options_.dropReceivedRate > 0 && random01() < options_.dropReceivedRate) {
            counters_.bytesLost += 1;
            if (state_ != Parse::Idle) ++frameLosses_;
            continue;
        }
        uint8_t byte = sent;
        if (options_.corruptReceivedRate > 0 && random01() < options_.corruptReceivedRate) {
            byte = static_cast<uint8_t>(byte ^ (1u << static_cast<unsigned>(random01() * 8)));
            counters_.bytesCorrupted += 1;
        }
        lineInFreeUs_ = std::max(lineInFreeUs_, static_cast<double>(nowUs)) + byteUs_;
        lastByteUs_ = nowUs;
        acceptByte(byte, sent, static_cast<int64_t>(std::ceil(lineInFreeUs_)));
    }
}

void UnitEmulator::acceptByte(uint8_t byte, uint8_t sent, int64_t nowUs) {
    // Damage is counted against the frame it falls in; a flip between frames (or one that
    // hides a frame's "*") only makes the unit miss that frame.
    if (state_ != Parse::Idle || byte == kStar) {
        if (state_ == Parse::Idle) frameFlips_ = frameLosses_ = 0;
        if (byte != sent) ++frameFlips_;
    }
    if (state_ == Parse::Header || state_ == Parse::Length || state_ == Parse::Payload) {
        sentSum_ = static_cast<uint8_t>(sentSum_ + sent);
    }
    switch (state_) {
        case Parse::Idle:
            if (byte != kStar) return;
            sum_ = kStar;
            sentSum_ = sent;
            checksumCharsHit_ = false;
            header_.clear();
            frame_.clear();
            lengthBytes_ = 0;
            expected_ = 0;
            checksumCount_ = 0;
            layoutOk_ = true;
            state_ = Parse::Header;
            return;
        case Parse::Header:
            sum_ = static_cast<uint8_t>(sum_ + byte);
            if (header_.empty() && byte != '6') {
                // No hex header: a data frame, and this is the high byte of its length.
                isCommandFrame_ = false;
                expected_ = byte;
                lengthBytes_ = 1;
                state_ = Parse::Length;
                return;
            }
            isCommandFrame_ = true;
            header_.push_back(byte);
            if (!isHexDigit(byte)) layoutOk_ = false;
            if (header_.size() == 6) {
                command_ = static_cast<uint8_t>(hexValue(header_[2]) * 16 + hexValue(header_[3]));
                parameter_ = static_cast<uint8_t>(hexValue(header_[4]) * 16 + hexValue(header_[5]));
                if (header_[0] != '6' || header_[1] != '4') layoutOk_ = false;
                state_ = Parse::Length;
            }
            return;
        case Parse::Length:
            sum_ = static_cast<uint8_t>(sum_ + byte);
            expected_ = expected_ * 256 + byte;
            if (++lengthBytes_ < 2) return;
            if (expected_ > (isCommandFrame_ ? kMaxCommandPayload : kMaxDataFrame)) {
                // No frame of ours is that long: the length is garbage. Refuse it and wait for
                // the end of the line before looking for the next frame.
                frameRejected(nowUs);
                state_ = Parse::Resync;
                return;
            }
            state_ = expected_ == 0 ? Parse::Checksum : Parse::Payload;
            return;
        case Parse::Payload:
            sum_ = static_cast<uint8_t>(sum_ + byte);
            if (frame_.size() < 3) sentHead_[frame_.size()] = sent;
            frame_.push_back(byte);
            if (frame_.size() == expected_) state_ = Parse::Checksum;
            return;
        case Parse::Checksum:
            if (byte != sent) checksumCharsHit_ = true;
            checksumChars_[checksumCount_++] = byte;
            if (checksumCount_ == 2) state_ = Parse::Cr;
            return;
        case Parse::Cr:
            if (byte == kLf) {  // the CR went missing
                layoutOk_ = false;
                frameComplete(nowUs);
                return;
            }
            if (byte != kCr) layoutOk_ = false;
            state_ = Parse::Lf;
            return;
        case Parse::Lf:
            if (byte != kLf) layoutOk_ = false;
            frameComplete(nowUs);
            return;
        case Parse::Resync:
            if (byte == kLf) state_ = Parse::Idle;
            return;
    }
}

bool UnitEmulator::fallSilent() {
    if (!silent_ && options_.silentAfterFrames >= 0 &&
        framesAnswered_ >= static_cast<uint64_t>(options_.silentAfterFrames)) {
        silent_ = true;
        report("falling silent");
    }
    return silent_;
}

void UnitEmulator::noteDamage(bool accepted) {
    counters_.framesChecked += 1;
    const uint32_t flips = frameFlips_;
    const uint32_t losses = frameLosses_;
    frameFlips_ = frameLosses_ = 0;
    if (flips == 0 && losses == 0) return;
    counters_.damagedFrames += 1;
    if (!accepted) return;
    DamagedFrame damage;
    damage.command = isCommandFrame_;
    damage.letter = isCommandFrame_ ? command_ : static_cast<uint8_t>('W');
    if (!isCommandFrame_ && frame_.size() >= 3) {
        damage.address = address24(frame_.data());
        damage.sentAddress = address24(sentHead_);
        damage.words = static_cast<uint32_t>((frame_.size() - 3) / 2);
    }
    damage.flippedBytes = flips;
    damage.lostBytes = losses;
    damage.cancelsInFrameSum = losses == 0 && !checksumCharsHit_ && sentSum_ == sum_;
    damagedAccepted_.push_back(damage);
    report("damaged frame accepted");
}

void UnitEmulator::frameRejected(int64_t nowUs) {
    noteDamage(false);
    if (fallSilent()) return;
    counters_.badFrames += 1;
    report("bad frame");
    ++framesSeen_;
    sendAnswer(isCommandFrame_ ? command_ : static_cast<uint8_t>('W'), std::span<const uint8_t>(&kNak, 1),
               nowUs + options_.frameDelayUs);
}

bool UnitEmulator::injectNak() {
    ++framesSeen_;
    if (options_.nakEveryNth > 0 && framesSeen_ % options_.nakEveryNth == 0) return true;
    return options_.nakRate > 0 && random01() < options_.nakRate;
}

void UnitEmulator::frameComplete(int64_t nowUs) {
    state_ = Parse::Idle;
    if (fallSilent()) return;
    bool checksumOk = isHexDigit(checksumChars_[0]) && isHexDigit(checksumChars_[1]) &&
                      static_cast<uint8_t>(hexValue(checksumChars_[0]) * 16 + hexValue(checksumChars_[1])) == sum_;
    if (!checksumOk || !layoutOk_) {
        frameRejected(nowUs);
        return;
    }
    noteDamage(true);
    const int64_t readyUs = nowUs + options_.frameDelayUs;
    if (injectNak()) {
        counters_.naksInjected += 1;
        report("nak injected");
        sendAnswer(isCommandFrame_ ? command_ : static_cast<uint8_t>('W'), std::span<const uint8_t>(&kNak, 1), readyUs);
        return;
    }
    if (isCommandFrame_) {
        handleCommand(readyUs);
    } else {
        handleData(readyUs);
    }
}

void UnitEmulator::handleCommand(int64_t readyUs) {
    counters_.commandFrames += 1;
    const uint8_t nak[1] = {kNak};
    const uint8_t ack[1] = {kAck};
    switch (command_) {
        case 'P':
            report("P");
            dataMode_ = false;
            sendAnswer(command_, ack, readyUs);
            return;
        case 'W':
            report("W");
            dataMode_ = true;
            sendAnswer(command_, ack, readyUs);
            return;
        case 'E': {
            if (frame_.size() != 3) break;
            const uint32_t address = address24(frame_.data());
            report("E " + hex6(address));
            counters_.erases += 1;
            uint32_t first = 0;
            uint32_t count = 0;
            if ((address & kHalfMask) == kHalfMask) {
                first = address & ~kHalfMask;
                count = kHalfMask + 1;
            } else {
                first = address & ~(kSectorWords - 1);
                count = kSectorWords;
            }
            first = std::min(first, kUnitWords);
            count = std::min(count, kUnitWords - first);
            std::fill_n(image_.begin() + first, count, kErasedWord);
            sendAnswer(command_, ack, readyUs);
            int64_t when = readyUs;
            for (uint32_t i = 0; i < options_.eraseDots; ++i) {
                when += options_.eraseDotIntervalUs;
                sendRaw('.', when);
            }
            sendRaw(kAck, when + options_.eraseDotIntervalUs);
            return;
        }
        case 'L': {
            dataMode_ = false;
            lastCheck_ = checkImage();
            report(std::string("L: image ") + (lastCheck_->ok ? "ok" : "has errors"));
            for (const auto& line : lastCheck_->lines) report("  " + line);
            if (options_.rejectBadImage && !lastCheck_->ok) {
                sendAnswer(command_, nak, readyUs);
                return;
            }
            sendAnswer(command_, ack, readyUs);
            if (onList_) onList_();
            return;
        }
        case 'R': {
            if (frame_.size() != 3) break;
            const uint32_t address = address24(frame_.data());
            report("R " + hex6(address));
            if (address + kTableWords > kUnitWords) break;
            std::vector<uint8_t> block = bytesAt(address, kTableWords);
            sendAnswer(command_, block, readyUs);
            return;
        }
        default:
            break;
    }
    report("refused command " + std::string(1, static_cast<char>(command_)));
    sendAnswer(command_, nak, readyUs);
}

void UnitEmulator::handleData(int64_t readyUs) {
    counters_.dataFrames += 1;
    const uint8_t nak[1] = {kNak};
    const uint8_t ack[1] = {kAck};
    if (!dataMode_) {
        report("data frame without W");
        sendAnswer('W', nak, readyUs);
        return;
    }
    if (frame_.empty()) {
        report("D close");
        dataMode_ = false;
        sendAnswer('W', ack, readyUs);
        return;
    }
    const size_t dataBytes = frame_.size() < 3 ? 0 : frame_.size() - 3;
    const uint32_t address = frame_.size() < 3 ? 0 : address24(frame_.data());
    if (frame_.size() < 4 || dataBytes % 2 != 0 || address + dataBytes / 2 > kUnitWords) {
        report("bad data frame");
        counters_.badFrames += 1;
        sendAnswer('W', nak, readyUs);
        return;
    }
    report("D " + hex6(address) + " " + std::to_string(dataBytes));
    for (size_t i = 0; i < dataBytes / 2; ++i) {
        const uint16_t word = static_cast<uint16_t>(frame_[3 + 2 * i] << 8 | frame_[4 + 2 * i]);
        uint16_t& cell = image_[address + i];
        if (cell != kErasedWord && cell != word) counters_.writesOverUnerased += 1;
        cell = word;
        counters_.wordsWritten += 1;
    }
    sendAnswer('W', ack, readyUs);
}

void UnitEmulator::sendAnswer(uint8_t command, std::span<const uint8_t> payload, int64_t readyUs) {
    if (silent_) return;
    std::vector<uint8_t> bytes;
    bytes.reserve(payload.size() + 13);
    auto hex = [&bytes](uint8_t value) {
        bytes.push_back(static_cast<uint8_t>(kHexDigits[value >> 4]));
        bytes.push_back(static_cast<uint8_t>(kHexDigits[value & 0x0F]));
    };
    bytes.push_back(kStar);
    hex(command);
    hex(kMasterAddress);
    hex(parameter_);
    bytes.push_back(static_cast<uint8_t>(payload.size() >> 8));
    bytes.push_back(static_cast<uint8_t>(payload.size() & 0xFF));
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    uint8_t sum = 0;
    for (uint8_t b : bytes) sum = static_cast<uint8_t>(sum + b);
    hex(sum);
    bytes.push_back(kCr);
    bytes.push_back(kLf);
    for (uint8_t b : bytes) sendRaw(b, readyUs);
    ++framesAnswered_;
}

void UnitEmulator::sendRaw(uint8_t byte, int64_t readyUs) {
    if (options_.dropSentRate > 0 && random01() < options_.dropSentRate) return;
    if (options_.corruptSentRate > 0 && random01() < options_.corruptSentRate) {
        byte = static_cast<uint8_t>(byte ^ (1u << static_cast<unsigned>(random01() * 8)));
    }
    lineOutFreeUs_ = std::max(lineOutFreeUs_, static_cast<double>(readyUs)) + byteUs_;
    out_.emplace_back(byte, static_cast<int64_t>(std::ceil(lineOutFreeUs_)));
    counters_.bytesSent += 1;
}

size_t UnitEmulator::transmit(std::span<uint8_t> out, int64_t nowUs) {
    size_t count = 0;
    while (count < out.size() && !out_.empty() && out_.front().second <= nowUs) {
        out[count++] = out_.front().first;
        out_.pop_front();
    }
    return count;
}

std::optional<int64_t> UnitEmulator::nextTransmitUs() const {
    if (out_.empty()) return std::nullopt;
    return out_.front().second;
}

}  // namespace mmx
