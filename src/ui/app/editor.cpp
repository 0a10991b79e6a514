#include "ui/app/editor.h"

#include "app/setup_edits.h"

namespace mmx {
namespace {

// The fifth filter shows every audio file the conversion reads; it is the one chosen.
constexpr const char* kWaveFilter =
    "All Files (*.*)|*.*|Text Files(*.txt)|*.txt|Batch Files (*.bat)|*.bat|Wave Files (*.wav)|*.wav|"
    "Audio Files (*.wav *.flac *.ogg *.opus *.mp3 *.aiff)|*.wav;*.flac;*.ogg;*.oga;*.opus;*.mp3;*.aif;*.aiff";
constexpr int kWaveFilterIndex = 5;

}  // namespace

Editor::Editor(WindowState& state, FileDialog& dialog, MessageBoxes& boxes)
    : state_(state), dialog_(dialog), boxes_(boxes) {}

void Editor::alert(int messageBoxIndex) { boxes_.alert(state_.texts.messageBox(messageBoxIndex), kTitle); }

void Editor::refuse(const std::string& path, int messageBoxIndex, const WaveCheck& check, int64_t totalBytes) {
    std::string text = state_.texts.messageBox(messageBoxIndex);
    if (refusalWords_) {
        const std::string words = refusalWords_(fileNameOf(path), messageBoxIndex, check, totalBytes);
        if (!words.empty()) text += "\n\n" + words;
    }
    boxes_.alert(text, kTitle);
}

template <typename Change>
void Editor::edit(StepKind kind, int k, Change change) {
    Setup changed = state_.setup;
    change(changed);
    if (changed == state_.setup) return;
    if (grouping_) kind = StepKind::Grouped;
    const bool continuesStep = (kind == StepKind::Rename && lastStep_ == StepKind::Rename && lastStepSlot_ == k) ||
                               (kind == StepKind::Grouped && lastStep_ == StepKind::Grouped);
    if (!continuesStep) state_.history.recordEdit(state_.setup);
    state_.setup = std::move(changed);
    lastStep_ = kind;
    lastStepSlot_ = k;
}

void Editor::beginStepGroup() {
    grouping_ = true;
    lastStep_ = StepKind::None;  // the group's first edit starts a step of its own
}

void Editor::endStepGroup() {
    grouping_ = false;
    lastStep_ = StepKind::None;
}

BrowseOutcome Editor::browseSlot(int k) {
    if (portOpen()) {
        alert(UiTextTable::BusyUploading);
        return BrowseOutcome::Refused;
    }
    const Slot& slot = state_.setup.slot(k);
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.filter = kWaveFilter;
    request.filterIndex = kWaveFilterIndex;
    request.initialFolder = slot.filled() && !slot.path.empty() ? folderOf(slot.path) : state_.settings.waveFolder;
    const auto chosen = dialog_.show(request);
    if (!chosen || chosen->empty()) return BrowseOutcome::Cancelled;
    return assignFile(k, *chosen);
}

BrowseOutcome Editor::assignFile(int k, const std::string& path) {
    if (portOpen()) {
        alert(UiTextTable::BusyUploading);
        return BrowseOutcome::Refused;
    }
    state_.settings.waveFolder = folderOf(path);  // remembered even when the file is refused
    Setup changed = state_.setup;
    const app::AssignOutcome outcome = app::assignFile(changed, k, path);
    switch (outcome.verdict) {
        case app::EditVerdict::Done:
            break;
        case app::EditVerdict::OverCapacity:
            refuse(path, UiTextTable::ExceedsCapacity, outcome.check, outcome.totalBytes);
            return BrowseOutcome::OverCapacity;
        case app::EditVerdict::FileRefused:
            if (outcome.check.messageBoxIndex && unplayableFileHandler_) {
                unplayableFileHandler_(k, path, *outcome.check.messageBoxIndex);
            } else if (outcome.check.messageBoxIndex) {
                refuse(path, *outcome.check.messageBoxIndex, outcome.check);
            }
            return BrowseOutcome::Rejected;
        default:
            return BrowseOutcome::Rejected;  // not a slot Browse offers
    }
    // The same file chosen again is still an edit: its figures may have changed on the disk.
    edit(StepKind::Other, k, [&changed](Setup& setup) { setup = changed; });
    state_.messagesUploaded = false;
    return BrowseOutcome::Accepted;
}

void Editor::renameSlot(int k, const std::string& name) {
    if (name.empty() || !state_.setup.slot(k).filled()) return;
    edit(StepKind::Rename, k, [k, &name](Setup& setup) { app::renameSlot(setup, k, name); });
}

void Editor::clearSlot(int k) {
    edit(StepKind::Other, k, [k](Setup& setup) { app::clearSlot(setup, k); });
}

bool Editor::refreshSlotFromFile(int k) {
    Slot& slot = state_.setup.slot(k);
    if (!slot.filled()) return false;
    const WaveCheck check = ReadWaveHeader(slot.path);
    if (!check.accepted) {
        if (check.messageBoxIndex) refuse(slot.path, *check.messageBoxIndex, check);
        return false;
    }
    // The saved set-up follows the disk as well, so that a file played again is no unsaved change.
    Slot& saved = state_.savedSetup.slot(k);
    if (saved == slot) saved.wave = check.info;
    slot.wave = check.info;
    return true;
}

void Editor::pickEntry(int row, int position, int k) {
    edit(StepKind::Other, 0, [=](Setup& setup) { app::setEntry(setup, row, position, k); });
}

void Editor::toggleZone(int row, int zone, bool on) {
    edit(StepKind::Other, 0, [=](Setup& setup) { app::setZone(setup, row, zone, on); });
}

bool Editor::undo() {
    auto previous = state_.history.undo(state_.setup);
    if (!previous) return false;
    state_.setup = std::move(*previous);
    lastStep_ = StepKind::None;
    return true;
}

bool Editor::redo() {
    auto next = state_.history.redo(state_.setup);
    if (!next) return false;
    state_.setup = std::move(*next);
    lastStep_ = StepKind::None;
    return true;
}

}  // namespace mmx
