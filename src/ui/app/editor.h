#pragma once
// The editor's rules for the message table and the trigger table: what Browse, a typed
// name, a sequence choice and a zone tick do to the set-up and its flags.
#include <functional>
#include <string>

#include "ui/app/dialogs.h"
#include "core/program_state.h"
#include "core/wave_header.h"

namespace mmx {

enum class BrowseOutcome {
    Refused,          // the port is open (message shown)
    Cancelled,        // dialog cancelled or empty name
    Rejected,         // the file failed a check (message shown, or silent)
    OverCapacity,     // would exceed the memory (message shown, slot restored)
    Accepted,
};

class Editor {
public:
    Editor(ProgramState& state, FileDialog& dialog, MessageBoxes& boxes);

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

    // "Browse" of slot k: choose a file, check it, store it, keep the totals within capacity.
    BrowseOutcome browse(int k);
    // Store an already chosen path in slot k, with every check that Browse makes.
    BrowseOutcome assignFile(int k, const std::string& path);
    // The shown name of slot k changed (typed, or set by the program). An empty name
    // empties slot k and every later slot.
    void setShownName(int k, const std::string& name);
    // Read slot k's file again before a preview: time, size, rate and totals follow the file.
    bool refreshSlotFromFile(int k);
    // A choice was made in sequence entry i (1..48): set its text, recompute every row.
    void chooseEntry(int i, const std::string& choice);
    // Recompute every trigger row (after a browse, and whenever a choice is made).
    void recomputeTriggers();
    // Zone box i (1..72) changed.
    void setZone(int i, int value);

    // Title of the editor's message boxes.
    static constexpr const char* kTitle = ProgramState::kEditorCaption;

private:
    void alert(int messageBoxIndex);
    void refuse(const std::string& path, int messageBoxIndex, const WaveCheck& check, int64_t totalBytes = 0);

    ProgramState& state_;
    FileDialog& dialog_;
    MessageBoxes& boxes_;
    std::function<bool()> portOpenQuery_;
    UnplayableFileHandler unplayableFileHandler_;
    RefusalWords refusalWords_;
};

}  // namespace mmx
