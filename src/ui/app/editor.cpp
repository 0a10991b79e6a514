#include "ui/app/editor.h"

#include "core/number_format.h"
#include "core/wave_header.h"

namespace mmx {
namespace {

// The fifth filter shows every audio file the conversion reads; it is the one chosen.
constexpr const char* kWaveFilter =
    "All Files (*.*)|*.*|Text Files(*.txt)|*.txt|Batch Files (*.bat)|*.bat|Wave Files (*.wav)|*.wav|"
    "Audio Files (*.wav *.flac *.ogg *.opus *.mp3 *.aiff)|*.wav;*.flac;*.ogg;*.oga;*.opus;*.mp3;*.aif;*.aiff";
constexpr int kWaveFilterIndex = 5;

// The shown name is the file name before its first ".". A name with nothing before its
// first "." (".wav", or none at all) keeps the whole file name: an empty shown name would
// mean an empty slot.
std::string shownNameFor(const std::string& path) {
    const std::string name = fileNameOf(path);
    const auto dot = name.find('.');
    if (dot == std::string::npos || dot == 0) return name;
    return name.substr(0, dot);
}

}  // namespace

Editor::Editor(ProgramState& state, FileDialog& dialog, MessageBoxes& boxes)
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

BrowseOutcome Editor::browse(int k) {
    if (portOpen()) {
        alert(UiTextTable::BusyUploading);
        return BrowseOutcome::Refused;
    }
    const MessageSlot& slot = state_.messages.slot(k);
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.filter = kWaveFilter;
    request.filterIndex = kWaveFilterIndex;
    if (!slot.FilePath.empty() && slot.filled()) {
        request.initialFolder = folderOf(slot.FilePath);
    } else {
        request.initialFolder = state_.settings.waveFolder;
    }
    const auto chosen = dialog_.show(request);
    if (!chosen || chosen->empty()) return BrowseOutcome::Cancelled;
    return assignFile(k, *chosen);
}

BrowseOutcome Editor::assignFile(int k, const std::string& path) {
    if (portOpen()) {
        alert(UiTextTable::BusyUploading);
        return BrowseOutcome::Refused;
    }
    MessageSlot& slot = state_.messages.slot(k);
    const MessageSlot before = slot;

    slot.FilePath = path;
    state_.settings.waveFolder = folderOf(path);  // remembered even when the file is refused

    const WaveCheck check = ReadWaveHeader(path);
    if (!check.accepted) {
        slot.FilePath = before.FilePath;
        if (check.messageBoxIndex && unplayableFileHandler_) {
            unplayableFileHandler_(k, path, *check.messageBoxIndex);
        } else if (check.messageBoxIndex) {
            refuse(path, *check.messageBoxIndex, check);
        }
        return BrowseOutcome::Rejected;
    }
    slot.MsgTime = playTimeText(check.info);
    slot.MsgSample = formatKilohertz(check.info.sampleRate);
    if (!before.filled()) state_.triggers.rebuildLists(k);

    slot.TMsgSize = storedLength(check.info.fileLength);
    slot.MsgSize = std::to_string(slot.TMsgSize / 1000);
    setShownName(k, shownNameFor(path));
    slot.MsgBtEnabled = true;
    if (k < kSlotCount) state_.messages.slot(k + 1).BrowseEnabled = true;

    // The old stored length leaves the total before the new one enters.
    int64_t total = slot.TMsgSize;
    for (int i = 1; i <= kSlotCount; ++i) {
        if (i != k && state_.messages.slot(i).filled()) total += state_.messages.slot(i).TMsgSize;
    }
    BrowseOutcome outcome = BrowseOutcome::Accepted;
    if (total > kMemoryCapacityBytes) {
        refuse(path, UiTextTable::ExceedsCapacity, check, total);
        slot.FilePath = before.FilePath;
        setShownName(k, before.WaveFile);  // an empty name empties this and every later slot
        slot.FilePath = before.FilePath;
        slot.MsgTime = before.MsgTime;
        slot.MsgSize = before.MsgSize;
        slot.TMsgSize = before.TMsgSize;
        slot.MsgSample = before.MsgSample;
        outcome = BrowseOutcome::OverCapacity;
    } else {
        state_.MessagesUploaded = false;
    }
    state_.messages.recomputeTotals();
    recomputeTriggers();
    return outcome;
}

void Editor::setShownName(int k, const std::string& name) {
    MessageTable& messages = state_.messages;
    MessageSlot& slot = messages.slot(k);
    if (slot.WaveFile == name) return;  // only a real change counts as an edit
    slot.WaveFile = name;
    state_.SetupChanged = true;
    if (!name.empty()) return;

    slot.FilePath.clear();
    for (int i = 1; i < kSlotCount; ++i) {
        MessageSlot& current = messages.slot(i);
        MessageSlot& next = messages.slot(i + 1);
        if (current.filled()) {
            next.BrowseEnabled = true;
            current.MsgBtEnabled = true;
        } else {
            next.BrowseEnabled = false;
            setShownName(i + 1, "");
            next.FilePath.clear();
            current.MsgBtEnabled = false;
        }
    }
    messages.slot(kSlotCount).MsgBtEnabled = messages.slot(kSlotCount).filled();
    for (int i = k; i <= kSlotCount; ++i) {
        MessageSlot& emptied = messages.slot(i);
        emptied.MsgTime.clear();
        emptied.MsgSize.clear();
        emptied.MsgSample.clear();
        emptied.TMsgSize = 0;
    }
    messages.recomputeTotals();
    // Entries keep their texts, even one naming a message that is now gone.
    state_.triggers.rebuildLists(k - 1);
}

bool Editor::refreshSlotFromFile(int k) {
    MessageSlot& slot = state_.messages.slot(k);
    if (!slot.filled()) return false;
    const WaveCheck check = ReadWaveHeader(slot.FilePath);
    if (!check.accepted) {
        if (check.messageBoxIndex) refuse(slot.FilePath, *check.messageBoxIndex, check);
        return false;
    }
    slot.MsgTime = playTimeText(check.info);
    slot.MsgSample = formatKilohertz(check.info.sampleRate);
    slot.TMsgSize = storedLength(check.info.fileLength);
    slot.MsgSize = std::to_string(slot.TMsgSize / 1000);
    state_.messages.recomputeTotals();
    return true;
}

void Editor::chooseEntry(int i, const std::string& choice) {
    state_.triggers.entry(i).text = choice;
    recomputeTriggers();
}

void Editor::recomputeTriggers() {
    state_.SetupChanged = true;
    state_.triggers.recompute(state_.messages);
}

void Editor::setZone(int i, int value) {
    state_.triggers.zone(i) = value;
    state_.SetupChanged = true;
}

}  // namespace mmx
