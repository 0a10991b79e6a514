#pragma once
// The set-up as a value: what each of the 12 message slots holds and what each of the 12
// triggers plays where. Every figure the tables, the file and the unit need (stored length,
// play time, size, totals, free memory) is derived from it by one function each, so a rule
// is written once and cannot drift between the window, the command line and the unit image.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/unit_facts.h"
#include "core/wave_header.h"

namespace mmx {

struct Slot {
    std::string path;  // the WAVE file
    std::string name;  // the shown name; empty means an empty slot
    WaveInfo wave;     // what the WAVE check found when the file was chosen

    bool filled() const { return !name.empty(); }
    bool operator==(const Slot&) const = default;
};

struct Trigger {
    // Slot numbers 1..12 played in turn; the sequence ends at the first 0 (entries behind a
    // gap never play, so they are never held).
    std::array<uint8_t, unit::kEntriesPerTrigger> sequence{};
    uint8_t zones = 0;  // bit z-1 set: zone z plays

    int length() const;
    bool operator==(const Trigger&) const = default;
};

inline constexpr uint8_t kAllZones = (1u << unit::kZonesPerTrigger) - 1;

struct Setup {
    std::array<Slot, unit::kSlots> slots{};
    std::array<Trigger, unit::kTriggers> triggers{};

    // k and t count from 1.
    Slot& slot(int k) { return slots.at(static_cast<size_t>(k - 1)); }
    const Slot& slot(int k) const { return slots.at(static_cast<size_t>(k - 1)); }
    Trigger& trigger(int t) { return triggers.at(static_cast<size_t>(t - 1)); }
    const Trigger& trigger(int t) const { return triggers.at(static_cast<size_t>(t - 1)); }

    bool operator==(const Setup&) const = default;
};

// One slot: 0 for an empty one.
int64_t storedLength(const Slot& slot);
int64_t playHundredths(const Slot& slot);  // as the table shows it, rounded to hundredths
int64_t sizeKilobytes(const Slot& slot);   // whole KB of 1000 bytes of the stored length

// The whole set-up.
int filledCount(const Setup& setup);  // slots filled from 1 upward without a gap
int64_t totalStoredLength(const Setup& setup);
int64_t totalPlayHundredths(const Setup& setup);
int64_t totalKilobytes(const Setup& setup);
int64_t freeBytes(const Setup& setup);  // memory left; negative when the messages do not fit

// One trigger (t from 1): the sum of its messages' shown play times; a number naming an empty
// slot adds nothing.
int64_t triggerPlayHundredths(const Setup& setup, int t);
// A sequence entry naming a slot that is empty now (the slot was cleared after the entry was
// chosen): such a trigger would play nothing there, so nothing is sent while one exists.
struct EntryNamingEmptySlot {
    int trigger = 0;  // 1..12; 0: every entry names a filled slot
    int slot = 0;
    explicit operator bool() const { return trigger != 0; }
};
EntryNamingEmptySlot firstEntryNamingEmptySlot(const Setup& setup);

// The files trigger t's preview plays, in order. It ends, without a word, at a number that
// names an empty slot or one without a path.
std::vector<std::string> previewPlan(const Setup& setup, int t);

}  // namespace mmx
