#pragma once
// One conversation with the unit: each command it knows, with a typed answer. The upload, the
// erase command, the table read-back and the probe of many lines talk to the unit only through
// this; nobody builds a command frame by hand.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "device/command_protocol.h"
#include "image/unit_tables.h"

namespace mmx {

enum class AnswerKind {
    Acknowledged,
    Refused,   // the unit answered, with a code other than 6 (21: not acknowledged)
    Damaged,   // an answer came but cannot be used: checksum, frame end, header, empty, too long
    NoAnswer,  // silence, a lost line, a closed port, or a cancel: see the cause
};

struct UnitAnswer {
    AnswerKind kind = AnswerKind::NoAnswer;
    uint8_t code = ResultCode::TimeOut;      // the result code as read (6, 21, 1..5, 0)
    LinkFailure cause = LinkFailure::None;   // why there was no (usable) answer

    bool acknowledged() const { return kind == AnswerKind::Acknowledged; }
    bool cancelled() const { return cause == LinkFailure::Cancelled; }
    // The unit is there and answered somehow: the same frame may go out again.
    bool resendable() const { return kind == AnswerKind::Refused || (kind == AnswerKind::Damaged && code != ResultCode::TimeOut); }

    // The answer for a result code and the protocol's reason for a failed read.
    static UnitAnswer from(uint8_t code, LinkFailure cause);
};

struct TableAnswer {
    UnitAnswer answer;
    std::optional<image::TableBytes> table;  // set when a whole table came back
    size_t payloadBytes = 0;                 // what the data answer held
};

class UnitSession {
public:
    explicit UnitSession(CommandProtocol& protocol) : protocol_(protocol) {}

    // "P": the unit is to take an upload.
    UnitAnswer start() { return command('P'); }
    // "E" for a word address, then the unit's "." per step of its work and a raw 6 at the end;
    // reports Erasing per step and the outcome through the link's events.
    UnitAnswer erase(uint32_t address, int64_t timeOutMs = unit::kEraseTimeOutMs);
    // "W": a series of data frames follows.
    UnitAnswer beginSeries();
    // One data frame (a block or a table) at a word address; a refused or damaged answer sends
    // the same frame again, within unit::kFrameTries.
    UnitAnswer writeBlock(uint32_t address, std::span<const uint8_t> payload);
    // The closing frame of a series (sent again while the unit answers 21).
    UnitAnswer closeSeries();
    // "W", the message table, the trigger table and the closing frame.
    UnitAnswer writeTables(const image::TableBytes& messageTable, const image::TableBytes& triggerTable);
    // "L": the upload is complete.
    UnitAnswer end() { return command('L'); }
    // "R" for the message table.
    TableAnswer readMessageTable();

    // After a failure or a cancel inside a series: the closing frame, best effort, so the unit
    // leaves data mode before the port closes (it would refuse the next "P" otherwise).
    void leaveDataMode();
    bool inDataMode() const { return dataMode_; }

    // Ends the conversation at the next frame or wait; safe from any thread and a signal handler.
    void requestCancel();
    bool cancelRequested() const { return cancelled_.load(); }
    void clearCancel();

    // Called after every answer, so a caller's one-second tick keeps time with quick answers.
    void setAnswerHook(std::function<void()> hook) { answerHook_ = std::move(hook); }

    // Data, table and closing frames sent again since the session began.
    uint64_t frameResends() const { return frameResends_; }
    void resetCounters() { frameResends_ = 0; }

    // The receive ring starts afresh (between phases, stale bytes are no answer to anything).
    void clearReceived() { protocol_.clearReceiveRing(); }

    int byteTimeOutMs() const { return protocol_.byteTimeOutMs(); }
    int answerTimeOutMs() const { return protocol_.answerTimeOutMs(); }

private:
    UnitAnswer command(uint8_t letter, std::span<const uint8_t> payload = {});
    UnitAnswer dataAnswer();
    UnitAnswer cancelledAnswer() const;
    void drainLine();
    void answered() const {
        if (answerHook_) answerHook_();
    }

    CommandProtocol& protocol_;
    std::atomic<bool> cancelled_{false};
    std::function<void()> answerHook_;
    bool dataMode_ = false;  // "W" went out and its closing frame was not acknowledged yet
    uint64_t frameResends_ = 0;
};

}  // namespace mmx
