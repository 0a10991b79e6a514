#pragma once
// The erase dialogue: command E for a unit word address, then the unit's "." progress bytes
// and its final raw acknowledgement.
#include <cstdint>

#include "device/command_protocol.h"

namespace mmx {

// Leaves the result in protocol.Status (6: the unit reported the erase done) and shows
// "Erasing data..." per progress byte, then the result, in the first status panel.
void EraseBlock(CommandProtocol& protocol, uint32_t address);

}  // namespace mmx
