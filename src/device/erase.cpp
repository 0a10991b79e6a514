#include "device/erase.h"

#include "core/ui_text_table.h"

namespace mmx {

namespace {
constexpr uint8_t kEraseCommand = 'E';
constexpr uint8_t kProgressDot = '.';
}  // namespace

void EraseBlock(CommandProtocol& protocol, uint32_t address) {
    protocol.setAddressPayload(address);
    protocol.Status = 0;
    if (!protocol.CommandDo(kEraseCommand, CommandProtocol::kParameter)) {
        protocol.showStatusMessage(UiTextTable::EraseFailed);
        return;
    }
    protocol.Status = 0;
    // Each "." restarts the per-byte time-out, so a long erase keeps the line alive.
    bool gotByte = false;
    while ((gotByte = protocol.RS232Read())) {
        if (protocol.Rs232DataByte != kProgressDot) break;
        protocol.showStatusMessage(UiTextTable::Erasing);
    }
    if (gotByte && protocol.Rs232DataByte == ResultCode::Ack) {
        protocol.Status = ResultCode::Ack;
        protocol.showStatusMessage(UiTextTable::EraseSucceeded);
        return;
    }
    protocol.showStatusMessage(UiTextTable::EraseFailed);
}

}  // namespace mmx
