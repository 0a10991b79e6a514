#include "app/link/upload_unit.h"

#include "storage/upload_record.h"

namespace mmx::app {

UploadOutcome uploadImage(UploadDriver& driver, const image::UnitImage& image, const UploadPlace& place,
                          UploadOptions options, std::mutex* recordLock) {
    UploadOutcome outcome;
    // Without a folder there is nowhere to keep a record: every upload is then full.
    const bool keepsRecord = !place.recordFolder.empty();
    const UploadRecord record(place.recordFolder);
    std::unique_lock<std::mutex> hold;
    if (recordLock != nullptr) hold = std::unique_lock<std::mutex>(*recordLock);
    options.readTableFirst = place.messagesUploaded;
    if (keepsRecord) options.recordedUnitTables = record.tablesFor(image);
    if (hold.owns_lock()) hold.unlock();

    outcome.upload = driver.run(image, options);
    const UploadResult& result = outcome.upload;

    if (keepsRecord && !result.port.empty()) {
        if (hold.mutex() != nullptr) hold.lock();
        if (result.fullUpload && result.succeeded()) {
            record.remember(result.port, image, &outcome.recordError);
        } else if (result.unitErased && !result.succeeded()) {
            record.forget(result.port, &outcome.recordError);
        }
    }
    return outcome;
}

}  // namespace mmx::app
