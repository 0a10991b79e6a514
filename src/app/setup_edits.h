#pragma once
// The edits an operator makes to a set-up, shared by the window and `mmx4210-cli edit`: put a
// file into a slot with every check Browse makes, empty a slot, rename it, set a trigger's
// sequence and zones. Each returns what came of it; the set-up changes only when it is Done.
#include <string>
#include <vector>

#include "core/setup.h"
#include "core/wave_header.h"

namespace mmx::app {

enum class EditVerdict {
    Done,
    NoSuchSlot,     // not 1..12
    NotNextSlot,    // slots fill from 1 without a gap: the slot before it is empty
    FileRefused,    // the WAVE check refused the file (check says why; no text: not found)
    OverCapacity,   // the messages together would not fit into the unit
    NoSuchTrigger,  // not 1..12
    NotASlotNumber, // a sequence names no slot 1..12, or has more than four entries
    NoSuchZone,     // not 1..6
};

struct AssignOutcome {
    EditVerdict verdict = EditVerdict::Done;
    WaveCheck check;          // what the WAVE check found
    int64_t totalBytes = 0;   // the stored total the set-up would have with the file
};

// The name a slot shows for a file: its name before the first "." (the whole name when nothing
// stands before it).
std::string shownNameFor(const std::string& path);

// Slot k takes the file at path, shown under shownNameFor(path), when it passes the WAVE check
// and all messages still fit.
AssignOutcome assignFile(Setup& setup, int k, const std::string& path);
// Slot k and every later one become empty (slots never have a gap). Triggers keep their
// numbers, also those that name a slot now empty.
EditVerdict clearSlot(Setup& setup, int k);
// The shown name of slot k; an empty name empties the slot as clearSlot does.
EditVerdict renameSlot(Setup& setup, int k, const std::string& name);
// Trigger t plays these slots in turn (at most four, each 1..12; none: it plays nothing).
EditVerdict setSequence(Setup& setup, int t, const std::vector<int>& slots);
// Entry `position` (1..4) of trigger t names slot k (0: none); entries behind an empty one are
// dropped, as nothing behind a gap ever plays.
EditVerdict setEntry(Setup& setup, int t, int position, int k);
// Trigger t plays into these zones (each 1..6; none: nowhere).
EditVerdict setZones(Setup& setup, int t, const std::vector<int>& zones);
// Zone z (1..6) of trigger t on or off; its other zones stay.
EditVerdict setZone(Setup& setup, int t, int z, bool on);

}  // namespace mmx::app
