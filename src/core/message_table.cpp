#include "core/message_table.h"

#include <limits>

#include "core/number_format.h"

namespace mmx {

int32_t storedLength(uint64_t fileLength) { return static_cast<int32_t>(unit::storedLength(fileLength)); }

MessageTable::MessageTable() { clear(); }

void MessageTable::clear() {
    for (auto& s : slots_) s = MessageSlot{};
    slots_[0].BrowseEnabled = true;
    TFileLength = 0;
    TotalTime = "0.00";
    TotalSize = "0";
}

void MessageTable::recomputeTotals() {
    // Every filled slot counts towards the stored total, also one under 1000 bytes whose size
    // shows "0": the total is what guards the unit's memory, so nothing may slip past it.
    int64_t length = 0;
    double seconds = 0;
    int64_t kilobytes = 0;
    for (const auto& s : slots_) {
        if (!s.filled() && numberValue(s.MsgSize) == 0) continue;
        seconds += numberValue(s.MsgTime);
        kilobytes += wholeNumberValue(s.MsgSize);
        length += s.TMsgSize;
    }
    TFileLength = length > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                                 : static_cast<int32_t>(length);
    TotalTime = formatSeconds(seconds);
    TotalSize = std::to_string(kilobytes);
}

int MessageTable::filledCount() const {
    int count = 0;
    while (count < kSlotCount && slots_[static_cast<size_t>(count)].filled()) ++count;
    return count;
}

}  // namespace mmx
