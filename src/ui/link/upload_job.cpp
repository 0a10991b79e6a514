#include "ui/link/upload_job.h"

#include "app/link/upload_unit.h"

namespace mmx {

UploadJobResult runUploadJob(UploadDriver& driver, const ProgramState& setup, UploadOptions options,
                             LinkEvents& events) {
    UploadJobResult job;
    LoadedImage loaded = loadUnitImage(setup);
    if (!loaded.image) {
        job.fileProblem = loaded.problem;
        job.upload.failedStep = UploadStep::CheckImage;
        job.upload.messagesUploaded = setup.MessagesUploaded;
        events.status(LinkStatus::UploadFailed);
        return job;
    }
    job.upload = runUploadJob(driver, *loaded.image, setup, options, job.recordError);
    return job;
}

UploadResult runUploadJob(UploadDriver& driver, const image::UnitImage& image, const ProgramState& setup,
                          UploadOptions options, std::string& recordError, std::mutex* recordLock) {
    app::UploadOutcome outcome = app::uploadImage(driver, image, {setup.SettingsFolder, setup.MessagesUploaded},
                                                  std::move(options), recordLock);
    recordError = std::move(outcome.recordError);
    return outcome.upload;
}

void applyUploadResult(const UploadResult& result, ProgramState& setup) {
    if (result.fullUpload && result.succeeded()) {
        for (int k = 1; k <= kSlotCount; ++k) {
            const int32_t stored = result.storedLengths[static_cast<size_t>(k - 1)];
            MessageSlot& slot = setup.messages.slot(k);
            if (stored == 0 || !slot.filled()) continue;
            slot.TMsgSize = stored;
            slot.MsgSize = std::to_string(stored / 1000);
        }
        setup.messages.recomputeTotals();
    }
    setup.MessagesUploaded = result.messagesUploaded;
}

std::string fileProblemText(const UiTextTable& texts, const MessageFileProblem& problem) {
    int box = UiTextTable::MessagePathIncorrect;
    if (problem.messageBoxIndex) box = *problem.messageBoxIndex;
    std::string text = texts.messageBox(box);
    if (problem.slot != 0) {
        text += " Slot " + std::to_string(problem.slot) + " (" + problem.name + "): " + problem.path + ": " + problem.detail;
    } else {
        text += " " + problem.detail;
    }
    return text;
}

}  // namespace mmx
