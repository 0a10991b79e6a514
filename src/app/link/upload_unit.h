#pragma once
// One upload of a built image to one unit, with the record of what each unit holds kept up to
// date: the record decides whether only the tables need rewriting, and learns from the result.
// The same call serves one port and each line of many ports at once.
#include <mutex>
#include <string>

#include "device/upload_driver.h"
#include "image/unit_image.h"

namespace mmx::app {

struct UploadPlace {
    std::string recordFolder;       // where the upload record lives (ends with "/"); empty: none
    bool messagesUploaded = false;  // the set-up's messages went to a unit before: ask it first
};

struct UploadOutcome {
    UploadResult upload;
    std::string recordError;  // the record could not be written (the upload itself is as reported)
};

// recordLock, when given, is held while the record is read and rewritten (several lines at once).
UploadOutcome uploadImage(UploadDriver& driver, const image::UnitImage& image, const UploadPlace& place,
                          UploadOptions options, std::mutex* recordLock = nullptr);

}  // namespace mmx::app
