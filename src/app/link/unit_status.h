#pragma once
// What a unit holds, in one exchange: its message table ("R"), compared with the set-up's
// image and with this computer's record of what it last wrote to that port; and what an upload
// would do there and how long it would keep the line busy. Values only; the front ends word it.
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "app/link/unit_commands.h"
#include "image/unit_image.h"
#include "image/unit_tables.h"

namespace mmx::app {

enum class UnitHolding {
    Unknown,           // no table came back: see the verdict
    ThisSetup,         // the set-up's message table, and the record vouches for the messages
    TheseMessages,     // the set-up's message table, but no record (or one for other messages)
    OtherMessages,     // a sound table of other messages
    DamagedTable,      // a table whose checksum is wrong: nothing it says can be trusted
    Erased,            // the table area is all 0xFF
};

enum class UploadRoad { TablesOnly, Full };

struct UploadForecast {
    UploadRoad road = UploadRoad::Full;
    uint64_t blocks = 0;   // message blocks a full upload sends
    double seconds = 0;    // line time at the connection's line settings
};

struct StatusOutcome : LinkOutcome {
    UnitHolding holding = UnitHolding::Unknown;
    std::string port;                        // as the record names it ("/dev/ttyUSB0", "rfc2217://a:4001")
    std::optional<image::DecodedMessageTable> unitTable;
    size_t payloadBytes = 0;                 // what a data answer held when it was no whole table
    std::optional<std::time_t> writtenAt;    // ThisSetup: when this computer wrote it (recorded since)
    UploadForecast upload;

    bool holdsSetup() const { return holding == UnitHolding::ThisSetup; }
};

// recordFolder: where the upload record lives (ends with "/"); empty: no record, so no unit can
// be vouched for. The port is opened and always closed again.
StatusOutcome unitStatus(Connection& connection, const image::UnitImage& image, const std::string& recordFolder);

// What an upload of image would do on a unit found in `holding`, at these line settings.
UploadForecast forecastUpload(UnitHolding holding, const image::UnitImage& image, const LineSettings& line);

}  // namespace mmx::app
