#pragma once
// The erase dialogue: command E for a unit word address, then the unit's "." progress bytes
// and its final raw acknowledgement.
#include <cstdint>

#include "device/command_protocol.h"

namespace mmx {

// However often the unit sends its progress dots, an erase that has not ended after this long
// is given up (erasing the whole memory takes well under a minute).
inline constexpr int64_t kEraseTimeOutMs = 10 * 60 * 1000;

// Leaves the result in protocol.Status (6: the unit reported the erase done) and reports
// Erasing per progress byte, then the result.
void EraseBlock(CommandProtocol& protocol, uint32_t address, int64_t timeOutMs = kEraseTimeOutMs);

}  // namespace mmx
