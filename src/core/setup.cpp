#include "core/setup.h"

namespace mmx {

int Trigger::length() const {
    int count = 0;
    while (count < unit::kEntriesPerTrigger && sequence[static_cast<size_t>(count)] != 0) ++count;
    return count;
}

int64_t storedLength(const Slot& slot) { return slot.filled() ? unit::storedLength(slot.wave.fileLength) : 0; }

int64_t playHundredths(const Slot& slot) { return slot.filled() ? playHundredths(slot.wave) : 0; }

int64_t sizeKilobytes(const Slot& slot) { return storedLength(slot) / 1000; }

int filledCount(const Setup& setup) {
    int count = 0;
    while (count < unit::kSlots && setup.slots[static_cast<size_t>(count)].filled()) ++count;
    return count;
}

int64_t totalStoredLength(const Setup& setup) {
    int64_t total = 0;
    for (const Slot& slot : setup.slots) total += storedLength(slot);
    return total;
}

int64_t totalPlayHundredths(const Setup& setup) {
    int64_t total = 0;
    for (const Slot& slot : setup.slots) total += playHundredths(slot);
    return total;
}

int64_t totalKilobytes(const Setup& setup) {
    int64_t total = 0;
    for (const Slot& slot : setup.slots) total += sizeKilobytes(slot);
    return total;
}

int64_t freeBytes(const Setup& setup) { return unit::kCapacityBytes - totalStoredLength(setup); }

int64_t triggerPlayHundredths(const Setup& setup, int t) {
    const Trigger& trigger = setup.trigger(t);
    int64_t total = 0;
    for (int position = 0; position < trigger.length(); ++position) {
        const int k = trigger.sequence[static_cast<size_t>(position)];
        if (k <= unit::kSlots) total += playHundredths(setup.slot(k));
    }
    return total;
}

std::vector<std::string> previewPlan(const Setup& setup, int t) {
    const Trigger& trigger = setup.trigger(t);
    std::vector<std::string> files;
    for (int position = 0; position < trigger.length(); ++position) {
        const int k = trigger.sequence[static_cast<size_t>(position)];
        if (k > unit::kSlots) break;
        const Slot& slot = setup.slot(k);
        if (!slot.filled() || slot.path.empty()) break;
        files.push_back(slot.path);
    }
    return files;
}

EntryNamingEmptySlot firstEntryNamingEmptySlot(const Setup& setup) {
    for (int t = 1; t <= unit::kTriggers; ++t) {
        const Trigger& trigger = setup.trigger(t);
        for (int position = 0; position < trigger.length(); ++position) {
            const int k = trigger.sequence[static_cast<size_t>(position)];
            if (k >= 1 && k <= unit::kSlots && !setup.slot(k).filled()) return {t, k};
        }
    }
    return {};
}

}  // namespace mmx
