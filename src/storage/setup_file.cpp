#include "storage/setup_file.h"

#include "core/number_format.h"

namespace mmx {

Setup setupOfEditor(const ProgramState& state) {
    Setup setup;
    for (int k = 1; k <= kSlotCount; ++k) {
        const MessageSlot& shown = state.messages.slot(k);
        // The texts come from a WAVE check or a file this program read, so they convert; should
        // one not, the slot keeps its name and file and counts for nothing.
        const auto slot = slotFromTexts(shown.WaveFile, shown.FilePath, shown.MsgTime, shown.TMsgSize, shown.MsgSample);
        setup.slot(k) = slot ? *slot : Slot{shown.FilePath, shown.WaveFile, {}};
    }
    for (int row = 1; row <= kTriggerCount; ++row) {
        Trigger& trigger = setup.trigger(row);
        for (int position = 1; position <= kEntriesPerTrigger; ++position) {
            const auto k = sequenceEntryValue(state.triggers.entry(entryIndex(row, position)).text);
            if (!k || *k == 0) break;
            trigger.sequence[static_cast<size_t>(position - 1)] = *k;
        }
        trigger.zones = state.triggers.zoneMask(row);
    }
    return setup;
}

void showSetup(ProgramState& state, const Setup& setup) {
    MessageTable& messages = state.messages;
    TriggerTable& triggers = state.triggers;
    for (int k = 1; k <= kSlotCount; ++k) {
        const Slot& from = setup.slot(k);
        MessageSlot& slot = messages.slot(k);
        slot.WaveFile = from.name;
        slot.FilePath = from.path;
        slot.MsgBtEnabled = from.filled();
        slot.BrowseEnabled = k == 1 || setup.slot(k - 1).filled();
        slot.TMsgSize = static_cast<int32_t>(storedLength(from));
        // An empty slot shows no figures at all (not "0").
        slot.MsgTime = from.filled() ? formatHundredths(playHundredths(from)) : "";
        slot.MsgSize = from.filled() ? std::to_string(sizeKilobytes(from)) : "";
        slot.MsgSample = from.filled() ? formatKilohertz(from.wave.sampleRate) : "";
    }
    messages.TotalTime = formatHundredths(totalPlayHundredths(setup));
    messages.TotalSize = std::to_string(totalKilobytes(setup));
    messages.TFileLength = static_cast<int32_t>(totalStoredLength(setup));

    triggers.clear();
    for (int row = 1; row <= kTriggerCount; ++row) {
        const Trigger& trigger = setup.trigger(row);
        for (int position = 1; position <= kEntriesPerTrigger; ++position) {
            SequenceEntry& entry = triggers.entry(entryIndex(row, position));
            entry.enabled = position == 1 || position - 1 <= trigger.length();
            entry.text = choiceText(position <= trigger.length() ? trigger.sequence[static_cast<size_t>(position - 1)] : 0);
        }
        for (int z = 1; z <= kZonesPerTrigger; ++z) triggers.zone(zoneIndex(row, z)) = (trigger.zones >> (z - 1)) & 1;
        triggers.time(row) = formatHundredths(triggerPlayHundredths(setup, row));
        triggers.playEnabled(row) = trigger.length() > 0;
    }
    // The lists offer " " and the filled slots; a set-up that never had a message has none.
    if (const int filled = filledCount(setup); filled > 0) triggers.rebuildLists(filled);
}

std::vector<std::string> setupFileLines(const ProgramState& state) { return setupLines(setupOfEditor(state)); }

FileOutcome SaveConfig(ProgramState& state, const std::string& path) {
    const Setup setup = setupOfEditor(state);
    state.messages.TFileLength = static_cast<int32_t>(totalStoredLength(setup));
    return writeSetupFile(path, setup);
}

FileOutcome OpenConfig(ProgramState& state, const std::string& path) {
    FileOutcome outcome;
    const auto setup = readSetupFile(path, &outcome);
    if (!setup) return outcome;
    state.MessagesUploaded = true;
    showSetup(state, *setup);
    return FileOutcome::success();
}

}  // namespace mmx
