#pragma once
// A small set-up (two messages, two triggers with zones) and the exact set-up file it saves as.
#include <string>

#include "core/program_state.h"
#include "storage/text_codec.h"

namespace mmx::test {

// Lines joined with CR LF after each, as the program's text files hold them.
inline std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// A positional text file with line `line` (1-based) replaced, lines ending in CR LF.
inline std::string withLineReplaced(const std::string& fileText, int line, const std::string& text) {
    auto lines = splitLines(fileText);
    lines.at(static_cast<size_t>(line - 1)) = text;
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    return bytes;
}

inline void fillSmallSetup(ProgramState& state) {
    MessageTable& m = state.messages;
    m.clear();
    m.slot(1) = MessageSlot{"/data/sounds/Welcome.wav", "Welcome", "2.50", "110", "22.050", 110600, true, true};
    m.slot(2) = MessageSlot{"/data/sounds/Alarm=loud.wav", "Alarm", "1.25", "28", "11.025", 28000, true, true};
    m.slot(3).BrowseEnabled = true;
    m.TotalTime = "3.75";
    m.TotalSize = "138";
    m.TFileLength = 0;  // SaveConfig sums the stored lengths itself

    TriggerTable& t = state.triggers;
    t.clear();
    t.rebuildLists(2);
    t.entry(1).text = " 1";
    t.entry(2) = {" 2", true};
    t.entry(3).enabled = true;
    t.entry(5).text = " 2";
    t.entry(6).enabled = true;
    t.time(1) = "3.75";
    t.time(2) = "1.25";
    t.playEnabled(1) = true;
    t.playEnabled(2) = true;
    t.zone(1) = 1;
    t.zone(3) = 1;
    t.zone(11) = 2;  // greyed
    t.zone(12) = 1;
}

// What SaveConfig writes for fillSmallSetup (before crlf).
inline const std::string kSmallSetupFile = R"(
MsgBt( 1) =True
MsgBt( 2) =True
MsgBt( 3) =False
MsgBt( 4) =False
MsgBt( 5) =False
MsgBt( 6) =False
MsgBt( 7) =False
MsgBt( 8) =False
MsgBt( 9) =False
MsgBt( 10) =False
MsgBt( 11) =False
MsgBt( 12) =False
WaveFile( 1)=Welcome
FilePath( 1)=/data/sounds/Welcome.wav
WaveFile( 2)=Alarm
FilePath( 2)=/data/sounds/Alarm=loud.wav
WaveFile( 3)=
FilePath( 3)=
WaveFile( 4)=
FilePath( 4)=
WaveFile( 5)=
FilePath( 5)=
WaveFile( 6)=
FilePath( 6)=
WaveFile( 7)=
FilePath( 7)=
WaveFile( 8)=
FilePath( 8)=
WaveFile( 9)=
FilePath( 9)=
WaveFile( 10)=
FilePath( 10)=
WaveFile( 11)=
FilePath( 11)=
WaveFile( 12)=
FilePath( 12)=
Bt_Browse( 1)=True
Bt_Browse( 2)=True
Bt_Browse( 3)=True
Bt_Browse( 4)=False
Bt_Browse( 5)=False
Bt_Browse( 6)=False
Bt_Browse( 7)=False
Bt_Browse( 8)=False
Bt_Browse( 9)=False
Bt_Browse( 10)=False
Bt_Browse( 11)=False
Bt_Browse( 12)=False
MsgTime( 1)=2.50
MsgTime( 2)=1.25
MsgTime( 3)=
MsgTime( 4)=
MsgTime( 5)=
MsgTime( 6)=
MsgTime( 7)=
MsgTime( 8)=
MsgTime( 9)=
MsgTime( 10)=
MsgTime( 11)=
MsgTime( 12)=
TMsgSize( 1)=110600
TMsgSize( 2)=28000
TMsgSize( 3)=0
TMsgSize( 4)=0
TMsgSize( 5)=0
TMsgSize( 6)=0
TMsgSize( 7)=0
TMsgSize( 8)=0
TMsgSize( 9)=0
TMsgSize( 10)=0
TMsgSize( 11)=0
TMsgSize( 12)=0
MsgSample( 1)=22.050
MsgSample( 2)=11.025
MsgSample( 3)=
MsgSample( 4)=
MsgSample( 5)=
MsgSample( 6)=
MsgSample( 7)=
MsgSample( 8)=
MsgSample( 9)=
MsgSample( 10)=
MsgSample( 11)=
MsgSample( 12)=
TrgBt( 1)=True
TrgBt( 2)=True
TrgBt( 3)=False
TrgBt( 4)=False
TrgBt( 5)=False
TrgBt( 6)=False
TrgBt( 7)=False
TrgBt( 8)=False
TrgBt( 9)=False
TrgBt( 10)=False
TrgBt( 11)=False
TrgBt( 12)=False
TRG1( 13)_ListCount=3
TRG1( 1)_Enabled=True
TRG1( 1)_Text= 1
TRG1( 2)_Enabled=True
TRG1( 2)_Text= 2
TRG1( 3)_Enabled=True
TRG1( 3)_Text= 
TRG1( 4)_Enabled=False
TRG1( 4)_Text= 
TRG1( 5)_Enabled=True
TRG1( 5)_Text= 2
TRG1( 6)_Enabled=True
TRG1( 6)_Text= 
TRG1( 7)_Enabled=False
TRG1( 7)_Text= 
TRG1( 8)_Enabled=False
TRG1( 8)_Text= 
TRG1( 9)_Enabled=True
TRG1( 9)_Text= 
TRG1( 10)_Enabled=False
TRG1( 10)_Text= 
TRG1( 11)_Enabled=False
TRG1( 11)_Text= 
TRG1( 12)_Enabled=False
TRG1( 12)_Text= 
TRG1( 13)_Enabled=True
TRG1( 13)_Text= 
TRG1( 14)_Enabled=False
TRG1( 14)_Text= 
TRG1( 15)_Enabled=False
TRG1( 15)_Text= 
TRG1( 16)_Enabled=False
TRG1( 16)_Text= 
TRG1( 17)_Enabled=True
TRG1( 17)_Text= 
TRG1( 18)_Enabled=False
TRG1( 18)_Text= 
TRG1( 19)_Enabled=False
TRG1( 19)_Text= 
TRG1( 20)_Enabled=False
TRG1( 20)_Text= 
TRG1( 21)_Enabled=True
TRG1( 21)_Text= 
TRG1( 22)_Enabled=False
TRG1( 22)_Text= 
TRG1( 23)_Enabled=False
TRG1( 23)_Text= 
TRG1( 24)_Enabled=False
TRG1( 24)_Text= 
TRG1( 25)_Enabled=True
TRG1( 25)_Text= 
TRG1( 26)_Enabled=False
TRG1( 26)_Text= 
TRG1( 27)_Enabled=False
TRG1( 27)_Text= 
TRG1( 28)_Enabled=False
TRG1( 28)_Text= 
TRG1( 29)_Enabled=True
TRG1( 29)_Text= 
TRG1( 30)_Enabled=False
TRG1( 30)_Text= 
TRG1( 31)_Enabled=False
TRG1( 31)_Text= 
TRG1( 32)_Enabled=False
TRG1( 32)_Text= 
TRG1( 33)_Enabled=True
TRG1( 33)_Text= 
TRG1( 34)_Enabled=False
TRG1( 34)_Text= 
TRG1( 35)_Enabled=False
TRG1( 35)_Text= 
TRG1( 36)_Enabled=False
TRG1( 36)_Text= 
TRG1( 37)_Enabled=True
TRG1( 37)_Text= 
TRG1( 38)_Enabled=False
TRG1( 38)_Text= 
TRG1( 39)_Enabled=False
TRG1( 39)_Text= 
TRG1( 40)_Enabled=False
TRG1( 40)_Text= 
TRG1( 41)_Enabled=True
TRG1( 41)_Text= 
TRG1( 42)_Enabled=False
TRG1( 42)_Text= 
TRG1( 43)_Enabled=False
TRG1( 43)_Text= 
TRG1( 44)_Enabled=False
TRG1( 44)_Text= 
TRG1( 45)_Enabled=True
TRG1( 45)_Text= 
TRG1( 46)_Enabled=False
TRG1( 46)_Text= 
TRG1( 47)_Enabled=False
TRG1( 47)_Text= 
TRG1( 48)_Enabled=False
TRG1( 48)_Text= 
TrgTime( 1)=3.75
TrgTime( 2)=1.25
TrgTime( 3)=0.00
TrgTime( 4)=0.00
TrgTime( 5)=0.00
TrgTime( 6)=0.00
TrgTime( 7)=0.00
TrgTime( 8)=0.00
TrgTime( 9)=0.00
TrgTime( 10)=0.00
TrgTime( 11)=0.00
TrgTime( 12)=0.00
Check1( 1)=1
Check1( 2)=0
Check1( 3)=1
Check1( 4)=0
Check1( 5)=0
Check1( 6)=0
Check1( 7)=0
Check1( 8)=0
Check1( 9)=0
Check1( 10)=0
Check1( 11)=2
Check1( 12)=1
Check1( 13)=0
Check1( 14)=0
Check1( 15)=0
Check1( 16)=0
Check1( 17)=0
Check1( 18)=0
Check1( 19)=0
Check1( 20)=0
Check1( 21)=0
Check1( 22)=0
Check1( 23)=0
Check1( 24)=0
Check1( 25)=0
Check1( 26)=0
Check1( 27)=0
Check1( 28)=0
Check1( 29)=0
Check1( 30)=0
Check1( 31)=0
Check1( 32)=0
Check1( 33)=0
Check1( 34)=0
Check1( 35)=0
Check1( 36)=0
Check1( 37)=0
Check1( 38)=0
Check1( 39)=0
Check1( 40)=0
Check1( 41)=0
Check1( 42)=0
Check1( 43)=0
Check1( 44)=0
Check1( 45)=0
Check1( 46)=0
Check1( 47)=0
Check1( 48)=0
Check1( 49)=0
Check1( 50)=0
Check1( 51)=0
Check1( 52)=0
Check1( 53)=0
Check1( 54)=0
Check1( 55)=0
Check1( 56)=0
Check1( 57)=0
Check1( 58)=0
Check1( 59)=0
Check1( 60)=0
Check1( 61)=0
Check1( 62)=0
Check1( 63)=0
Check1( 64)=0
Check1( 65)=0
Check1( 66)=0
Check1( 67)=0
Check1( 68)=0
Check1( 69)=0
Check1( 70)=0
Check1( 71)=0
Check1( 72)=0
TotalTime=3.75
TotalSize=138
TFileLength=138600
)";

inline std::string smallSetupFileBytes() { return crlf(kSmallSetupFile.substr(1)); }

}  // namespace mmx::test
