#pragma once
// The set-up's files as use cases: open, save, check every slot's file again, print, and build
// what the unit must hold. Each returns what came of it as a value; the caller words it.
#include <optional>
#include <string>
#include <vector>

#include "core/setup.h"
#include "core/wave_header.h"
#include "storage/file_outcome.h"
#include "storage/message_files.h"
#include "storage/printout.h"

namespace mmx::app {

struct OpenedSetup {
    std::optional<Setup> setup;  // set exactly when outcome is a success
    FileOutcome outcome;         // else: which line and why
};
OpenedSetup openSetup(const std::string& path);
// Replaces the file atomically: on failure the old one is untouched.
FileOutcome saveSetup(const std::string& path, const Setup& setup);

// One filled slot's file as it is now.
struct SlotCheck {
    int slot = 0;
    WaveCheck check;               // accepted, or why not (no message text: not found or unreadable)
    int64_t storedNow = 0;         // stored length of the file now (when accepted)
    int64_t storedWhenSaved = 0;   // what the set-up holds
    bool changed() const { return check.accepted && storedNow != storedWhenSaved; }
};
struct CheckReport {
    std::vector<SlotCheck> slots;  // the filled slots, in order
    int64_t totalStored = 0;       // of the files that passed
    EntryNamingEmptySlot emptySlotEntry;  // a trigger would play an empty slot: the check fails
    bool fits() const { return totalStored <= unit::kCapacityBytes; }
    bool passed() const;           // every file passed, all fit, and every entry names a filled slot
};
// Every filled slot's file again, as an upload would find it.
CheckReport checkSetup(const Setup& setup);

// Writes the printout (replacing any file there).
FileOutcome printSetup(const std::string& path, const Setup& setup, const PrintoutCaptions& captions);

// What the unit must hold: every filled slot's file read whole and checked again.
LoadedImage buildUnitImage(const Setup& setup);

}  // namespace mmx::app
