#pragma once
// What the next upload will take, for the line beside the upload button: the whole memory
// rewritten, or only the two tables when the unit holds this set-up's messages already.
#include <cstdint>

#include "core/line_settings.h"

namespace mmx {

struct UploadEstimate {
    bool full = true;  // messages and tables; else the tables only
    int seconds = 0;
};

// messageBytes: the stored length of all messages (whole 350-byte blocks).
UploadEstimate estimateUpload(int64_t messageBytes, bool messagesOnUnit, const LineSettings& line);

}  // namespace mmx
