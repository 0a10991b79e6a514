#pragma once
// The undo and redo history of the set-up being edited. Every edit is one step: the set-up
// as it was before is kept, so undo and redo restore whole values (a cleared slot comes back
// with its file, its name and the figures of its WAVE check).
#include <optional>
#include <vector>

#include "core/setup.h"

namespace mmx {

class EditHistory {
public:
    // An edit changed the set-up from `before`: it becomes the step undo returns to, and the
    // steps that were undone are gone.
    void recordEdit(const Setup& before);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The set-up before the last edit (current goes to the redo steps); nothing when there is none.
    std::optional<Setup> undo(const Setup& current);
    // The set-up the last undo left (current goes back to the undo steps).
    std::optional<Setup> redo(const Setup& current);
    // A set-up was opened or a new one begun: nothing before it can be undone.
    void clear();

private:
    std::vector<Setup> undo_;
    std::vector<Setup> redo_;
};

}  // namespace mmx
