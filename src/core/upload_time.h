#pragma once
// How long an upload keeps the line busy: every frame the tool sends and every answer the unit
// gives, at the line's rate. The unit's own work (an erase) and the turnaround of a port are
// not known here and not counted; at 115200 8N2 a block and its answer take 35.7 ms, which is
// what a full upload of n blocks costs at the least.
#include <cstdint>

#include "core/line_settings.h"

namespace mmx {

// Bits one byte takes on the line: start bit, data bits, parity bit (unless N), stop bits.
int lineBitsPerByte(const LineSettings& line);
// Seconds `bytes` bytes take on the line.
double lineSeconds(const LineSettings& line, uint64_t bytes);

// Line time of a full upload of `blocks` blocks in `messages` messages: the table read first
// (when the set-up's messages went to a unit before), start, two erases, each message's series,
// the tables and the end.
double fullUploadSeconds(const LineSettings& line, uint64_t blocks, int messages, bool readsTableFirst = true);
// Line time of an upload that rewrites the two tables only (the table read, start, the erase of
// the table sector, the tables and the end).
double tablesUploadSeconds(const LineSettings& line);

}  // namespace mmx

namespace mmx {

// A line time as an operator is told it, "about ...": whole seconds (at least 1) below a minute,
// else to the nearest ten seconds.
int64_t aboutSeconds(double seconds);

}  // namespace mmx
