#include "storage/setup_file.h"

#include <algorithm>

#include "core/number_format.h"
#include "storage/text_file.h"
#include "storage/value_conversion.h"

namespace mmx {

namespace {

// An index in a key: one blank where a minus sign would stand, then the digits.
std::string keyIndex(int n) { return " " + std::to_string(n); }

std::string boolText(bool value) { return value ? "True" : "False"; }

// Reads the values in file order; `next` hands out the value of each following line.
class LineReader {
public:
    explicit LineReader(const std::vector<std::string>& lines) : lines_(lines) {}
    const std::string next() {
        last_ = lineValue(lines_[position_++]);
        return last_;
    }
    // 1-based number of the line read last, and its value.
    int line() const { return static_cast<int>(position_); }
    const std::string& last() const { return last_; }

private:
    const std::vector<std::string>& lines_;
    size_t position_ = 0;
    std::string last_;
};

bool holdsLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

}  // namespace

std::vector<std::string> setupFileLines(const ProgramState& state) {
    const MessageTable& messages = state.messages;
    const TriggerTable& triggers = state.triggers;
    std::vector<std::string> lines;
    lines.reserve(kSetupFileLines);
    for (int n = 1; n <= kSlotCount; ++n) lines.push_back("MsgBt(" + keyIndex(n) + ") =" + boolText(messages.slot(n).MsgBtEnabled));
    for (int n = 1; n <= kSlotCount; ++n) {
        lines.push_back("WaveFile(" + keyIndex(n) + ")=" + messages.slot(n).WaveFile);
        lines.push_back("FilePath(" + keyIndex(n) + ")=" + messages.slot(n).FilePath);
    }
    for (int n = 1; n <= kSlotCount; ++n) lines.push_back("Bt_Browse(" + keyIndex(n) + ")=" + boolText(messages.slot(n).BrowseEnabled));
    for (int n = 1; n <= kSlotCount; ++n) lines.push_back("MsgTime(" + keyIndex(n) + ")=" + messages.slot(n).MsgTime);
    for (int n = 1; n <= kSlotCount; ++n) lines.push_back("TMsgSize(" + keyIndex(n) + ")=" + std::to_string(messages.slot(n).TMsgSize));
    for (int n = 1; n <= kSlotCount; ++n) lines.push_back("MsgSample(" + keyIndex(n) + ")=" + messages.slot(n).MsgSample);
    for (int n = 1; n <= kTriggerCount; ++n) lines.push_back("TrgBt(" + keyIndex(n) + ")=" + boolText(triggers.playEnabled(n)));
    lines.push_back("TRG1(" + keyIndex(13) + ")_ListCount=" + std::to_string(triggers.listCount()));
    for (int n = 1; n <= kEntryCount; ++n) {
        lines.push_back("TRG1(" + keyIndex(n) + ")_Enabled=" + boolText(triggers.entry(n).enabled));
        lines.push_back("TRG1(" + keyIndex(n) + ")_Text=" + triggers.entry(n).text);
    }
    for (int n = 1; n <= kTriggerCount; ++n) lines.push_back("TrgTime(" + keyIndex(n) + ")=" + triggers.time(n));
    for (int n = 1; n <= kZoneCount; ++n) lines.push_back("Check1(" + keyIndex(n) + ")=" + std::to_string(triggers.zone(n)));
    lines.push_back("TotalTime=" + messages.TotalTime);
    lines.push_back("TotalSize=" + messages.TotalSize);
    lines.push_back("TFileLength=" + std::to_string(messages.TFileLength));
    return lines;
}

std::optional<SetupFileValues> parseSetupFile(const std::vector<std::string>& lines, FileOutcome* outcome) {
    if (lines.size() < static_cast<size_t>(kSetupFileLines)) {
        if (outcome)
            *outcome = tooFewLines(lines.size(), kSetupFileLines);
        return std::nullopt;
    }
    LineReader reader(lines);
    SetupFileValues values;
    const auto refuse = [&reader, outcome](FileProblem kind) -> std::optional<SetupFileValues> {
        if (outcome) *outcome = refusedValue(kind, reader.last(), reader.line());
        return std::nullopt;
    };
    constexpr FileProblem kNotBoolean = FileProblem::NotTrueFalseOrNumber;

    const auto flag = [&reader](bool& target) {
        const auto value = booleanValue(reader.next());
        if (value) target = *value;
        return value.has_value();
    };

    for (auto& slot : values.slots) {
        if (!flag(slot.MsgBtEnabled)) return refuse(kNotBoolean);
    }
    for (auto& slot : values.slots) {
        slot.WaveFile = reader.next();
        slot.FilePath = reader.next();
    }
    for (auto& slot : values.slots) {
        if (!flag(slot.BrowseEnabled)) return refuse(kNotBoolean);
    }
    for (auto& slot : values.slots) slot.MsgTime = reader.next();
    for (auto& slot : values.slots) {
        // The leading number of the text; a stored length outside the memory is no message
        // this program could have made, and would upset every size computed from it.
        const int64_t size = wholeNumberValue(reader.next());
        if (size < 0 || size > kMemoryCapacityBytes) return refuse(FileProblem::NotStoredLength);
        slot.TMsgSize = static_cast<int32_t>(size);
    }
    for (auto& slot : values.slots) slot.MsgSample = reader.next();
    for (auto& enabled : values.TrgBtEnabled) {
        if (!flag(enabled)) return refuse(kNotBoolean);
    }
    const auto listCount = strictInteger(reader.next());
    if (!listCount) return refuse(FileProblem::NotWholeNumber);
    values.listCount = static_cast<int>(std::clamp<int64_t>(*listCount, 0, kSlotCount + 1));
    for (auto& entry : values.entries) {
        if (!flag(entry.enabled)) return refuse(kNotBoolean);
        entry.text = reader.next();
    }
    for (auto& time : values.TrgTime) time = reader.next();
    for (auto& zone : values.Check1) {
        // 0 unticked, 1 ticked, 2 greyed: a check box takes nothing else.
        const auto value = strictInteger(reader.next());
        if (!value || *value < 0 || *value > 2) return refuse(FileProblem::NotZoneState);
        zone = static_cast<int>(*value);
    }
    values.TotalTime = reader.next();
    values.TotalSize = reader.next();
    const auto total = strictInteger(reader.next());
    if (!total || *total < INT32_MIN || *total > INT32_MAX) return refuse(FileProblem::NotWholeNumber);
    values.TFileLength = static_cast<int32_t>(*total);
    return values;
}

void applySetup(ProgramState& state, const SetupFileValues& values) {
    MessageTable& messages = state.messages;
    TriggerTable& triggers = state.triggers;
    // Every trigger field is set below; clearing first also empties the lists, which is how
    // a set-up saved before its first message was chosen comes back (a count of 0).
    triggers.clear();
    for (int k = 1; k <= kSlotCount; ++k) {
        const auto& from = values.slots[static_cast<size_t>(k - 1)];
        MessageSlot& slot = messages.slot(k);
        slot.MsgBtEnabled = from.MsgBtEnabled;
        slot.WaveFile = from.WaveFile;
        slot.FilePath = from.FilePath;
        slot.BrowseEnabled = from.BrowseEnabled;
        slot.MsgTime = from.MsgTime;
        slot.TMsgSize = from.TMsgSize;
        // An empty slot shows no size, as it did before the set-up was saved (not "0").
        slot.MsgSize = from.WaveFile.empty() ? std::string() : std::to_string(from.TMsgSize / 1000);
        slot.MsgSample = from.MsgSample;
    }
    for (int row = 1; row <= kTriggerCount; ++row) {
        triggers.playEnabled(row) = values.TrgBtEnabled[static_cast<size_t>(row - 1)];
        triggers.time(row) = values.TrgTime[static_cast<size_t>(row - 1)];
    }
    for (int n = 1; n <= kEntryCount; ++n) {
        triggers.entry(n).enabled = values.entries[static_cast<size_t>(n - 1)].enabled;
        triggers.entry(n).text = values.entries[static_cast<size_t>(n - 1)].text;
    }
    for (int n = 1; n <= kZoneCount; ++n) triggers.zone(n) = values.Check1[static_cast<size_t>(n - 1)];
    messages.TotalTime = values.TotalTime;
    messages.TotalSize = values.TotalSize;
    messages.TFileLength = values.TFileLength;
    // The lists offer " " and the messages 1 .. count - 1; the entry texts stay.
    if (values.listCount > 0) triggers.rebuildLists(values.listCount - 1);
}

FileOutcome SaveConfig(ProgramState& state, const std::string& path) {
    int32_t total = 0;
    for (int k = 1; k <= kSlotCount; ++k) total += state.messages.slot(k).TMsgSize;
    state.messages.TFileLength = total;

    const auto lines = setupFileLines(state);
    // A line break inside a value (a file name may hold one) would shift every later line.
    for (size_t i = 0; i < lines.size(); ++i) {
        if (holdsLineBreak(lines[i])) return lineBreakInValue(static_cast<int>(i + 1));
    }
    if (FileOutcome written = writeTextFile(path, lines, CodePage::Windows1252); !written) return written;
    return FileOutcome::success();
}

FileOutcome OpenConfig(ProgramState& state, const std::string& path) {
    FileOutcome why;
    const auto file = readTextFile(path, CodePage::Windows1252, &why);
    if (!file) return why;
    FileOutcome outcome;
    const auto values = parseSetupFile(file->lines, &outcome);
    if (!values) return outcome;
    state.MessagesUploaded = true;
    applySetup(state, *values);
    return FileOutcome::success();
}

}  // namespace mmx
