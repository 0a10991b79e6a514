#include "app/upload_estimate.h"

#include <cmath>

#include "core/unit_facts.h"

namespace mmx {

namespace {

// Around each block of 350 bytes the frame adds its start, command, address, checksum and line
// end, and the unit answers with an acknowledgement frame.
constexpr double kFrameBytesPerBlock = 12 + 8;
// Opening the port, the start and end commands, reading the unit's table back and writing the
// two tables of 256 bytes each: the part every upload has.
constexpr double kTablesSeconds = 2.0;
constexpr double kTablesBytes = 3 * 256 + 3 * kFrameBytesPerBlock;

}  // namespace

UploadEstimate estimateUpload(int64_t messageBytes, bool messagesOnUnit, const LineSettings& line) {
    const int bitsPerCharacter = 1 + line.dataBits + (line.parity == 'N' ? 0 : 1) + line.stopBits;
    const double charactersPerSecond = static_cast<double>(line.baud) / bitsPerCharacter;
    double characters = kTablesBytes;
    UploadEstimate estimate;
    estimate.full = !messagesOnUnit;
    if (estimate.full) {
        const double blocks = std::ceil(static_cast<double>(messageBytes) / unit::kBlockBytes);
        characters += blocks * (unit::kBlockBytes + kFrameBytesPerBlock);
    }
    estimate.seconds = static_cast<int>(std::ceil(kTablesSeconds + characters / charactersPerSecond));
    return estimate;
}

}  // namespace mmx
