#pragma once
// A trigger whose sequence names an empty slot stops it first: the unit would be sent a
// sequence naming a message it does not hold.
// Reads every used slot's file whole and checks it again before anything is sent: a file that
// vanished, cannot be read, or changed since it was put in its slot (now empty, stereo,
// another rate) stops the upload before the unit is erased. The result is the unit image.
#include <optional>
#include <string>

#include "core/setup.h"
#include "image/unit_image.h"

namespace mmx {

struct MessageFileProblem {
    enum class Kind {
        Missing,       // no regular file at the path
        Unreadable,    // it exists but reading failed
        Refused,       // it no longer passes the slot's check
        OverCapacity,  // all messages together no longer fit the unit
        EmptySlotInSequence,  // a trigger's sequence names a slot that is empty (trigger, slot)
    };
    Kind kind = Kind::Missing;
    int slot = 0;                        // 1..12 (the empty one for EmptySlotInSequence); 0 for OverCapacity
    int trigger = 0;                     // EmptySlotInSequence: the trigger (1..12)
    std::string name;                    // the slot's shown name
    std::string path;
    std::optional<int> messageBoxIndex;  // the check's own message-box text, if it has one
    std::string detail;                  // English words for a log: "cannot read: Permission denied"
    int systemError = 0;                 // errno behind Missing or Unreadable, when there is one
    uint64_t neededBytes = 0;            // OverCapacity: what the messages would take
};

struct LoadedImage {
    std::optional<image::UnitImage> image;
    std::optional<MessageFileProblem> problem;  // set exactly when image is not
};

LoadedImage loadUnitImage(const Setup& setup);

}  // namespace mmx
