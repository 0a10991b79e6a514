#include "ui/qt/file_problem_words.h"

#include <cstring>

namespace mmx {

namespace {

QString problemOf(const FileOutcome& outcome) {
    // The system's own words for errno follow the user's locale, as in every other program.
    const QString system = outcome.systemError != 0 ? QString::fromLocal8Bit(std::strerror(outcome.systemError)) : QString();
    const QString value = QString::fromStdString(outcome.value);
    switch (outcome.kind) {
        case FileProblem::CannotRead: return FileProblemWords::tr("cannot be read (%1)").arg(system);
        case FileProblem::NotAFile: return FileProblemWords::tr("is not a file");
        case FileProblem::TooLarge: return FileProblemWords::tr("is too large for a file of this program");
        case FileProblem::NoFileName: return FileProblemWords::tr("no file name was given");
        case FileProblem::ReadOnly: return FileProblemWords::tr("is read-only; it was left as it is");
        case FileProblem::CannotCreate: return FileProblemWords::tr("no file can be made in its folder (%1)").arg(system);
        case FileProblem::CannotKeepOwner:
            return FileProblemWords::tr("belongs to another user or group; it was left as it is (%1)").arg(system);
        case FileProblem::CannotWrite: return FileProblemWords::tr("cannot be written (%1); the old file was kept").arg(system);
        case FileProblem::NotEncodable: return FileProblemWords::tr("holds text that cannot be stored");
        case FileProblem::TooFewLines:
            return FileProblemWords::tr("has %1 lines, %2 are needed").arg(value).arg(outcome.expected);
        case FileProblem::LineBreakInValue: return FileProblemWords::tr("a value holds a line break");
        case FileProblem::NotTrueFalseOrNumber: return FileProblemWords::tr("\"%1\" is not True, False or a number").arg(value);
        case FileProblem::NotStoredLength:
            return FileProblemWords::tr("\"%1\" is not a stored length within the memory").arg(value);
        case FileProblem::NotWholeNumber: return FileProblemWords::tr("\"%1\" is not a whole number").arg(value);
        case FileProblem::NotZoneState: return FileProblemWords::tr("\"%1\" is not 0, 1 or 2").arg(value);
        case FileProblem::BadSettingsValue: return FileProblemWords::tr("a value is not a number or True/False");
        case FileProblem::None: break;
    }
    return QString::fromStdString(outcome.problem);
}

}  // namespace

QString FileProblemWords::reason(const FileOutcome& outcome) {
    const QString problem = problemOf(outcome);
    return outcome.line > 0 ? tr("line %1: %2").arg(outcome.line).arg(problem) : problem;
}

}  // namespace mmx
