#pragma once
// What went wrong below the window, in the language in use: a set-up, settings or printout file
// that could not be read or written, and a serial port that would not open.
#include <QCoreApplication>
#include <QString>

#include "platform/serial/open_advice.h"
#include "storage/file_outcome.h"
#include "storage/message_files.h"

namespace mmx {

class ProblemWords {
    Q_DECLARE_TR_FUNCTIONS(ProblemWords)

public:
    // "line 12: "maybe" is not True, False or a number", or the problem alone.
    static QString fileReason(const FileOutcome& outcome);
    // "Slot 4 (welcome): /home/op/welcome.wav: cannot be read (Permission denied)".
    static QString messageFile(const MessageFileProblem& problem);
    // "/dev/ttyUSB0: another program has the port", with what to do about it.
    static QString portAdvice(const OpenFailure& failure);
    // Makes the storage and serial layers speak through these words from now on.
    static void install();
};

}  // namespace mmx
