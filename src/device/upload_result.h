#pragma once
// How an upload ended, in values only: the caller chooses the words and boxes for it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/unit_facts.h"
#include "device/unit_session.h"
#include "image/unit_tables.h"

namespace mmx {

enum class UploadVerdict {
    Succeeded,               // full upload, "L" acknowledged
    ConfigurationSucceeded,  // tables only, "L" acknowledged
    PortError,               // the port could not be opened
    Failed,                  // see failedStep and fault
    Cancelled,               // cancel() ended it; the port is closed
};

enum class UploadStep {
    None,
    Connect,
    CheckImage,         // the image does not fit the unit's memory
    ReadTable,          // "R" before the upload: the unit's message table
    Start,              // "P"
    Erase,              // "E" 0x3FFFFF or 0x1FFFFF
    SendMessage,        // "W", blocks or closing frame of failedSlot
    WriteTables,        // "W", the two table frames, closing frame
    Finish,             // "L"
    ConfigurationOnly,  // any step of the tables-only road
    Verify,             // the read-back message table differs from the one written
};

enum class UploadFault {
    None,
    PortCannotOpen,
    OverCapacity,
    NoAnswer,        // silence, a line that never completes an answer, or a lost line
    Refused,         // NAK after the tries, or a damaged, empty or unexpected answer
    VerifyMismatch,
    Cancelled,
};

struct UploadResult {
    UploadVerdict verdict = UploadVerdict::Failed;
    UploadStep failedStep = UploadStep::None;
    UploadFault fault = UploadFault::None;
    int failedSlot = 0;      // 1..12 for SendMessage
    UnitAnswer answer;       // the answer that ended the upload (or the last one)
    int byteTimeOutMs = 0;   // the patience that applied to that answer, to word a silence
    int answerTimeOutMs = 0;
    std::string portError;   // PortCannotOpen: the port's own reason ("/dev/ttyUSB0: no such device")
    uint64_t neededBytes = 0;  // OverCapacity: what the messages would take
    std::string port;        // path of the port used ("/dev/ttyUSB0"), once it opened

    bool fullUpload = false;     // the erase-and-rewrite road was taken
    bool tableReadBack = false;  // "R" before the upload was answered
    bool unitErased = false;     // the erase was acknowledged: the unit's old content is gone
    bool verified = false;       // "R" after the upload matched the written table
    bool messagesUploaded = false;  // the unit now holds this image's messages (as far as known)

    // Stored length per slot after a full upload (0 where the slot had no message).
    std::array<int32_t, unit::kSlots> storedLengths{};

    // The two tables as last sent.
    std::optional<image::TableBytes> messageTable;
    std::optional<image::TableBytes> triggerTable;

    uint64_t blocksSent = 0;    // 350-byte blocks acknowledged
    uint64_t frameResends = 0;  // data, table or closing frames sent again

    bool succeeded() const {
        return verdict == UploadVerdict::Succeeded || verdict == UploadVerdict::ConfigurationSucceeded;
    }
};

}  // namespace mmx
