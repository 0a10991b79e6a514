#pragma once
// What this computer last put on each unit: after a complete full upload, the port, the digest
// of the messages (and message table) and the message table are kept in "MMX4210-uploads.txt"
// in the settings folder. Only when a unit's table read back equals the table recorded for
// exactly these messages may an upload leave the messages alone and rewrite the tables only.
//
// The tool cannot see the sound on the unit: another computer, a reset or a repair can change a
// unit without changing its table. The record makes that rare case (the same table for other
// sound) the only one in which the tables-only road is taken; --full always sends everything.
#include <ctime>
#include <map>
#include <optional>
#include <string>

#include "image/unit_image.h"

namespace mmx {

inline constexpr const char* kUploadRecordFile = "MMX4210-uploads.txt";

// What the record says of one port.
struct RecordedUnit {
    std::string messagesDigest;           // hex, as image::hexText writes it
    std::optional<image::TableBytes> messageTable;
    std::optional<std::time_t> writtenAt;  // lines written before the time was kept have none
};

class UploadRecord {
public:
    // folder ends with "/".
    explicit UploadRecord(std::string folder) : path_(std::move(folder) + kUploadRecordFile) {}

    // Per port, the message table recorded for exactly the image's messages (ports whose units
    // were last given other messages are left out; an unreadable record gives none).
    std::map<std::string, image::TableBytes> tablesFor(const image::UnitImage& image) const;
    // What was recorded for the unit on port; nothing when the port has no line.
    std::optional<RecordedUnit> unitOn(const std::string& port) const;
    // A full upload of image to port succeeded (now, or at `writtenAt`).
    bool remember(const std::string& port, const image::UnitImage& image, std::string* error = nullptr,
                  std::optional<std::time_t> writtenAt = std::nullopt) const;
    // The unit on port no longer holds what was recorded (it was erased and the upload failed).
    bool forget(const std::string& port, std::string* error = nullptr) const;

    const std::string& path() const { return path_; }

private:
    bool replaceLine(const std::string& port, const std::string& line, std::string* error) const;
    std::string path_;
};

}  // namespace mmx
