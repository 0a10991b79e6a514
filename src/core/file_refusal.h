#pragma once
// Why a message file or the messages together are refused. The numbers are those under which
// a language file keeps the message-box text that says so, so a refusal travels as a number
// from the check to whichever front end words it.
namespace mmx {

struct FileRefusal {
    enum : int {
        ExceedsCapacity = 0,
        Not16Bit = 1,
        BadSampleRate = 2,
        NotMono = 3,
        NotWave = 4,
        MessagePathIncorrect = 11,
    };
};

}  // namespace mmx
