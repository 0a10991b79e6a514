#include "device/command_protocol.h"

#include <algorithm>
#include <cmath>

#include "device/frames.h"

namespace mmx {

namespace {

constexpr uint8_t kStar = frames::kStar;
constexpr uint8_t kCr = frames::kCr;
constexpr uint8_t kLf = frames::kLf;

}  // namespace

CommandProtocol::CommandProtocol(Clock& clock, LinkEvents& events) : clock_(clock), events_(events) {}

void CommandProtocol::setCommTimeOut(int milliseconds) {
    commTimeOut_ = std::clamp(milliseconds, kMinCommTimeOut, kMaxCommTimeOut);
}

int CommandProtocol::ticksFor(int commTimeOutMs) {
    int clamped = std::clamp(commTimeOutMs, kMinCommTimeOut, kMaxCommTimeOut);
    return static_cast<int>(std::nearbyint(clamped / 100.0));  // default rounding: halves to even
}

void CommandProtocol::resetBuffers() {
    DataInPoint = 0;
    DataOutPoint = 0;
    overrun_ = false;
    failure_ = Failure::None;
    answerDeadlineMs_ = INT64_MAX;
}

void CommandProtocol::clearReceiveRing() {
    DataInPoint = 0;
    DataOutPoint = 0;
    overrun_ = false;
}

size_t CommandProtocol::ringFree() const {
    // One position always stays empty, otherwise a full ring would look empty.
    size_t used = static_cast<size_t>((DataInPoint - DataOutPoint) & kRingMask);
    return kRingMask - used;
}

bool CommandProtocol::receive(const uint8_t* bytes, size_t count) {
    if (count > ringFree()) {
        overrun_ = true;
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        RxBuffer[DataInPoint] = bytes[i];
        DataInPoint = static_cast<uint16_t>((DataInPoint + 1) & kRingMask);
    }
    return true;
}

uint8_t CommandProtocol::CTN(uint8_t characterCode) {
    if (characterCode >= '0' && characterCode <= '9') return static_cast<uint8_t>(characterCode - '0');
    if (characterCode >= 'A' && characterCode <= 'F') return static_cast<uint8_t>(characterCode - 'A' + 10);
    return 0;
}

void CommandProtocol::giveUpLink(Failure why) {
    failure_ = why;
    TimeOut = true;
    if (linkLost_) {
        linkLost_();
    } else if (port_ != nullptr) {
        port_->close();
    }
}

bool CommandProtocol::RS232Read() {
    ReadTicksLeft = ticksFor(commTimeOut_);
    TimeOut = false;
    if (overrun_) {
        // Bytes were refused by the ring: whatever is read now would be a frame with a hole.
        failure_ = Failure::RingOverrun;
        clearReceiveRing();
        return false;
    }
    if (ringEmpty()) {
        const int64_t start = clock_.nowMs();
        const int64_t deadline = std::min(start + byteTimeOutMs(), answerDeadlineMs_);
        while (ringEmpty()) {
            if (cancelled()) {
                // The caller ends the exchange and closes the port itself, after telling the
                // unit what it must know (an upload still sends its closing frame).
                failure_ = Failure::Cancelled;
                TimeOut = true;
                return false;
            }
            if (!portOpen()) {
                // Keep the reason the port went (a lost line) rather than its consequence.
                if (failure_ == Failure::None) failure_ = Failure::PortClosed;
                TimeOut = true;
                return false;
            }
            const int64_t now = clock_.nowMs();
            if (now >= deadline) {
                ReadTicksLeft = 0;
                giveUpLink(now >= answerDeadlineMs_ ? Failure::AnswerTooSlow : Failure::Silence);
                return false;
            }
            // Wait in slices of one tick so that a cancel is seen within 100 ms.
            int slice = static_cast<int>(std::min<int64_t>(deadline - now, kTickMs));
            uint8_t chunk[kRingMask];
            size_t room = std::min(ringFree(), sizeof chunk);
            long got = port_->read(std::span<uint8_t>(chunk, room), slice);
            if (got < 0) {
                giveUpLink(Failure::LineLost);
                return false;
            }
            if (got > 0) receive(chunk, static_cast<size_t>(got));
            if (waitHook_) waitHook_();
            ReadTicksLeft = std::max(0, ticksFor(commTimeOut_) - static_cast<int>((clock_.nowMs() - start) / kTickMs));
        }
    }
    Rs232DataByte = RxBuffer[DataOutPoint];
    DataOutPoint = static_cast<uint16_t>((DataOutPoint + 1) & kRingMask);
    InputCheckSum = static_cast<uint8_t>(InputCheckSum + Rs232DataByte);
    return true;
}

bool CommandProtocol::RS232ReadHex() {
    if (!RS232Read()) return false;
    uint8_t high = CTN(Rs232DataByte);
    if (!RS232Read()) return false;
    Rs232DataByte = static_cast<uint8_t>(high * 16 + CTN(Rs232DataByte));
    return true;
}

bool CommandProtocol::RS232ReadInt() {
    if (!RS232Read()) return false;
    uint16_t high = Rs232DataByte;
    if (!RS232Read()) return false;
    Rs232DataInt = static_cast<uint16_t>(high * 256 + Rs232DataByte);
    return true;
}

uint8_t CommandProtocol::discardAnswer(size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (!RS232Read()) return ResultCode::TimeOut;
    }
    failure_ = Failure::AnswerTooLong;
    return ResultCode::TimeOut;
}

uint8_t CommandProtocol::CommandRead(uint8_t command, uint8_t parameter, int answerBudgetMs) {
    Rs232DataByte = 0;
    if (portOpen()) failure_ = Failure::None;
    startAnswerDeadline(answerBudgetMs);
    do {
        if (!RS232Read()) return ResultCode::TimeOut;
    } while (Rs232DataByte != kStar);
    InputCheckSum = kStar;

    if (!RS232ReadHex()) return ResultCode::TimeOut;
    const uint8_t fieldA = Rs232DataByte;
    if (!RS232ReadHex()) return ResultCode::TimeOut;
    const uint8_t fieldB = Rs232DataByte;
    if (!RS232ReadHex()) return ResultCode::TimeOut;
    const uint8_t fieldC = Rs232DataByte;
    if (!RS232ReadInt()) return ResultCode::TimeOut;
    const uint16_t length = Rs232DataInt;
    if (length > kMaxPayload) {
        // Data cannot hold it: take the rest of this answer off the line and report it unusable.
        DataLength = 0;
        return discardAnswer(static_cast<size_t>(length) + 4);
    }
    DataLength = length;
    for (uint16_t i = 1; i <= length; ++i) {
        if (!RS232Read()) return ResultCode::TimeOut;
        Data[i] = Rs232DataByte;
    }
    const uint8_t computed = InputCheckSum;
    if (!RS232ReadHex()) return ResultCode::TimeOut;
    const uint8_t checksum = Rs232DataByte;
    if (!RS232Read()) return ResultCode::TimeOut;
    const uint8_t x = Rs232DataByte;
    if (!RS232Read()) return ResultCode::TimeOut;
    const uint8_t y = Rs232DataByte;

    if (checksum != computed) return ResultCode::BadChecksum;
    if (x != kCr) return ResultCode::NoCarriageReturn;
    if (y != kLf) return ResultCode::NoLineFeed;
    if (fieldA != command || fieldB != kMasterAddress) return ResultCode::WrongCommand;
    if (fieldC != parameter) return ResultCode::WrongParameter;
    // An empty answer carries no result: it is a failure, never the code of an earlier answer
    // still standing in Data.
    if (length == 0) return ResultCode::TimeOut;
    if (length >= 2) return ResultCode::Ack;
    return Data[1];
}

bool CommandProtocol::CommandDo(uint8_t command, uint8_t parameter) {
    // Keep the frame: the answer overwrites Data and DataLength, and a resend must repeat the
    // first frame exactly.
    const uint16_t length = std::min(DataLength, kMaxPayload);
    std::array<uint8_t, kArraySize> payload;
    std::copy_n(Data.begin(), length + 1, payload.begin());

    CommandWrite(command, parameter);
    Status = CommandRead(command, parameter);
    if (Status == ResultCode::Ack) return true;
    if (Status != ResultCode::Nak) return false;

    std::copy_n(payload.begin(), length + 1, Data.begin());
    DataLength = length;
    CommandWrite(command, parameter);
    Status = CommandRead(command, parameter);
    return Status == ResultCode::Ack;
}

void CommandProtocol::CommandWrite(uint8_t command, uint8_t parameter) {
    // A payload longer than Data can hold is cut to what Data holds, so the length field
    // always matches the bytes sent.
    const uint16_t length = std::min(DataLength, kMaxPayload);
    sendFrame(frames::commandFrame(command, parameter, std::span<const uint8_t>(Data.data() + 1, length)));
    DataLength = 0;
}

bool CommandProtocol::sendFrame(std::span<const uint8_t> frame) {
    if (!portOpen()) {
        // Nothing can be sent: say so and drop the frame.
        events_.status(LinkStatus::NotConnected);
        failure_ = Failure::PortClosed;
        return false;
    }
    const bool written = port_->write(frame);
    bytesSent_ += frame.size();
    if (!written) giveUpLink(Failure::LineLost);
    return written;
}

void CommandProtocol::setAddressPayload(uint32_t address) {
    Data[1] = static_cast<uint8_t>((address >> 16) & 0xFF);
    Data[2] = static_cast<uint8_t>((address >> 8) & 0xFF);
    Data[3] = static_cast<uint8_t>(address & 0xFF);
    DataLength = 3;
}

std::string CommandProtocol::failureText() const {
    switch (failure_) {
        case Failure::None: return "";
        case Failure::Silence: {
            int ms = byteTimeOutMs();
            return "the unit did not answer within " + std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100) + " s";
        }
        case Failure::LineLost: return "the serial line was lost (adapter unplugged or the other end closed)";
        case Failure::Cancelled: return "interrupted";
        case Failure::RingOverrun: return "received bytes overran the receive buffer; the answer was discarded";
        case Failure::AnswerTooLong: return "the unit announced an answer longer than 1200 bytes; it was discarded";
        case Failure::PortClosed: return "the port is not open";
        case Failure::AnswerTooSlow: {
            const int ms = answerTimeOutMs();
            return "the unit sent bytes but no whole answer within " + std::to_string(ms / 1000) + "." +
                   std::to_string(ms % 1000 / 100) + " s";
        }
    }
    return "";
}

}  // namespace mmx
