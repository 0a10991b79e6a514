#pragma once
// The upload of messages and configuration ("Send messages and configuration"): turns a set-up
// into the unit's memory image and writes it over the link, either in full (erase, every wave
// file, both tables) or, when the unit already holds these messages, only the two tables.
//
// The driver runs synchronously on whichever thread calls run(): the window calls it on a
// worker thread (with its controls disabled), the command-line tool on its main thread. It
// reports through the Connection's StatusDisplay (status texts, the progress bar and caption,
// message boxes through alert()) and through an optional UploadProgressSink, and it drives the
// Connection's one-second tick itself from the Clock, so it behaves the same under a FakeClock.
// While run() is active nobody else may call Timer1Tick() or touch the Connection, except
// cancel() (from any thread, or a signal handler).
//
// It works on a snapshot of the set-up taken before it starts, so the window can keep painting
// the old values; what it changes in the set-up (stored lengths, MessagesUploaded) comes back in
// the UploadResult for the caller to apply on its own thread.
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "core/program_state.h"
#include "device/connection.h"
#include "device/upload_progress.h"

namespace mmx {

// Unit word addresses of the memory map.
inline constexpr uint32_t kMessageTableAddress = 0x3FF000;
inline constexpr uint32_t kTriggerTableAddress = 0x3FF100;
inline constexpr uint32_t kEraseFirstHalf = 0x3FFFFF;
inline constexpr uint32_t kEraseSecondHalf = 0x1FFFFF;
inline constexpr size_t kTableBytes = 128;
inline constexpr size_t kBlockWords = 175;
inline constexpr int kFrameTries = 5;

// What the driver needs of the set-up, copied at the start.
struct UploadSetup {
    struct Slot {
        std::string WaveFile;  // shown name; empty: no message in this slot
        std::string FilePath;
        int32_t TMsgSize = 0;
    };
    std::array<Slot, kSlotCount> slots{};
    std::array<std::string, kEntryCount> TRG1{};  // sequence entry texts, 1..48 at [0..47]
    std::array<bool, kZoneCount> Check1{};        // zone ticked, 1..72 at [0..71]
    int32_t TFileLength = 0;
    bool MessagesUploaded = false;

    static UploadSetup from(const ProgramState& state);
};

struct UploadOptions {
    bool forceFull = false;  // never take the configuration-only road (and skip the read-back)
    bool verify = false;     // after "L": read the message table back with "R" and compare
};

enum class UploadVerdict {
    Succeeded,               // full upload, "L" acknowledged ("Message and configuration upload successfully!")
    ConfigurationSucceeded,  // tables only, "L" acknowledged ("Configuration upload successfully!")
    PortError,               // the port could not be opened
    Failed,                  // see failedStep
    Cancelled,               // cancel() ended it; the port is closed
};

enum class UploadStep {
    None,
    Connect,
    CheckFiles,         // a slot's file is missing or unreadable, or the set-up no longer fits
    Start,              // "P"
    Erase,              // "E" 0x3FFFFF or 0x1FFFFF
    SendFile,           // "W", blocks or closing frame of failedSlot
    WriteTables,        // "W", the two table frames, closing frame
    Finish,             // "L"
    ConfigurationOnly,  // any step of the tables-only road
    Verify,             // the read-back message table differs from the one written
};

// Why a step failed, for choosing an exit code or a message.
enum class UploadFault {
    None,
    PortCannotOpen,
    FileMissing,       // failedSlot names the slot
    FileUnreadable,
    OverCapacity,
    NoAnswer,          // silence or a lost line (the link was given up)
    Refused,           // NAK after the tries, or a damaged or unexpected answer
    VerifyMismatch,
    Cancelled,
};

struct UploadResult {
    UploadVerdict verdict = UploadVerdict::Failed;
    UploadStep failedStep = UploadStep::None;
    UploadFault fault = UploadFault::None;
    int failedSlot = 0;        // 1..12 for CheckFiles and SendFile
    uint8_t lastStatus = 0;    // result code of the last reply
    std::string detail;        // English words for a log or terminal ("the unit did not answer within 5.1 s")

    bool fullUpload = false;     // the erase-and-rewrite road was taken
    bool tableReadBack = false;  // "R" before the upload was answered
    bool verified = false;       // "R" after the upload matched the written table

    // Changes to the set-up, for the caller to apply.
    std::array<int32_t, kSlotCount> TMsgSize{};      // stored length per slot after the upload
    std::array<bool, kSlotCount> TMsgSizeSet{};      // which entries above changed (sent slots)
    bool messagesUploaded = false;                   // new value of MessagesUploaded

    // What went out: the two 128-byte tables as last sent (empty when not sent).
    std::vector<uint8_t> messageTable;
    std::vector<uint8_t> triggerTable;

    // Statistics.
    uint64_t blocksSent = 0;     // 350-byte blocks acknowledged
    uint64_t frameResends = 0;   // data or table frames sent again after NAK or a damaged reply

    bool succeeded() const {
        return verdict == UploadVerdict::Succeeded || verdict == UploadVerdict::ConfigurationSucceeded;
    }
    // Stored lengths (and their size texts), TFileLength and MessagesUploaded into the set-up.
    void applyTo(ProgramState& state) const;
};

// The unit's message table as "R" returns it, decoded the way the upload compares it.
struct MessageTableContent {
    std::array<int32_t, kSlotCount> MsgAddress{};     // -1: no message
    int32_t EndAddress = -1;
    uint8_t MsgNumber = 0;                            // limited to 12
    std::array<int32_t, kSlotCount> UnitMsgLength{};  // bytes, assuming slots 1..MsgNumber without gaps
    bool checksumOk = false;                          // the table's closing word is right
};
// bytes: at least 128.
MessageTableContent decodeMessageTable(const uint8_t* bytes);

// Receives the progress figures as the window's bar and caption show them.
class UploadProgressSink {
public:
    virtual ~UploadProgressSink() = default;
    // The bar appears (maximum = TFileLength) or goes away.
    virtual void progressVisible(bool /*visible*/, long /*maximum*/) {}
    // The bar's value changed (bytes acknowledged, at most the maximum).
    virtual void progressValue(long /*value*/, long /*maximum*/) {}
    // A one-second tick while the bar shows: the figures and the caption
    // ("42%    Remaining Time:  00:03:15").
    virtual void progressTick(const UploadProgress& /*figures*/, const std::string& /*caption*/) {}
};

class UploadDriver {
public:
    // The connection must be closed; run() opens and always closes it. sink may be null.
    UploadDriver(Connection& connection, UploadProgressSink* sink = nullptr);

    // Bt_SendMessage_Click: one whole upload.
    UploadResult run(const UploadSetup& setup, const UploadOptions& options = {});

    // Ends the upload at the next wait or frame; safe from any thread and from a signal handler.
    void cancel();

    // The 128-byte tables as they go out for the given state (word checksum included).
    static std::vector<uint8_t> messageTableBytes(const std::array<int32_t, kSlotCount>& msgAddress,
                                                  int32_t endAddress, uint8_t msgNumber);
    static std::vector<uint8_t> triggerTableBytes(const std::array<std::string, kEntryCount>& trg1,
                                                  const std::array<bool, kZoneCount>& check1);
    // "12" -> 12, "300" -> 44, "" or not numeric -> 0 (the number modulo 256).
    static uint8_t sequenceNumber(const std::string& text);

    // The upload's own state, as the last run left it (for tests and diagnostics).
    const std::array<int32_t, kSlotCount>& MsgAddress() const { return MsgAddress_; }
    const std::array<int32_t, kSlotCount>& UnitMsgLength() const { return UnitMsgLength_; }
    int32_t EndAddress() const { return EndAddress_; }
    uint8_t MsgNumber() const { return MsgNumber_; }
    int32_t WriteAddress() const { return WriteAddress_; }

private:
    UploadResult runSteps(const UploadSetup& setup, const UploadOptions& options);
    bool SendWaveFile(int slot, UploadResult& result);
    void WriteMsgTab(UploadResult& result);
    void WriteTrgTab(UploadResult& result);
    bool ReadMsgTab();
    bool WriteTrgMsgTab(UploadResult& result);
    void verifyTable(UploadResult& result);

    bool commandDo(uint8_t command);
    bool sendTableFrame(const std::vector<uint8_t>& table, UploadResult& result);
    void sendClosingFrame();
    void writeAddress(uint32_t address);
    uint8_t readDataReply();
    void drainLine();
    void surveyFiles();
    int32_t expectedLength(size_t slotIndex) const;
    bool checkFiles(UploadResult& result, int32_t& total);
    void setProgressValue(int32_t value);
    void pumpClock();
    void failWith(UploadResult& result, UploadStep step, UploadFault fault, const std::string& detail);
    void failOnCode(UploadResult& result, UploadStep step, uint8_t code);
    void end(UploadResult& result);
    bool cancelRequested() const { return cancelled_.load(); }

    Connection& connection_;
    CommandProtocol& protocol_;
    UploadProgressSink* sink_;
    std::atomic<bool> cancelled_{false};

    UploadSetup setup_;
    int64_t nextTickMs_ = 0;
    std::array<int32_t, kSlotCount> MsgAddress_{};
    std::array<int32_t, kSlotCount> UnitMsgLength_{};
    std::array<int64_t, kSlotCount> fileLength_{};  // bytes of each slot's file as surveyed, -1: none
    int32_t WriteAddress_ = 0;
    int32_t EndAddress_ = 0;
    uint8_t MsgNumber_ = 0;
};

}  // namespace mmx
