#pragma once
// The message-box texts in English, by the numbers a language file keeps them under. The window
// starts from them before a language file replaces them; the command line always speaks them.
#include <array>

namespace mmx {

inline constexpr std::array<const char*, 13> kEnglishBoxTexts = {
    "Message files exceed memory capacity of 8380 KB!",
    "Word length of wave file is not 16 bit!",
    "Sample frequency is not in the range of 8...24 kHz!",
    "The file is not a mono file!",
    "The file is not a WAVE file!",
    "The unit cannot be operated while upload is in progress!",
    "Do you want to save the changes?",
    "Com port not connected!",
    "Initial file cannot be found!",
    "Language file cannot be found!",
    "Configuration file cannot be found!",
    "Path of message file is incorrect!",
    "RS232 Com Port cannot be open!",
};

}  // namespace mmx
