#include "core/upload_time.h"

#include <algorithm>

#include "core/unit_facts.h"

namespace mmx {

namespace {

// Frame sizes: "*", three hex fields, a two-byte length, the payload, two checksum characters,
// CR LF for a command or an answer; "*", the length, the payload, checksum and CR LF for a
// data frame, whose payload begins with a three-byte address.
constexpr uint64_t commandBytes(uint64_t payload) { return 13 + payload; }
constexpr uint64_t dataFrameBytes(uint64_t payload) { return 7 + (payload == 0 ? 0 : 3 + payload); }
constexpr uint64_t kAcknowledgement = commandBytes(1);              // the answer 6 or 21
constexpr uint64_t kPlainCommand = commandBytes(0) + kAcknowledgement;  // P, W, L
constexpr uint64_t kTableRead = commandBytes(3) + commandBytes(unit::kTableBytes);
constexpr uint64_t kErase = commandBytes(3) + kAcknowledgement + 1;  // and the final raw 6
constexpr uint64_t kBlock = dataFrameBytes(unit::kBlockBytes) + kAcknowledgement;
constexpr uint64_t kTable = dataFrameBytes(unit::kTableBytes) + kAcknowledgement;
constexpr uint64_t kClosing = dataFrameBytes(0) + kAcknowledgement;
constexpr uint64_t kTables = kPlainCommand + 2 * kTable + kClosing;  // W, both tables, closing frame

static_assert(kBlock == 374, "a block and its answer");

}  // namespace

int lineBitsPerByte(const LineSettings& line) { return 1 + line.dataBits + (line.parity == 'N' ? 0 : 1) + line.stopBits; }

double lineSeconds(const LineSettings& line, uint64_t bytes) {
    return static_cast<double>(bytes) * lineBitsPerByte(line) / std::max(line.baud, 1u);
}

double fullUploadSeconds(const LineSettings& line, uint64_t blocks, int messages, bool readsTableFirst) {
    const uint64_t perMessage = kPlainCommand + kClosing;
    const uint64_t bytes = (readsTableFirst ? kTableRead : 0) + kPlainCommand + 2 * kErase +
                           static_cast<uint64_t>(std::max(messages, 0)) * perMessage + blocks * kBlock + kTables +
                           kPlainCommand;
    return lineSeconds(line, bytes);
}

double tablesUploadSeconds(const LineSettings& line) {
    return lineSeconds(line, kTableRead + kPlainCommand + kErase + kTables + kPlainCommand);
}

}  // namespace mmx

namespace mmx {

int64_t aboutSeconds(double seconds) {
    if (seconds < 59.5) return std::max<int64_t>(1, static_cast<int64_t>(seconds + 0.999));
    return static_cast<int64_t>((seconds + 5.0) / 10.0) * 10;
}

}  // namespace mmx
