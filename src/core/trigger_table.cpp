#include "core/trigger_table.h"

#include <cmath>

#include "core/number_format.h"

namespace mmx {

std::string choiceText(int message) { return message > 0 ? " " + std::to_string(message) : " "; }

int SequenceEntry::message() const {
    const double value = numberValue(text);
    if (value < 1 || value > 1e9) return 0;
    return static_cast<int>(std::floor(value));
}

TriggerTable::TriggerTable() { clear(); }

void TriggerTable::clear() {
    for (int i = 1; i <= kEntryCount; ++i) {
        entry(i) = SequenceEntry{};
        entry(i).enabled = (i - 1) % kEntriesPerTrigger == 0;
    }
    zones_.fill(0);
    times_.fill("0.00");
    playEnabled_.fill(false);
    choices_.clear();
}

void TriggerTable::rebuildLists(int n) {
    if (n < 0) n = 0;
    if (n > kSlotCount) n = kSlotCount;
    choices_.clear();
    for (int m = 0; m <= n; ++m) choices_.push_back(choiceText(m));
}

void TriggerTable::recompute(const MessageTable& messages) {
    const auto secondsOf = [&messages](int message) {
        if (message < 1 || message > kSlotCount) return 0.0;
        return numberValue(messages.slot(message).MsgTime);
    };
    for (int row = 1; row <= kTriggerCount; ++row) {
        const int first = entryIndex(row, 1);
        double seconds = 0;
        for (int j = 0; j < 3; ++j) {
            SequenceEntry& current = entry(first + j);
            SequenceEntry& next = entry(first + j + 1);
            if (current.enabled && current.message() > 0) {
                next.enabled = true;
                playEnabled(row) = true;
            } else {
                next.text = " ";
                next.enabled = false;
                if (entry(first).message() == 0) playEnabled(row) = false;
            }
            if (current.message() > 0) {
                seconds += secondsOf(current.message());
                // The fourth entry counts only behind a third one that holds a message.
                if (j == 2 && next.message() > 0) seconds += secondsOf(next.message());
            }
        }
        time(row) = formatSeconds(seconds);
    }
}

uint8_t TriggerTable::zoneMask(int row) const {
    uint8_t mask = 0;
    for (int z = 1; z <= kZonesPerTrigger; ++z) {
        if (zone(zoneIndex(row, z)) == 1) mask = static_cast<uint8_t>(mask | (1u << (z - 1)));
    }
    return mask;
}

std::vector<std::string> sequencePlan(const TriggerTable& triggers, const MessageTable& messages, int row) {
    std::vector<std::string> files;
    for (int position = 1; position <= kEntriesPerTrigger; ++position) {
        const int message = triggers.entry(entryIndex(row, position)).message();
        if (message == 0) continue;
        if (message > kSlotCount) break;
        const MessageSlot& slot = messages.slot(message);
        if (!slot.filled() || slot.FilePath.empty()) break;
        files.push_back(slot.FilePath);
    }
    return files;
}

}  // namespace mmx
