#include "ui/qt/problem_words.h"

#include "ui/app/file_alerts.h"

#include <cstring>

#include "core/unit_facts.h"

namespace mmx {

namespace {

QString problemOf(const FileOutcome& outcome) {
    // The system's own words for errno follow the user's locale, as in every other program.
    const QString system = outcome.systemError != 0 ? QString::fromLocal8Bit(std::strerror(outcome.systemError)) : QString();
    const QString value = QString::fromStdString(outcome.value);
    switch (outcome.kind) {
        case FileProblem::CannotRead: return ProblemWords::tr("cannot be read (%1)").arg(system);
        case FileProblem::NotAFile: return ProblemWords::tr("is not a file");
        case FileProblem::TooLarge: return ProblemWords::tr("is too large for a file of this program");
        case FileProblem::NoFileName: return ProblemWords::tr("no file name was given");
        case FileProblem::ReadOnly: return ProblemWords::tr("is read-only; it was left as it is");
        case FileProblem::CannotCreate: return ProblemWords::tr("no file can be made in its folder (%1)").arg(system);
        case FileProblem::CannotKeepOwner:
            return ProblemWords::tr("belongs to another user or group; it was left as it is (%1)").arg(system);
        case FileProblem::CannotWrite: return ProblemWords::tr("cannot be written (%1); the old file was kept").arg(system);
        case FileProblem::NotEncodable: return ProblemWords::tr("holds text that cannot be stored");
        case FileProblem::TooFewLines:
            return ProblemWords::tr("has %1 lines, %2 are needed").arg(value).arg(outcome.expected);
        case FileProblem::LineBreakInValue: return ProblemWords::tr("a value holds a line break");
        case FileProblem::NotTrueFalseOrNumber: return ProblemWords::tr("\"%1\" is not True, False or a number").arg(value);
        case FileProblem::NotStoredLength:
            return ProblemWords::tr("\"%1\" is not a stored length within the memory").arg(value);
        case FileProblem::NotWholeNumber: return ProblemWords::tr("\"%1\" is not a whole number").arg(value);
        case FileProblem::NotZoneState: return ProblemWords::tr("\"%1\" is not 0, 1 or 2").arg(value);
        case FileProblem::BadSettingsValue: return ProblemWords::tr("a value is not a number or True/False");
        case FileProblem::NotSlotNumber: return ProblemWords::tr("\"%1\" is not a message number from 1 to 12").arg(value);
        case FileProblem::NotPlayTime: return ProblemWords::tr("\"%1\" is not a play time in seconds").arg(value);
        case FileProblem::NotSampleRate: return ProblemWords::tr("\"%1\" is not a sample rate of 8 to 24 kHz").arg(value);
        case FileProblem::NotTimeOut: return ProblemWords::tr("\"%1\" is not a time-out of 0 to 60000 ms").arg(value);
        case FileProblem::NotLineSetting: return ProblemWords::tr("\"%1\" is not a serial setting a port takes").arg(value);
        case FileProblem::None: break;
    }
    return QString::fromStdString(outcome.problem);
}

}  // namespace

QString ProblemWords::fileReason(const FileOutcome& outcome) {
    const QString problem = problemOf(outcome);
    return outcome.line > 0 ? tr("line %1: %2").arg(outcome.line).arg(problem) : problem;
}

QString ProblemWords::messageFile(const MessageFileProblem& problem) {
    using Kind = MessageFileProblem::Kind;
    const QString system = QString::fromLocal8Bit(std::strerror(problem.systemError));
    QString detail;
    switch (problem.kind) {
        case Kind::OverCapacity:
            return tr("The messages need %1 bytes; the unit holds %2.").arg(problem.neededBytes).arg(unit::kCapacityBytes);
        case Kind::Missing:
            detail = problem.systemError != 0 ? tr("cannot be opened (%1)").arg(system) : tr("is not a file");
            break;
        case Kind::Unreadable: detail = tr("cannot be read (%1)").arg(system); break;
        case Kind::Refused: detail = tr("is no longer a WAVE file the unit plays"); break;
        case Kind::EmptySlotInSequence:
            return tr("Trigger %1 plays slot %2, which is empty.").arg(problem.trigger).arg(problem.slot);
    }
    return tr("Slot %1 (%2): %3: %4")
        .arg(problem.slot)
        .arg(QString::fromStdString(problem.name), QString::fromStdString(problem.path), detail);
}

QString ProblemWords::portAdvice(const OpenFailure& failure) {
    const QString path = QString::fromStdString(failure.path);
    const QString group = QString::fromStdString(failure.group);
    const QString mode = QString::fromStdString(failure.mode);
    const QString owner = failure.owner.empty() ? tr("its owner") : QString::fromStdString(failure.owner);
    switch (failure.kind) {
        case OpenFailureKind::NoDevice: return tr("%1: no such device").arg(path);
        case OpenFailureKind::Busy: return tr("%1: another program has the port").arg(path);
        case OpenFailureKind::NotSerial: return tr("%1: not a serial port").arg(path);
        case OpenFailureKind::AccessUnknown:
            return tr("%1: permission denied: add your user to the group that owns the device (usually dialout) and log "
                      "in again")
                .arg(path);
        case OpenFailureKind::OwnerOnly:
            return tr("%1: permission denied: only %2 may use it (mode %3); a udev rule with GROUP=\"dialout\", "
                      "MODE=\"0660\" opens it to the dialout group")
                .arg(path, owner, mode);
        case OpenFailureKind::KeptOutOfGroup:
            return tr("%1: permission denied: although you are in its group %2 (mode %3): an access list or a security "
                      "module keeps you out")
                .arg(path, group, mode);
        case OpenFailureKind::LogInAgain:
            return tr("%1: permission denied: you were added to its group %2 after this session began: log in again "
                      "(or run: newgrp %2)")
                .arg(path, group);
        case OpenFailureKind::JoinGroup:
            return tr("%1: permission denied: add your user to its group %2 (sudo usermod -aG %2 $USER) and log in "
                      "again")
                .arg(path, group);
        case OpenFailureKind::Other: break;
    }
    return QString::fromStdString(englishAdvice(failure));
}

void ProblemWords::install() {
    fileProblemWording() = [](const FileOutcome& outcome) { return fileReason(outcome).toStdString(); };
    openFailureWording() = [](const OpenFailure& failure) { return portAdvice(failure).toStdString(); };
}

}  // namespace mmx
