#include "device/erase.h"

namespace mmx {

namespace {
constexpr uint8_t kEraseCommand = 'E';
constexpr uint8_t kProgressDot = '.';
}  // namespace

void EraseBlock(CommandProtocol& protocol, uint32_t address, int64_t timeOutMs) {
    protocol.setAddressPayload(address);
    protocol.Status = 0;
    if (!protocol.CommandDo(kEraseCommand, CommandProtocol::kParameter)) {
        protocol.report(LinkStatus::EraseFailed);
        return;
    }
    protocol.Status = 0;
    // Each "." restarts the per-byte time-out, so a long erase keeps the line alive; the
    // overall deadline ends a line that sends dots for ever.
    protocol.startAnswerDeadline(timeOutMs);
    bool gotByte = false;
    while ((gotByte = protocol.RS232Read())) {
        if (protocol.Rs232DataByte != kProgressDot) break;
        protocol.report(LinkStatus::Erasing);
    }
    if (gotByte && protocol.Rs232DataByte == ResultCode::Ack) {
        protocol.Status = ResultCode::Ack;
        protocol.report(LinkStatus::EraseSucceeded);
        return;
    }
    protocol.report(LinkStatus::EraseFailed);
}

}  // namespace mmx
