#include "device/unit_session.h"

#include <array>

#include "device/frames.h"

namespace mmx {

namespace {

constexpr uint8_t kWriteCommand = 'W';
constexpr uint8_t kProgressDot = '.';
// After a refused or damaged reply the rest of that answer (or a second answer the unit made
// of a garbled frame) may still be on its way; a frame goes out again only once the line has
// been quiet this long, so a stale answer is never taken for the answer to the resend.
constexpr int kDrainQuietMs = 50;
constexpr int kDrainLimitMs = 2000;

std::array<uint8_t, 3> addressBytes(uint32_t address) {
    return {static_cast<uint8_t>((address >> 16) & 0xFF), static_cast<uint8_t>((address >> 8) & 0xFF),
            static_cast<uint8_t>(address & 0xFF)};
}

}  // namespace

UnitAnswer UnitAnswer::from(uint8_t code, LinkFailure cause) {
    UnitAnswer answer;
    answer.code = code;
    if (code == ResultCode::Ack) {
        answer.kind = AnswerKind::Acknowledged;
    } else if (code >= ResultCode::BadChecksum && code <= ResultCode::WrongParameter) {
        answer.kind = AnswerKind::Damaged;
    } else if (code != ResultCode::TimeOut) {
        answer.kind = AnswerKind::Refused;
    } else {
        // Code 0 after a complete but empty answer, or after bytes that could not be kept, is
        // an answer all the same: only silence, a lost line, a closed port and a cancel are none.
        answer.cause = cause;
        const bool unusable = cause == LinkFailure::None || cause == LinkFailure::RingOverrun ||
                              cause == LinkFailure::AnswerTooLong || cause == LinkFailure::Garbled;
        answer.kind = unusable ? AnswerKind::Damaged : AnswerKind::NoAnswer;
    }
    return answer;
}

UnitAnswer UnitSession::cancelledAnswer() const {
    protocol_.cancel();
    return UnitAnswer::from(ResultCode::TimeOut, LinkFailure::Cancelled);
}

void UnitSession::requestCancel() {
    cancelled_.store(true);
    protocol_.cancel();
}

void UnitSession::clearCancel() {
    cancelled_.store(false);
    protocol_.clearCancel();
}

UnitAnswer UnitSession::command(uint8_t letter, std::span<const uint8_t> payload) {
    if (cancelRequested()) return cancelledAnswer();  // nothing goes out
    const uint8_t code = protocol_.exchange(letter, payload);
    answered();
    return UnitAnswer::from(code, protocol_.lastFailure());
}

UnitAnswer UnitSession::erase(uint32_t address, int64_t timeOutMs) {
    const UnitAnswer accepted = command('E', addressBytes(address));
    if (!accepted.acknowledged()) {
        protocol_.report(LinkStatus::EraseFailed);
        return accepted;
    }
    // Each "." restarts the per-byte time-out, so a long erase keeps the line alive; the
    // overall deadline ends a line that sends dots for ever.
    protocol_.startAnswerDeadline(timeOutMs);
    uint8_t byte = 0;
    bool gotByte = false;
    while ((gotByte = protocol_.readByte(byte))) {
        if (byte != kProgressDot) break;
        protocol_.report(LinkStatus::Erasing);
        answered();
    }
    answered();
    if (gotByte && byte == ResultCode::Ack) {
        protocol_.report(LinkStatus::EraseSucceeded);
        return accepted;
    }
    protocol_.report(LinkStatus::EraseFailed);
    if (!gotByte) return UnitAnswer::from(ResultCode::TimeOut, protocol_.lastFailure());
    // The progress ended with another byte: the unit answered, but not that it is done.
    return UnitAnswer::from(ResultCode::TimeOut, LinkFailure::None);
}

UnitAnswer UnitSession::beginSeries() {
    if (cancelRequested()) return cancelledAnswer();
    const UnitAnswer answer = command(kWriteCommand);
    // Once the "W" went out the unit may be taking data frames, unless it plainly refused it
    // (a cancel or a lost answer leaves that open).
    dataMode_ = answer.acknowledged() || answer.code != ResultCode::Nak;
    return answer;
}

UnitAnswer UnitSession::dataAnswer() {
    const uint8_t code = protocol_.readAnswer(kWriteCommand);
    answered();
    return UnitAnswer::from(code, protocol_.lastFailure());
}

void UnitSession::drainLine() {
    protocol_.clearReceiveRing();
    BytePort* port = protocol_.port();
    if (port == nullptr || !port->isOpen()) return;
    const int64_t start = protocol_.clock().nowMs();
    uint8_t scratch[256];
    while (!cancelRequested() && protocol_.clock().nowMs() - start < kDrainLimitMs) {
        if (port->read(std::span<uint8_t>(scratch, sizeof scratch), kDrainQuietMs) <= 0) break;
    }
}

UnitAnswer UnitSession::writeBlock(uint32_t address, std::span<const uint8_t> payload) {
    const std::vector<uint8_t> frame = frames::dataFrame(address, payload);
    UnitAnswer answer;
    for (int tries = unit::kFrameTries; tries > 0; --tries) {
        if (cancelRequested()) return cancelledAnswer();
        if (tries < unit::kFrameTries) {
            ++frameResends_;
            drainLine();
        }
        protocol_.sendFrame(frame);
        answer = dataAnswer();
        if (!answer.resendable()) return answer;
    }
    return answer;
}

UnitAnswer UnitSession::closeSeries() {
    // A 21 asks for the same frame again; anything else is the answer.
    UnitAnswer answer;
    for (int tries = unit::kFrameTries; tries > 0; --tries) {
        if (tries < unit::kFrameTries) {
            ++frameResends_;
            drainLine();
        }
        protocol_.sendFrame(frames::closingFrame());
        answer = dataAnswer();
        if (answer.code != ResultCode::Nak) break;
    }
    if (answer.acknowledged()) dataMode_ = false;
    return answer;
}

UnitAnswer UnitSession::writeTables(const image::TableBytes& messageTable, const image::TableBytes& triggerTable) {
    UnitAnswer answer = beginSeries();
    if (!answer.acknowledged()) return answer;
    answer = writeBlock(image::kMessageTableAddress, messageTable);
    if (!answer.acknowledged()) return answer;
    answer = writeBlock(image::kTriggerTableAddress, triggerTable);
    if (!answer.acknowledged()) return answer;
    return closeSeries();
}

void UnitSession::leaveDataMode() {
    if (!dataMode_ || !protocol_.portOpen()) return;
    dataMode_ = false;
    // The closing frame goes out even after a cancel; the request itself stands.
    protocol_.clearCancel();
    drainLine();
    protocol_.sendFrame(frames::closingFrame());
    protocol_.readAnswer(kWriteCommand, unit::kClosingGraceMs);
}

TableAnswer UnitSession::readMessageTable() {
    TableAnswer result;
    protocol_.clearReceiveRing();
    if (cancelRequested()) {
        result.answer = cancelledAnswer();
        return result;
    }
    // One frame, no resend: a refused read is simply no table.
    protocol_.sendCommand('R', addressBytes(image::kMessageTableAddress));
    const uint8_t code = protocol_.readAnswer('R');
    result.answer = UnitAnswer::from(code, protocol_.lastFailure());
    answered();
    const std::span<const uint8_t> payload = protocol_.answerPayload();
    result.payloadBytes = result.answer.acknowledged() ? payload.size() : 0;
    // A data answer shorter than the table is no table.
    if (result.answer.acknowledged() && payload.size() >= image::kTableBytes) {
        image::TableBytes table{};
        std::copy_n(payload.begin(), image::kTableBytes, table.begin());
        result.table = table;
    }
    return result;
}

}  // namespace mmx
