#pragma once
// The upload of messages and configuration: writes a unit image over the link, either in full
// (erase, every message, both tables) or, when the unit is known to hold exactly this image's
// messages, only the two tables. It frames and sends; it reads no files and shows no texts:
// it reports through the Connection's LinkEvents and returns an UploadResult.
//
// run() is synchronous on whichever thread calls it (the window uses a worker thread, the
// command-line tool its main thread) and drives the Connection's one-second tick from the
// Clock, so it behaves the same under a FakeClock. While run() is active nobody else may touch
// the Connection, except cancel() (from any thread, or a signal handler).
#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "device/connection.h"
#include "device/upload_result.h"
#include "image/unit_image.h"

namespace mmx {

inline constexpr uint32_t kEraseFirstHalf = 0x3FFFFF;
inline constexpr uint32_t kEraseSecondHalf = 0x1FFFFF;
inline constexpr int kFrameTries = 5;
// After a cancel or a failure inside a series of data frames, the closing frame still goes
// out so the unit leaves data mode; its answer is awaited this long at most.
inline constexpr int kClosingGraceMs = 1000;

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
    void cancel();

private:
    UploadResult runSteps(const image::UnitImage& image, const UploadOptions& options);
    bool unitHoldsImageMessages(const image::UnitImage& image, const UploadOptions& options, UploadResult& result);
    bool sendMessage(const image::StoredMessage& message, UploadResult& result);
    bool writeTables(const image::UnitImage& image, UploadResult& result, UploadStep step);
    bool configurationOnly(const image::UnitImage& image, UploadResult& result);
    void verifyTable(UploadResult& result);

    bool commandDo(uint8_t command);
    bool startDataFrames();
    bool sendDataFrame(uint32_t address, std::span<const uint8_t> payload, UploadResult& result, bool& silent);
    bool sendClosingFrame(UploadResult& result);
    void leaveDataMode();
    std::optional<image::TableBytes> readMessageTable();
    uint8_t readDataReply();
    void drainLine();
    void pumpClock();
    void failWith(UploadResult& result, UploadStep step, UploadFault fault, const std::string& detail);
    void failOnCode(UploadResult& result, UploadStep step, uint8_t code);
    void end(UploadResult& result);
    bool cancelRequested() const { return cancelled_.load(); }

    Connection& connection_;
    CommandProtocol& protocol_;
    LinkEvents& events_;
    std::atomic<bool> cancelled_{false};
    int64_t nextTickMs_ = 0;
    bool dataMode_ = false;  // "W" acknowledged and its closing frame not yet
};

}  // namespace mmx
