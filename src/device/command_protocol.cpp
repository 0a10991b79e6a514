#include "device/command_protocol.h"

#include <cmath>

#include "device/frames.h"

namespace mmx {

CommandProtocol::CommandProtocol(Clock& clock, LinkEvents& events) : clock_(clock), events_(events) {}

void CommandProtocol::setByteTimeOut(int milliseconds) {
    byteTimeOut_ = std::clamp(milliseconds, unit::kMinByteTimeOutMs, unit::kMaxByteTimeOutMs);
}

int CommandProtocol::ticksFor(int byteTimeOutMs) {
    const int clamped = std::clamp(byteTimeOutMs, unit::kMinByteTimeOutMs, unit::kMaxByteTimeOutMs);
    return static_cast<int>(std::nearbyint(clamped / 100.0));  // default rounding: halves to even
}

void CommandProtocol::resetBuffers() {
    clearReceiveRing();
    failure_ = LinkFailure::None;
    answerDeadlineMs_ = INT64_MAX;
}

void CommandProtocol::clearReceiveRing() {
    writeIndex_ = 0;
    readIndex_ = 0;
    overrun_ = false;
}

size_t CommandProtocol::ringFree() const {
    // One position always stays empty, otherwise a full ring would look empty.
    const size_t used = static_cast<size_t>((writeIndex_ - readIndex_) & kRingMask);
    return kRingMask - used;
}

bool CommandProtocol::receive(const uint8_t* bytes, size_t count) {
    if (count > ringFree()) {
        overrun_ = true;
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        ring_[writeIndex_] = bytes[i];
        writeIndex_ = static_cast<uint16_t>((writeIndex_ + 1) & kRingMask);
    }
    return true;
}

uint8_t CommandProtocol::hexDigitValue(uint8_t characterCode) {
    if (characterCode >= '0' && characterCode <= '9') return static_cast<uint8_t>(characterCode - '0');
    if (characterCode >= 'A' && characterCode <= 'F') return static_cast<uint8_t>(characterCode - 'A' + 10);
    return 0;
}

void CommandProtocol::giveUpLink(LinkFailure why) {
    failure_ = why;
    timedOut_ = true;
    if (linkLost_) {
        linkLost_();
    } else if (port_ != nullptr) {
        port_->close();
    }
}

bool CommandProtocol::readByte(uint8_t& byte) {
    timedOut_ = false;
    if (overrun_) {
        // Bytes were refused by the ring: whatever is read now would be a frame with a hole.
        failure_ = LinkFailure::RingOverrun;
        clearReceiveRing();
        return false;
    }
    if (ringEmpty()) {
        const int64_t deadline = std::min(clock_.nowMs() + byteTimeOutMs(), answerDeadlineMs_);
        while (ringEmpty()) {
            if (cancelled()) {
                // The caller ends the exchange and closes the port itself, after telling the
                // unit what it must know (an upload still sends its closing frame).
                failure_ = LinkFailure::Cancelled;
                timedOut_ = true;
                return false;
            }
            if (!portOpen()) {
                // Keep the reason the port went (a lost line) rather than its consequence.
                if (failure_ == LinkFailure::None) failure_ = LinkFailure::PortClosed;
                timedOut_ = true;
                return false;
            }
            const int64_t now = clock_.nowMs();
            if (now >= deadline) {
                giveUpLink(now >= answerDeadlineMs_ ? LinkFailure::AnswerTooSlow : LinkFailure::Silence);
                return false;
            }
            // Wait in slices of one tick so that a cancel is seen within 100 ms.
            const int slice = static_cast<int>(std::min<int64_t>(deadline - now, unit::kWaitTickMs));
            uint8_t chunk[kRingMask];
            const size_t room = std::min(ringFree(), sizeof chunk);
            const long got = port_->read(std::span<uint8_t>(chunk, room), slice);
            if (got < 0) {
                giveUpLink(LinkFailure::LineLost);
                return false;
            }
            if (got > 0) receive(chunk, static_cast<size_t>(got));
            if (waitHook_) waitHook_();
        }
    }
    ++answerBytes_;
    byte = ring_[readIndex_];
    readIndex_ = static_cast<uint16_t>((readIndex_ + 1) & kRingMask);
    inputChecksum_ = static_cast<uint8_t>(inputChecksum_ + byte);
    return true;
}

bool CommandProtocol::readHexByte(uint8_t& value) {
    uint8_t high = 0;
    uint8_t low = 0;
    if (!readByte(high) || !readByte(low)) return false;
    value = static_cast<uint8_t>(hexDigitValue(high) * 16 + hexDigitValue(low));
    return true;
}

bool CommandProtocol::readLength(uint16_t& value) {
    uint8_t high = 0;
    uint8_t low = 0;
    if (!readByte(high) || !readByte(low)) return false;
    value = static_cast<uint16_t>(high * 256 + low);
    return true;
}

uint8_t CommandProtocol::discardAnswer(size_t count) {
    uint8_t ignored = 0;
    for (size_t i = 0; i < count; ++i) {
        if (!readByte(ignored)) return ResultCode::TimeOut;
    }
    failure_ = LinkFailure::AnswerTooLong;
    return ResultCode::TimeOut;
}

uint8_t CommandProtocol::readAnswer(uint8_t command, int answerBudgetMs) {
    answerBytes_ = 0;
    const uint8_t code = readAnswerFrame(command, answerBudgetMs);
    // Silence after bytes that made no whole answer: the unit is there but talks nonsense.
    if (code == ResultCode::TimeOut && failure_ == LinkFailure::Silence && answerBytes_ > 0) {
        failure_ = LinkFailure::Garbled;
    }
    return code;
}

uint8_t CommandProtocol::readAnswerFrame(uint8_t command, int answerBudgetMs) {
    payloadLength_ = 0;
    if (portOpen()) failure_ = LinkFailure::None;
    startAnswerDeadline(answerBudgetMs);
    uint8_t byte = 0;
    do {
        if (!readByte(byte)) return ResultCode::TimeOut;
    } while (byte != frames::kStar);
    inputChecksum_ = frames::kStar;

    uint8_t fieldA = 0;
    uint8_t fieldB = 0;
    uint8_t fieldC = 0;
    uint16_t length = 0;
    if (!readHexByte(fieldA) || !readHexByte(fieldB) || !readHexByte(fieldC) || !readLength(length)) {
        return ResultCode::TimeOut;
    }
    if (length > kMaxPayload) {
        // It cannot be stored: take the rest of this answer off the line and report it unusable.
        return discardAnswer(static_cast<size_t>(length) + 4);
    }
    for (uint16_t i = 0; i < length; ++i) {
        if (!readByte(payload_[i])) return ResultCode::TimeOut;
    }
    payloadLength_ = length;
    const uint8_t computed = inputChecksum_;
    uint8_t checksum = 0;
    uint8_t cr = 0;
    uint8_t lf = 0;
    if (!readHexByte(checksum) || !readByte(cr) || !readByte(lf)) return ResultCode::TimeOut;

    if (checksum != computed) return ResultCode::BadChecksum;
    if (cr != frames::kCr) return ResultCode::NoCarriageReturn;
    if (lf != frames::kLf) return ResultCode::NoLineFeed;
    if (fieldA != command || fieldB != frames::kMasterAddress) return ResultCode::WrongCommand;
    if (fieldC != kParameter) return ResultCode::WrongParameter;
    // An empty answer carries no result: it is a failure, never the code of an earlier answer.
    if (length == 0) return ResultCode::TimeOut;
    if (length >= 2) return ResultCode::Ack;
    return payload_[0];
}

uint8_t CommandProtocol::exchange(uint8_t command, std::span<const uint8_t> payload) {
    // The resend after a 21 repeats the first frame exactly.
    const std::vector<uint8_t> frame = frames::commandFrame(command, kParameter, payload.first(std::min<size_t>(payload.size(), kMaxPayload)));
    sendFrame(frame);
    const uint8_t code = readAnswer(command);
    if (code != ResultCode::Nak) return code;
    sendFrame(frame);
    return readAnswer(command);
}

void CommandProtocol::sendCommand(uint8_t command, std::span<const uint8_t> payload) {
    sendFrame(frames::commandFrame(command, kParameter, payload.first(std::min<size_t>(payload.size(), kMaxPayload))));
}

bool CommandProtocol::sendFrame(std::span<const uint8_t> frame) {
    if (!portOpen()) {
        // Nothing can be sent: say so and drop the frame.
        events_.status(LinkStatus::NotConnected);
        failure_ = LinkFailure::PortClosed;
        return false;
    }
    const bool written = port_->write(frame);
    bytesSent_ += frame.size();
    if (!written) giveUpLink(LinkFailure::LineLost);
    return written;
}

}  // namespace mmx
