#include "app/setup_edits.h"

namespace mmx::app {

namespace {

bool isSlot(int k) { return k >= 1 && k <= unit::kSlots; }
bool isTrigger(int t) { return t >= 1 && t <= unit::kTriggers; }

std::string fileNameOfPath(const std::string& path) {
    const auto cut = path.rfind('/');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string shownNameFor(const std::string& path) {
    const std::string name = fileNameOfPath(path);
    const auto dot = name.find('.');
    // An empty shown name would mean an empty slot.
    if (dot == std::string::npos || dot == 0) return name;
    return name.substr(0, dot);
}

AssignOutcome assignFile(Setup& setup, int k, const std::string& path) {
    AssignOutcome outcome;
    if (!isSlot(k)) return {EditVerdict::NoSuchSlot, {}, 0};
    if (k > filledCount(setup) + 1) return {EditVerdict::NotNextSlot, {}, 0};
    outcome.check = ReadWaveHeader(path);
    if (!outcome.check.accepted) {
        outcome.verdict = EditVerdict::FileRefused;
        return outcome;
    }
    Setup changed = setup;
    changed.slot(k) = Slot{path, shownNameFor(path), outcome.check.info};
    outcome.totalBytes = totalStoredLength(changed);
    if (outcome.totalBytes > unit::kCapacityBytes) {
        outcome.verdict = EditVerdict::OverCapacity;
        return outcome;
    }
    setup = std::move(changed);
    return outcome;
}

EditVerdict clearSlot(Setup& setup, int k) {
    if (!isSlot(k)) return EditVerdict::NoSuchSlot;
    for (int i = k; i <= unit::kSlots; ++i) setup.slot(i) = Slot{};
    return EditVerdict::Done;
}

EditVerdict renameSlot(Setup& setup, int k, const std::string& name) {
    if (!isSlot(k)) return EditVerdict::NoSuchSlot;
    if (name.empty()) return clearSlot(setup, k);
    setup.slot(k).name = name;
    return EditVerdict::Done;
}

EditVerdict setSequence(Setup& setup, int t, const std::vector<int>& slots) {
    if (!isTrigger(t)) return EditVerdict::NoSuchTrigger;
    if (slots.size() > static_cast<size_t>(unit::kEntriesPerTrigger)) return EditVerdict::NotASlotNumber;
    Trigger trigger = setup.trigger(t);
    trigger.sequence = {};
    for (size_t i = 0; i < slots.size(); ++i) {
        if (!isSlot(slots[i])) return EditVerdict::NotASlotNumber;
        trigger.sequence[i] = static_cast<uint8_t>(slots[i]);
    }
    setup.trigger(t) = trigger;
    return EditVerdict::Done;
}

EditVerdict setEntry(Setup& setup, int t, int position, int k) {
    if (!isTrigger(t)) return EditVerdict::NoSuchTrigger;
    if (position < 1 || position > unit::kEntriesPerTrigger || (k != 0 && !isSlot(k))) return EditVerdict::NotASlotNumber;
    Trigger& trigger = setup.trigger(t);
    trigger.sequence[static_cast<size_t>(position - 1)] = static_cast<uint8_t>(k);
    const int kept = trigger.length();
    for (int p = kept; p < unit::kEntriesPerTrigger; ++p) trigger.sequence[static_cast<size_t>(p)] = 0;
    return EditVerdict::Done;
}

EditVerdict setZones(Setup& setup, int t, const std::vector<int>& zones) {
    if (!isTrigger(t)) return EditVerdict::NoSuchTrigger;
    uint8_t mask = 0;
    for (int z : zones) {
        if (z < 1 || z > unit::kZonesPerTrigger) return EditVerdict::NoSuchZone;
        mask = static_cast<uint8_t>(mask | (1u << (z - 1)));
    }
    setup.trigger(t).zones = mask;
    return EditVerdict::Done;
}

EditVerdict setZone(Setup& setup, int t, int z, bool on) {
    if (!isTrigger(t)) return EditVerdict::NoSuchTrigger;
    if (z < 1 || z > unit::kZonesPerTrigger) return EditVerdict::NoSuchZone;
    const auto bit = static_cast<uint8_t>(1u << (z - 1));
    uint8_t& zones = setup.trigger(t).zones;
    zones = static_cast<uint8_t>(on ? (zones | bit) : (zones & ~bit));
    return EditVerdict::Done;
}

}  // namespace mmx::app
