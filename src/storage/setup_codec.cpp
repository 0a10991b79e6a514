#include "storage/setup_codec.h"

#include <array>

#include "core/number_format.h"
#include "storage/text_file.h"
#include "storage/value_conversion.h"

namespace mmx {

namespace {

constexpr int kSlots = unit::kSlots;
constexpr int kTriggers = unit::kTriggers;
constexpr int kEntries = unit::kEntriesPerTrigger;
constexpr int kZones = unit::kZonesPerTrigger;

// An index in a key: one blank where a minus sign would stand, then the digits.
std::string keyIndex(int n) { return " " + std::to_string(n); }
std::string boolText(bool value) { return value ? "True" : "False"; }
std::string entryText(int k) { return k > 0 ? " " + std::to_string(k) : " "; }

bool holdsLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

// The largest play time whose sound still has a 32-bit length at the highest rate.
constexpr int64_t kMaxPlayHundredths = int64_t{UINT32_MAX} * 100 / (2 * unit::kMaxSampleRate);

}  // namespace

std::optional<uint8_t> sequenceEntryValue(const std::string& text) {
    if (text.find_first_not_of(' ') == std::string::npos) return uint8_t{0};
    // Blanks around the digits, nothing else: " 2.6", "x" or " 13" name no slot.
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    const std::string digits = text.substr(first, last - first + 1);
    if (digits.empty() || digits.size() > 2 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int value = std::stoi(digits);
    if (value < 1 || value > kSlots) return std::nullopt;
    return static_cast<uint8_t>(value);
}

std::optional<Slot> slotFromTexts(const std::string& name, const std::string& path, const std::string& time,
                                  int64_t storedBytes, const std::string& rate, FileProblem* why) {
    Slot slot{path, name, {}};
    if (!slot.filled()) return slot;
    const auto fail = [why](FileProblem problem) -> std::optional<Slot> {
        if (why) *why = problem;
        return std::nullopt;
    };
    const auto hundredths = scaledDecimal(time, 2);
    if (!hundredths || *hundredths > kMaxPlayHundredths) return fail(FileProblem::NotPlayTime);
    // A stored length is whole blocks holding at least the checksum word.
    if (storedBytes < unit::kBlockBytes || storedBytes % unit::kBlockBytes != 0 || storedBytes > unit::kCapacityBytes)
        return fail(FileProblem::NotStoredLength);
    const auto hertz = scaledDecimal(rate, 3);
    if (!hertz || *hertz < unit::kMinSampleRate || *hertz > unit::kMaxSampleRate) return fail(FileProblem::NotSampleRate);
    // The shortest sound and file that show this time and stored length again.
    slot.wave.sampleRate = static_cast<uint32_t>(*hertz);
    slot.wave.dataLength = static_cast<uint32_t>(*hundredths * *hertz / 50);
    slot.wave.fileLength = static_cast<uint64_t>(storedBytes) - 2;
    return slot;
}

std::vector<std::string> setupLines(const Setup& setup) {
    std::vector<std::string> lines;
    lines.reserve(kSetupFileLines);
    const auto filled = [&setup](int k) { return setup.slot(k).filled(); };
    for (int n = 1; n <= kSlots; ++n) lines.push_back("MsgBt(" + keyIndex(n) + ") =" + boolText(filled(n)));
    for (int n = 1; n <= kSlots; ++n) {
        lines.push_back("WaveFile(" + keyIndex(n) + ")=" + setup.slot(n).name);
        lines.push_back("FilePath(" + keyIndex(n) + ")=" + setup.slot(n).path);
    }
    // Browse is offered for slot 1 and for the slot after each filled one.
    for (int n = 1; n <= kSlots; ++n) lines.push_back("Bt_Browse(" + keyIndex(n) + ")=" + boolText(n == 1 || filled(n - 1)));
    for (int n = 1; n <= kSlots; ++n)
        lines.push_back("MsgTime(" + keyIndex(n) + ")=" + (filled(n) ? formatHundredths(playHundredths(setup.slot(n))) : ""));
    for (int n = 1; n <= kSlots; ++n) lines.push_back("TMsgSize(" + keyIndex(n) + ")=" + std::to_string(storedLength(setup.slot(n))));
    for (int n = 1; n <= kSlots; ++n)
        lines.push_back("MsgSample(" + keyIndex(n) + ")=" + (filled(n) ? formatKilohertz(setup.slot(n).wave.sampleRate) : ""));
    for (int t = 1; t <= kTriggers; ++t) lines.push_back("TrgBt(" + keyIndex(t) + ")=" + boolText(setup.trigger(t).length() > 0));
    // The lists offer " " and one choice per filled slot; a set-up that never had a message has
    // never filled them.
    const int listed = filledCount(setup);
    lines.push_back("TRG1(" + keyIndex(13) + ")_ListCount=" + std::to_string(listed > 0 ? listed + 1 : 0));
    for (int t = 1; t <= kTriggers; ++t) {
        const Trigger& trigger = setup.trigger(t);
        for (int p = 0; p < kEntries; ++p) {
            const int n = kEntries * (t - 1) + p + 1;
            // An entry is open when it is the first or its predecessor holds a message.
            const bool enabled = p == 0 || p <= trigger.length();
            lines.push_back("TRG1(" + keyIndex(n) + ")_Enabled=" + boolText(enabled));
            lines.push_back("TRG1(" + keyIndex(n) + ")_Text=" + entryText(p < trigger.length() ? trigger.sequence[static_cast<size_t>(p)] : 0));
        }
    }
    for (int t = 1; t <= kTriggers; ++t) lines.push_back("TrgTime(" + keyIndex(t) + ")=" + formatHundredths(triggerPlayHundredths(setup, t)));
    for (int t = 1; t <= kTriggers; ++t) {
        for (int z = 0; z < kZones; ++z) {
            const int n = kZones * (t - 1) + z + 1;
            lines.push_back("Check1(" + keyIndex(n) + ")=" + ((setup.trigger(t).zones >> z) & 1 ? "1" : "0"));
        }
    }
    lines.push_back("TotalTime=" + formatHundredths(totalPlayHundredths(setup)));
    lines.push_back("TotalSize=" + std::to_string(totalKilobytes(setup)));
    lines.push_back("TFileLength=" + std::to_string(totalStoredLength(setup)));
    return lines;
}

std::optional<Setup> parseSetupLines(const std::vector<std::string>& lines, FileOutcome* outcome) {
    if (lines.size() < static_cast<size_t>(kSetupFileLines)) {
        if (outcome) *outcome = tooFewLines(lines.size(), kSetupFileLines);
        return std::nullopt;
    }
    // Values are taken by line number (1-based) so a refusal names the line it is on.
    const auto value = [&lines](int line) { return lineValue(lines[static_cast<size_t>(line - 1)]); };
    const auto refuse = [&value, outcome](FileProblem kind, int line) -> std::optional<Setup> {
        if (outcome) *outcome = refusedValue(kind, value(line), line);
        return std::nullopt;
    };
    // Line numbers of each group's first line.
    constexpr int kPlayFlags = 1, kNames = 13, kBrowseFlags = 37, kTimes = 49, kStored = 61, kRates = 73,
                  kTriggerFlags = 85, kListCount = 97, kEntryLines = 98, kZoneLines = 206, kTotalLength = 280;

    // The flags and counts the editor derives again: they must still be what they claim to be.
    for (int line = kPlayFlags; line < kPlayFlags + kSlots; ++line)
        if (!booleanValue(value(line))) return refuse(FileProblem::NotTrueFalseOrNumber, line);
    for (int line = kBrowseFlags; line < kBrowseFlags + kSlots; ++line)
        if (!booleanValue(value(line))) return refuse(FileProblem::NotTrueFalseOrNumber, line);

    Setup setup;
    for (int k = 1; k <= kSlots; ++k) {
        const int nameLine = kNames + 2 * (k - 1);
        const int64_t stored = wholeNumberValue(value(kStored + k - 1));
        if (stored < 0 || stored > unit::kCapacityBytes) return refuse(FileProblem::NotStoredLength, kStored + k - 1);
        FileProblem why = FileProblem::None;
        const auto slot = slotFromTexts(value(nameLine), value(nameLine + 1), value(kTimes + k - 1), stored,
                                        value(kRates + k - 1), &why);
        if (!slot) {
            const int line = why == FileProblem::NotPlayTime     ? kTimes + k - 1
                             : why == FileProblem::NotSampleRate ? kRates + k - 1
                                                                 : kStored + k - 1;
            return refuse(why, line);
        }
        setup.slot(k) = *slot;
    }
    for (int line = kTriggerFlags; line < kTriggerFlags + kTriggers; ++line)
        if (!booleanValue(value(line))) return refuse(FileProblem::NotTrueFalseOrNumber, line);
    if (!strictInteger(value(kListCount))) return refuse(FileProblem::NotWholeNumber, kListCount);
    for (int t = 1; t <= kTriggers; ++t) {
        Trigger& trigger = setup.trigger(t);
        bool ended = false;  // entries behind the first empty one never play
        for (int p = 0; p < kEntries; ++p) {
            const int line = kEntryLines + 2 * (kEntries * (t - 1) + p);
            if (!booleanValue(value(line))) return refuse(FileProblem::NotTrueFalseOrNumber, line);
            const auto k = sequenceEntryValue(value(line + 1));
            if (!k) return refuse(FileProblem::NotSlotNumber, line + 1);
            ended = ended || *k == 0;
            if (!ended) trigger.sequence[static_cast<size_t>(p)] = *k;
        }
    }
    for (int t = 1; t <= kTriggers; ++t) {
        for (int z = 0; z < kZones; ++z) {
            const int line = kZoneLines + kZones * (t - 1) + z;
            // 0 unticked, 1 ticked, 2 greyed (which plays nowhere).
            const auto state = strictInteger(value(line));
            if (!state || *state < 0 || *state > 2) return refuse(FileProblem::NotZoneState, line);
            if (*state == 1) setup.trigger(t).zones = static_cast<uint8_t>(setup.trigger(t).zones | (1u << z));
        }
    }
    const auto total = strictInteger(value(kTotalLength));
    if (!total || *total < INT32_MIN || *total > INT32_MAX) return refuse(FileProblem::NotWholeNumber, kTotalLength);
    return setup;
}

std::optional<Setup> readSetupFile(const std::string& path, FileOutcome* outcome) {
    FileOutcome why;
    const auto file = readTextFile(path, CodePage::Windows1252, &why);
    if (!file) {
        if (outcome) *outcome = why;
        return std::nullopt;
    }
    return parseSetupLines(file->lines, outcome);
}

FileOutcome writeSetupFile(const std::string& path, const Setup& setup) {
    const auto lines = setupLines(setup);
    // A line break inside a value (a file name may hold one) would shift every later line.
    for (size_t i = 0; i < lines.size(); ++i) {
        if (holdsLineBreak(lines[i])) return lineBreakInValue(static_cast<int>(i + 1));
    }
    return writeTextFile(path, lines, CodePage::Windows1252);
}

}  // namespace mmx
