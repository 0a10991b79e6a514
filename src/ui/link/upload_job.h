#pragma once
// One upload as the operator starts it, from the window or the command line: every message
// file read whole and checked again, the image built, the upload run, and the record of what
// the unit now holds kept up to date.
#include <mutex>
#include <optional>
#include <string>

#include "core/setup.h"
#include "device/upload_driver.h"
#include "storage/message_files.h"
#include "ui/lang/ui_text_table.h"

namespace mmx {

struct UploadJobResult {
    std::optional<MessageFileProblem> fileProblem;  // set: nothing was sent, the port stayed closed
    UploadResult upload;
    std::string recordError;  // the record could not be written (the upload itself is as reported)

    bool succeeded() const { return !fileProblem && upload.succeeded(); }
};

// What an upload starts from, copied on the caller's thread: the set-up, where the record of
// uploads is kept, and whether the unit holds this set-up's messages already.
struct UploadSnapshot {
    Setup setup;
    std::string settingsFolder;
    bool messagesUploaded = false;
};

// options.readTableFirst and the recorded tables are filled in here.
UploadJobResult runUploadJob(UploadDriver& driver, const UploadSnapshot& snapshot, UploadOptions options,
                             LinkEvents& events);

// The same for an image built already (one image for many units): the upload and the record
// of what the unit now holds. recordLock, when given, is held while the record is read and
// rewritten, for uploads on several lines at once.
UploadResult runUploadJob(UploadDriver& driver, const image::UnitImage& image, const UploadSnapshot& snapshot,
                          UploadOptions options, std::string& recordError, std::mutex* recordLock = nullptr);

// What a finished full upload means for the set-up: a slot whose file was sent with another
// stored length than the set-up held (the file changed since it was chosen) takes the figures
// of the file as it was sent.
void applyUploadResult(const UploadResult& result, Setup& setup);

// The message-box text for a file problem followed by what and where:
// "Path of message file is incorrect! Slot 2 (welcome): /audio/welcome.wav: not a regular file".
std::string fileProblemText(const UiTextTable& texts, const MessageFileProblem& problem);

}  // namespace mmx
