#include "storage/printout.h"

#include "core/ui_text_table.h"
#include "storage/text_file.h"

namespace mmx {

namespace {

constexpr char kTab = '\t';

// Appends a field's text and pads with blanks so that the TAB after it lands on stopColumn
// (columns count characters from 1, a TAB being one character).
void field(std::string& line, const std::string& text, size_t stopColumn) {
    line += text;
    while (characterCount(line) + 1 < stopColumn) line += ' ';
    line += kTab;
}

}  // namespace

std::string sequenceText(const TriggerTable& triggers, int row) {
    std::string text;
    for (int position = 1; position <= kEntriesPerTrigger; ++position) {
        const std::string& entry = triggers.entry(entryIndex(row, position)).text;
        if (position > 1) text += ',';
        text += entry == " " ? entry : trimBlanks(entry);
    }
    return text;
}

std::string zonesText(const TriggerTable& triggers, int row) {
    std::string text;
    for (int zone = 1; zone <= kZonesPerTrigger; ++zone) {
        if (zone > 1) text += ',';
        text += triggers.zone(zoneIndex(row, zone)) == 1 ? static_cast<char>('0' + zone) : ' ';
    }
    return text;
}

std::vector<std::string> printoutLines(const ProgramState& state, const PrintoutCaptions& c) {
    const MessageTable& messages = state.messages;
    const TriggerTable& triggers = state.triggers;
    std::vector<std::string> lines;
    lines.reserve(kPrintoutLines);
    lines.push_back(c.Frame1_0 + std::string(48, '-') + " " + c.Frame1_1 + std::string(36, '-'));
    lines.push_back("\t" + c.Lb_Message_File + "\t\t\t" + c.Lb_Message_Time_0 + "\t" + c.Lb_Message_Size_0 + "\t" +
                    c.Lb_Message_Sample_0 + "\t" + c.Lb_Trigger_Ms + "\t" + c.Lb_Trigger_Time_0 + "\t" +
                    c.Lb_Trigger_Zones_0);
    lines.push_back("\t\t\t\t" + c.Lb_Message_Time_1 + "\t" + c.Lb_Message_Size_1 + "\t" + c.Lb_Message_Sample_1 +
                    "\t\t\t\t" + c.Lb_Trigger_Time_1 + "\t");
    for (int n = 1; n <= kSlotCount; ++n) {
        const MessageSlot& slot = messages.slot(n);
        std::string line = std::to_string(n) + kTab;
        field(line, firstCharacters(slot.WaveFile, 20), 24);
        field(line, firstCharacters(slot.MsgTime, 6), 31);
        field(line, firstCharacters(slot.MsgSize, 6), 38);
        field(line, firstCharacters(slot.MsgSample, 6), 45);
        field(line, std::to_string(n), 49);
        field(line, firstCharacters(sequenceText(triggers, n), 14), 64);
        field(line, firstCharacters(triggers.time(n), 6), 71);
        line += zonesText(triggers, n);
        lines.push_back(line);
    }
    lines.push_back("\t" + c.Lb_Total + "\t\t\t" + firstCharacters(messages.TotalTime, 8) + "\t" +
                    firstCharacters(messages.TotalSize, 8));
    lines.push_back(std::string(99, '-'));
    return lines;
}

std::string printoutBytes(const ProgramState& state, const PrintoutCaptions& captions) {
    return encodeLines(printoutLines(state, captions), TextEncoding::Utf8).value_or(std::string());
}

FileOutcome PrintOutTxt(const ProgramState& state, const PrintoutCaptions& captions, const std::string& path) {
    return writeTextFile(path, printoutLines(state, captions), CodePage::Windows1252);
}

}  // namespace mmx
