#pragma once
// The set-up printout: a 17-line text table of the slots and triggers, with TAB characters
// at fixed columns, written for a text viewer and never read back.
#include <string>
#include <vector>

#include "core/setup.h"
#include "storage/file_outcome.h"

namespace mmx {

inline constexpr const char* kDefaultPrintoutFile = "PrintSetup.txt";
inline constexpr int kPrintoutLines = 17;

// The headings the printout takes from the editor's current captions.
struct PrintoutCaptions {
    std::string Frame1_0 = "Message";
    std::string Frame1_1 = "Trigger";
    std::string Lb_Message_File = "File";
    std::string Lb_Message_Time_0 = "Time";
    std::string Lb_Message_Time_1 = "[s]";
    std::string Lb_Message_Size_0 = "Size";
    std::string Lb_Message_Size_1 = "[kB]";
    std::string Lb_Message_Sample_0 = "Sample rate";
    std::string Lb_Message_Sample_1 = "[kHz]";
    std::string Lb_Trigger_Ms = "Message sequence";
    std::string Lb_Trigger_Time_0 = "Time";
    std::string Lb_Trigger_Time_1 = "[s]";
    std::string Lb_Trigger_Zones_0 = "Zones";
    std::string Lb_Total = "Total";
};

// "1,2, , " : the four entries of a trigger's sequence joined by ",", a blank for none.
std::string sequenceText(const Trigger& trigger);
// "1, ,3, , , " : the six zones of a trigger joined by ",".
std::string zonesText(const Trigger& trigger);

// The 17 lines (UTF-8, without line ends).
std::vector<std::string> printoutLines(const Setup& setup, const PrintoutCaptions& captions);
// The bytes a new printout file holds: the lines with CR LF, UTF-8.
std::string printoutBytes(const Setup& setup, const PrintoutCaptions& captions);

// Writes the printout to path, replacing any file there; a failure comes back without a message.
FileOutcome writePrintout(const std::string& path, const Setup& setup, const PrintoutCaptions& captions);

}  // namespace mmx
