#pragma once
// What reading or writing one of the program's files came to: success, or what is wrong and on
// which line. `problem` says it in plain English words for a log or a terminal; the kind and
// the values let a window word it in the language in use. Which message the operator sees is
// chosen by whoever shows it.
#include <string>
#include <utility>

namespace mmx {

enum class FileProblem {
    None,
    CannotRead,            // the system refused to open or read it (systemError)
    NotAFile,              // a folder or device stands where the file should be
    TooLarge,              // far larger than any file of this program
    NoFileName,            // the path ends in a folder
    ReadOnly,              // the file being replaced may not be written
    CannotCreate,          // no new file can be made in its folder (systemError)
    CannotKeepOwner,       // the replacement could not keep the old owner and group (systemError)
    CannotWrite,           // writing, flushing or renaming failed (systemError)
    NotEncodable,          // the text has no place in the file's encoding
    TooFewLines,           // value: the lines found; expected: the lines needed
    LineBreakInValue,
    NotTrueFalseOrNumber,  // value
    NotStoredLength,       // value
    NotWholeNumber,        // value
    NotZoneState,          // value: not 0, 1 or 2
    BadSettingsValue,      // some value is not a number or True/False
    NotSlotNumber,         // value: a sequence entry that is not a whole slot number 1..12
    NotPlayTime,           // value: a filled slot's time is not seconds with a "." fraction
    NotSampleRate,         // value: a filled slot's rate is not 8 to 24 kHz
    NotTimeOut,            // value: not 0 to 60000 ms
    NotLineSetting,        // value: a baud rate, parity, data or stop bits no port takes
};

struct FileOutcome {
    bool ok = true;
    int line = 0;         // 1-based line the problem is on; 0: the file as a whole
    std::string problem;  // "\"maybe\" is not True, False or a number", "has 200 lines, 280 are needed"
    FileProblem kind = FileProblem::None;
    std::string value;    // the refused value, or the number of lines found
    int expected = 0;     // the number of lines needed
    int systemError = 0;  // errno behind a failed read or write

    static FileOutcome success() { return {}; }
    static FileOutcome failure(FileProblem kind, std::string problem, int line = 0) {
        FileOutcome outcome;
        outcome.ok = false;
        outcome.kind = kind;
        outcome.line = line;
        outcome.problem = std::move(problem);
        return outcome;
    }
    static FileOutcome systemFailure(FileProblem kind, std::string problem, int systemError) {
        FileOutcome outcome = failure(kind, std::move(problem));
        outcome.systemError = systemError;
        return outcome;
    }
    explicit operator bool() const { return ok; }
    // "line 12: \"maybe\" is not True, False or a number", or the problem alone.
    std::string reason() const { return line > 0 ? "line " + std::to_string(line) + ": " + problem : problem; }
};

// The refusals the set-up and settings files share.
inline FileOutcome tooFewLines(size_t found, int needed) {
    FileOutcome outcome = FileOutcome::failure(
        FileProblem::TooFewLines, "has " + std::to_string(found) + " lines, " + std::to_string(needed) + " are needed");
    outcome.value = std::to_string(found);
    outcome.expected = needed;
    return outcome;
}

inline FileOutcome lineBreakInValue(int line) {
    return FileOutcome::failure(FileProblem::LineBreakInValue, "a value holds a line break", line);
}

// "\"maybe\" is not True, False or a number" on the given line.
inline FileOutcome refusedValue(FileProblem kind, const std::string& value, int line) {
    const char* what = kind == FileProblem::NotTrueFalseOrNumber ? "is not True, False or a number"
                       : kind == FileProblem::NotStoredLength    ? "is not a stored length within the memory"
                       : kind == FileProblem::NotZoneState       ? "is not 0, 1 or 2"
                       : kind == FileProblem::NotSlotNumber      ? "is not a message number from 1 to 12"
                       : kind == FileProblem::NotPlayTime        ? "is not a play time in seconds"
                       : kind == FileProblem::NotSampleRate      ? "is not a sample rate of 8 to 24 kHz"
                       : kind == FileProblem::NotTimeOut         ? "is not a time-out of 0 to 60000 ms"
                       : kind == FileProblem::NotLineSetting     ? "is not a serial setting a port takes"
                                                                 : "is not a whole number";
    FileOutcome outcome = FileOutcome::failure(kind, "\"" + value + "\" " + what, line);
    outcome.value = value;
    return outcome;
}

}  // namespace mmx
