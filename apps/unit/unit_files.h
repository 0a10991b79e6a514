#pragma once
// The unit program's files: the memory and tables it dumps after each upload, and a memory
// image it can start from. The emulator itself does no file I/O.
#include <cstdint>
#include <string>
#include <vector>

#include "device/unit_emulator.h"

namespace mmx::unitapp {

// Writes DIR/image.bin (0x400000 words, high byte first), DIR/message-table.txt,
// DIR/trigger-table.txt, DIR/check.txt and DIR/message-NN.bin per message; each file is
// replaced whole. False with a reason on the first failure.
bool dumpUnit(const UnitEmulator& unit, const std::string& folder, std::string& error);

// Reads a whole-memory image as dumpUnit writes it (8,388,608 bytes). False with a reason when
// the file cannot be read or has any other size.
bool readImageFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

}  // namespace mmx::unitapp
