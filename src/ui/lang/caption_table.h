#pragma once
// Every caption the windows show, named after the control that shows it. The windows read
// these fields directly; a language file replaces most of them (loadLanguageFile, readSplashCaptions).
// Array fields hold the control arrays: Lb_Logo[i] is Lb_Logo(i), ComP[i] is ComP(i + 1).
#include <array>
#include <string>

#include "storage/printout.h"

namespace mmx {

struct CaptionTable {
    // Splash window (language file lines 1 to 10).
    std::array<std::string, 10> Lb_Logo{
        "message manager set up",
        "MMX4210/00 set up",
        "message upload",
        "trigger input configuration",
        "Release 2.3  (c) the maker, all rights reserved",
        "Distributed by your authorised MMX dealer",
        "www.example.com   Doc. MMX4210-SU-23",
        "",
        "",
        "",
    };

    // Frame window menus (lines 12 to 36).
    std::string File = "File";
    std::string Open = "Open";
    std::string Save = "Save";
    std::string Save_as = "Save as";
    std::string Save_as_text_file = "Save as text file";
    std::string Exit = "Exit";
    std::string Setup = "Setup";
    std::string Comport = "Com port";
    std::array<std::string, 10> ComP{"Com1", "Com2", "Com3", "Com4", "Com5",
                                     "Com6", "Com7", "Com8", "Com9", "Com10"};
    std::string Language = "Language";
    std::string zh_s = "zh-s";
    std::string zh_t = "zh-t";
    std::string en = "en";
    std::string nl = "nl";
    std::string other = "other";
    std::string Help = "Help";
    std::string Instructions_for_use = "Instructions for use";
    std::string Contacts = "Contacts";
    std::string About_Zanth_message_manager = "About Zanth message manager";

    // Editor window (lines 37 to 54).
    std::string Frame1_0 = "Message";
    std::string Lb_Message_Play = "Play";
    std::string Lb_Message_File = "File";
    std::string Lb_Message_Time_0 = "Time";
    std::string Lb_Message_Time_1 = "[s]";
    std::string Lb_Message_Size_0 = "Size";
    std::string Lb_Message_Size_1 = "[kB]";
    std::string Lb_Message_Sample_0 = "Sample rate";
    std::string Lb_Message_Sample_1 = "[kHz]";
    std::string Bt_Browse = "Browse";  // all twelve Browse buttons
    std::string Frame1_1 = "Trigger";
    std::string Lb_Trigger_Play = "Play";
    std::string Lb_Trigger_Ms = "Message sequence";
    std::string Lb_Trigger_Time_0 = "Time";
    std::string Lb_Trigger_Time_1 = "[s]";
    std::string Lb_Trigger_Zones_0 = "Zones";
    std::string Lb_Total = "Total";
    std::string Bt_SendMessage = "Send messages and configuration";

    // Captions no language file changes.
    std::array<std::string, 6> Lb_Trigger_Zones{"1", "2", "3", "4", "5", "6"};  // Lb_Trigger_Zones(1..6)
    std::array<std::string, 12> Lb_Msg{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    std::array<std::string, 12> Lb_TRG{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    std::string PlayIdle = ">";     // MsgBt and TrgBt while nothing plays
    std::string PlayActive = "-";   // while their message or sequence plays
    std::string Form1 = "MMX4210";  // editor window caption, title of its message boxes

    // The headings the printout takes from these captions.
    PrintoutCaptions printout() const;
};

// Number of lines a language file must have.
inline constexpr int kLanguageFileLines = 83;

}  // namespace mmx
