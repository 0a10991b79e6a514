#pragma once
// The upload of messages and configuration: writes a unit image over the link, either in full
// (erase, every message, both tables) or, when the unit is known to hold exactly this image's
// messages, only the two tables. It talks to the unit through the connection's session; it
// reads no files and shows no texts: it reports through the connection's LinkEvents and
// returns an UploadResult.
//
// run() is synchronous on whichever thread calls it (the window uses a worker thread, the
// command-line tool its main thread) and drives the connection's one-second tick from the
// Clock, so it behaves the same under a FakeClock. While run() is active nobody else may touch
// the connection, except cancel() (from any thread, or a signal handler).
#include <cstdint>
#include <map>
#include <string>

#include "device/connection.h"
#include "device/upload_result.h"
#include "image/unit_image.h"

namespace mmx {

inline constexpr uint32_t kEraseFirstHalf = 0x3FFFFF;
inline constexpr uint32_t kEraseSecondHalf = 0x1FFFFF;

struct UploadOptions {
    bool forceFull = false;       // never take the configuration-only road (and skip the read-back)
    bool verify = false;          // after "L": read the message table back with "R" and compare
    bool readTableFirst = false;  // the set-up's messages were uploaded before: ask the unit ("R")
    // Per port path, the message table recorded after the last full upload of exactly this
    // image's messages from this computer. Only when the table read back equals the one
    // recorded for the port in use (and is sealed) are the messages left as they are.
    std::map<std::string, image::TableBytes> recordedUnitTables;
};

class UploadDriver {
public:
    // The connection must be closed; run() opens and always closes it.
    explicit UploadDriver(Connection& connection);

    UploadResult run(const image::UnitImage& image, const UploadOptions& options = {});

    // Ends the upload at the next frame or wait; safe from any thread and from a signal handler.
    void cancel() { session_.requestCancel(); }

private:
    UploadResult runSteps(const image::UnitImage& image, const UploadOptions& options);
    bool unitHoldsImageMessages(const image::UnitImage& image, const UploadOptions& options, UploadResult& result);
    bool eraseMessages(UploadResult& result);
    bool sendMessage(const image::StoredMessage& message, UploadResult& result);
    bool writeTables(const image::UnitImage& image, UploadResult& result, UploadStep step);
    bool configurationOnly(const image::UnitImage& image, UploadResult& result);
    void verifyTable(UploadResult& result);

    void pumpClock();
    void failWith(UploadResult& result, UploadStep step, UploadFault fault);
    void failOn(UploadResult& result, UploadStep step, const UnitAnswer& answer);
    void end(UploadResult& result);

    Connection& connection_;
    UnitSession& session_;
    LinkEvents& events_;
    int64_t nextTickMs_ = 0;
};

}  // namespace mmx
