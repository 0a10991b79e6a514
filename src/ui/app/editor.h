#pragma once
// The window's edits of the set-up: Browse, a typed name, a cleared slot, a sequence choice and
// a zone tick, each made through the edits of src/app on the window's Setup value and kept in
// the undo history as one step.
#include <functional>
#include <string>

#include "core/wave_header.h"
#include "ui/app/dialogs.h"
#include "ui/app/window_state.h"

namespace mmx {

enum class BrowseOutcome {
    Refused,          // the port is open (message shown)
    Cancelled,        // dialog cancelled or empty name
    Rejected,         // the file failed a check (message shown, or silent)
    OverCapacity,     // would exceed the memory (message shown, slot as it was)
    Accepted,
};

class Editor {
public:
    Editor(WindowState& state, FileDialog& dialog, MessageBoxes& boxes);

    // Tells whether the serial port is open right now: slots cannot change then.
    void setPortOpenQuery(std::function<bool()> query) { portOpenQuery_ = std::move(query); }
    bool portOpen() const { return portOpenQuery_ && portOpenQuery_(); }

    // A file the WAVE check refuses with a message (not a WAVE file, not mono, rate, width)
    // goes to this handler instead of the message box, when one is set: the window offers to
    // convert it. The slot is left as it was either way.
    using UnplayableFileHandler = std::function<void(int k, const std::string& path, int messageBoxIndex)>;
    void setUnplayableFileHandler(UnplayableFileHandler handler) { unplayableFileHandler_ = std::move(handler); }
    // Words naming the file and the value a refusal is about ("welcome.wav: 44.1 kHz; the unit
    // plays 8 to 24 kHz"), shown under the refusal's own text; the window words them in the
    // language in use. totalBytes is the stored total a capacity refusal would have reached.
    using RefusalWords = std::function<std::string(const std::string& fileName, int messageBoxIndex,
                                                   const WaveCheck& check, int64_t totalBytes)>;
    void setRefusalWords(RefusalWords words) { refusalWords_ = std::move(words); }

    // Browse of slot k: choose a file, check it, store it, keep the totals within capacity.
    BrowseOutcome browseSlot(int k);
    // Store an already chosen path in slot k, with every check that Browse makes.
    BrowseOutcome assignFile(int k, const std::string& path);
    // A new, non-empty shown name for filled slot k. Typing one name is one step, however many
    // keys it takes.
    void renameSlot(int k, const std::string& name);
    // Slot k and every later one become empty (slots never have a gap), as one step.
    void clearSlot(int k);
    // Read slot k's file again before a preview: time, size and rate follow the file. This
    // follows the disk rather than an edit, so it is no step of its own.
    bool refreshSlotFromFile(int k);
    // Entry `position` (1..4) of trigger row `row` plays slot k (0: nothing).
    void pickEntry(int row, int position, int k);
    // Zone z (1..6) of trigger row `row` on or off.
    void toggleZone(int row, int zone, bool on);

    // Back to the set-up before the last edit, or forward again; false when there is none.
    bool undo();
    bool redo();
    // The edits between these two undo as one step: the files of one drop.
    void beginStepGroup();
    void endStepGroup();

    // Title of the editor's message boxes.
    static constexpr const char* kTitle = WindowState::kEditorCaption;

private:
    enum class StepKind { None, Rename, Other, Grouped };
    // Makes the change on a copy; when it changed the set-up, the old value becomes an undo step
    // (a rename continuing the previous one of the same slot, or an edit of an open group, joins
    // that step).
    template <typename Change>
    void edit(StepKind kind, int k, Change change);
    void alert(int messageBoxIndex);
    void refuse(const std::string& path, int messageBoxIndex, const WaveCheck& check, int64_t totalBytes = 0);

    WindowState& state_;
    FileDialog& dialog_;
    MessageBoxes& boxes_;
    std::function<bool()> portOpenQuery_;
    UnplayableFileHandler unplayableFileHandler_;
    RefusalWords refusalWords_;
    StepKind lastStep_ = StepKind::None;
    int lastStepSlot_ = 0;
    bool grouping_ = false;
};

}  // namespace mmx
