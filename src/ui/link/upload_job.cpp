#include "ui/link/upload_job.h"

#include "app/link/upload_unit.h"

namespace mmx {

UploadJobResult runUploadJob(UploadDriver& driver, const UploadSnapshot& snapshot, UploadOptions options,
                             LinkEvents& events) {
    UploadJobResult job;
    LoadedImage loaded = loadUnitImage(snapshot.setup);
    if (!loaded.image) {
        job.fileProblem = loaded.problem;
        job.upload.failedStep = UploadStep::CheckImage;
        job.upload.messagesUploaded = snapshot.messagesUploaded;
        events.status(LinkStatus::UploadFailed);
        return job;
    }
    job.upload = runUploadJob(driver, *loaded.image, snapshot, options, job.recordError);
    return job;
}

UploadResult runUploadJob(UploadDriver& driver, const image::UnitImage& image, const UploadSnapshot& snapshot,
                          UploadOptions options, std::string& recordError, std::mutex* recordLock) {
    app::UploadOutcome outcome = app::uploadImage(driver, image, {snapshot.settingsFolder, snapshot.messagesUploaded},
                                                  std::move(options), recordLock);
    recordError = std::move(outcome.recordError);
    return outcome.upload;
}

void applyUploadResult(const UploadResult& result, Setup& setup) {
    if (!result.fullUpload || !result.succeeded()) return;
    for (int k = 1; k <= unit::kSlots; ++k) {
        const int64_t stored = result.storedLengths[static_cast<size_t>(k - 1)];
        Slot& slot = setup.slot(k);
        if (stored == 0 || !slot.filled() || stored == storedLength(slot)) continue;
        const WaveCheck now = ReadWaveHeader(slot.path);
        if (now.accepted) slot.wave = now.info;
    }
}

std::string fileProblemText(const UiTextTable& texts, const MessageFileProblem& problem) {
    int box = UiTextTable::MessagePathIncorrect;
    if (problem.messageBoxIndex) box = *problem.messageBoxIndex;
    std::string text = texts.messageBox(box);
    if (problem.kind == MessageFileProblem::Kind::EmptySlotInSequence) {
        text += " " + problem.detail;
    } else if (problem.slot != 0) {
        text += " Slot " + std::to_string(problem.slot) + " (" + problem.name + "): " + problem.path + ": " + problem.detail;
    } else {
        text += " " + problem.detail;
    }
    return text;
}

}  // namespace mmx
