#pragma once
// One upload as the operator starts it, from the window or the command line: every message
// file read whole and checked again, the image built, the upload run, and the record of what
// the unit now holds kept up to date.
#include <mutex>
#include <optional>
#include <string>

#include "core/program_state.h"
#include "device/upload_driver.h"
#include "storage/message_files.h"

namespace mmx {

struct UploadJobResult {
    std::optional<MessageFileProblem> fileProblem;  // set: nothing was sent, the port stayed closed
    UploadResult upload;
    std::string recordError;  // the record could not be written (the upload itself is as reported)

    bool succeeded() const { return !fileProblem && upload.succeeded(); }
};

// setup is a snapshot taken on the caller's thread; options.readTableFirst and the recorded
// tables are filled in here.
UploadJobResult runUploadJob(UploadDriver& driver, const ProgramState& setup, UploadOptions options,
                             LinkEvents& events);

// The same for an image built already (one image for many units): the upload and the record
// of what the unit now holds. recordLock, when given, is held while the record is read and
// rewritten, for uploads on several lines at once.
UploadResult runUploadJob(UploadDriver& driver, const image::UnitImage& image, const ProgramState& setup,
                          UploadOptions options, std::string& recordError, std::mutex* recordLock = nullptr);

// What a finished upload means for the set-up: the stored lengths of a full upload (and their
// size texts and totals) and whether the unit holds its messages.
void applyUploadResult(const UploadResult& result, ProgramState& setup);

// The message-box text for a file problem followed by what and where:
// "Path of message file is incorrect! Slot 2 (welcome): /audio/welcome.wav: not a regular file".
std::string fileProblemText(const UiTextTable& texts, const MessageFileProblem& problem);

}  // namespace mmx
