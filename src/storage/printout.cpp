#include "storage/printout.h"

#include "core/number_format.h"
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

std::string sequenceText(const Trigger& trigger) {
    std::string text;
    for (int position = 0; position < unit::kEntriesPerTrigger; ++position) {
        if (position > 0) text += ',';
        text += position < trigger.length() ? std::to_string(trigger.sequence[static_cast<size_t>(position)]) : " ";
    }
    return text;
}

std::string zonesText(const Trigger& trigger) {
    std::string text;
    for (int zone = 1; zone <= unit::kZonesPerTrigger; ++zone) {
        if (zone > 1) text += ',';
        text += (trigger.zones >> (zone - 1)) & 1 ? static_cast<char>('0' + zone) : ' ';
    }
    return text;
}

std::vector<std::string> printoutLines(const Setup& setup, const PrintoutCaptions& c) {
    std::vector<std::string> lines;
    lines.reserve(kPrintoutLines);
    lines.push_back(c.Frame1_0 + std::string(48, '-') + " " + c.Frame1_1 + std::string(36, '-'));
    lines.push_back("\t" + c.Lb_Message_File + "\t\t\t" + c.Lb_Message_Time_0 + "\t" + c.Lb_Message_Size_0 + "\t" +
                    c.Lb_Message_Sample_0 + "\t" + c.Lb_Trigger_Ms + "\t" + c.Lb_Trigger_Time_0 + "\t" +
                    c.Lb_Trigger_Zones_0);
    lines.push_back("\t\t\t\t" + c.Lb_Message_Time_1 + "\t" + c.Lb_Message_Size_1 + "\t" + c.Lb_Message_Sample_1 +
                    "\t\t\t\t" + c.Lb_Trigger_Time_1 + "\t");
    for (int n = 1; n <= unit::kSlots; ++n) {
        const Slot& slot = setup.slot(n);
        // An empty slot shows no figures.
        const auto shown = [&slot](const std::string& text) { return slot.filled() ? firstCharacters(text, 6) : ""; };
        std::string line = std::to_string(n) + kTab;
        field(line, firstCharacters(slot.name, 20), 24);
        field(line, shown(formatHundredths(playHundredths(slot))), 31);
        field(line, shown(std::to_string(sizeKilobytes(slot))), 38);
        field(line, shown(formatKilohertz(slot.wave.sampleRate)), 45);
        field(line, std::to_string(n), 49);
        field(line, firstCharacters(sequenceText(setup.trigger(n)), 14), 64);
        field(line, firstCharacters(formatHundredths(triggerPlayHundredths(setup, n)), 6), 71);
        line += zonesText(setup.trigger(n));
        lines.push_back(line);
    }
    lines.push_back("\t" + c.Lb_Total + "\t\t\t" + firstCharacters(formatHundredths(totalPlayHundredths(setup)), 8) + "\t" +
                    firstCharacters(std::to_string(totalKilobytes(setup)), 8));
    lines.push_back(std::string(99, '-'));
    return lines;
}

std::string printoutBytes(const Setup& setup, const PrintoutCaptions& captions) {
    return encodeLines(printoutLines(setup, captions), TextEncoding::Utf8).value_or(std::string());
}

FileOutcome writePrintout(const std::string& path, const Setup& setup, const PrintoutCaptions& captions) {
    return writeTextFile(path, printoutLines(setup, captions), CodePage::Windows1252);
}

}  // namespace mmx
