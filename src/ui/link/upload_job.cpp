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
    const image::UnitImage& image = *loaded.image;
    // Without a settings folder there is nowhere to keep a record: every upload is then full.
    const bool keepsRecord = !setup.SettingsFolder.empty();
    const UploadRecord record(setup.SettingsFolder);
    options.readTableFirst = setup.MessagesUploaded;
    if (keepsRecord) options.recordedUnitTables = record.tablesFor(image);

    job.upload = driver.run(image, options);

    if (keepsRecord && !job.upload.port.empty()) {
        if (job.upload.fullUpload && job.upload.succeeded()) {
            record.remember(job.upload.port, image, &job.recordError);
        } else if (job.upload.unitErased && !job.upload.succeeded()) {
            record.forget(job.upload.port, &job.recordError);
        }
    }
    return job;
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
