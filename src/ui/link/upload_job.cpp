#include "ui/link/upload_job.h"

#include "storage/upload_record.h"

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
    // Without a settings folder there is nowhere to keep a record: every upload is then full.
    const bool keepsRecord = !setup.SettingsFolder.empty();
    const UploadRecord record(setup.SettingsFolder);
    std::unique_lock<std::mutex> hold;
    if (recordLock != nullptr) hold = std::unique_lock<std::mutex>(*recordLock);
    options.readTableFirst = setup.MessagesUploaded;
    if (keepsRecord) options.recordedUnitTables = record.tablesFor(image);
    if (hold.owns_lock()) hold.unlock();

    UploadResult result = driver.run(image, options);

    if (keepsRecord && !result.port.empty()) {
        if (hold.mutex() != nullptr) hold.lock();
        if (result.fullUpload && result.succeeded()) {
            record.remember(result.port, image, &recordError);
        } else if (result.unitErased && !result.succeeded()) {
            record.forget(result.port, &recordError);
        }
    }
    return result;
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
