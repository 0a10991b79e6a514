#pragma once
// The byte-level protocol spoken with the unit: command frames out, answer frames in, the
// receive ring and the per-byte time-out. One object per link; it holds no global state, so a
// window can run it on a worker thread while the window thread only touches `cancel()`.
// Callers talk to the unit through UnitSession, which gives each command a typed answer.
#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/unit_facts.h"
#include "device/byte_port.h"
#include "device/clock.h"
#include "device/link_events.h"

namespace mmx {

// Result codes of an answer, in the order readAnswer decides them.
namespace ResultCode {
inline constexpr uint8_t TimeOut = 0;         // silence, lost line, cancel, or an unusable answer
inline constexpr uint8_t BadChecksum = 1;
inline constexpr uint8_t NoCarriageReturn = 2;
inline constexpr uint8_t NoLineFeed = 3;
inline constexpr uint8_t WrongCommand = 4;    // field A is not the command or field B not 0x64
inline constexpr uint8_t WrongParameter = 5;
inline constexpr uint8_t Ack = 6;
inline constexpr uint8_t Nak = 21;
}  // namespace ResultCode

// Why a read gave no answer (or an unusable one).
enum class LinkFailure {
    None,
    Silence,        // nothing came within the byte time-out
    Garbled,        // bytes came, but no whole answer before the line went quiet
    LineLost,
    Cancelled,
    RingOverrun,
    AnswerTooLong,
    PortClosed,
    AnswerTooSlow,  // bytes kept coming, but no whole answer within the answer time-out
};

class CommandProtocol {
public:
    static constexpr uint16_t kMaxPayload = 1200;  // the longest answer payload that is stored
    static constexpr uint16_t kRingMask = 0x3FF;   // the receive ring holds 1024 positions
    static constexpr uint8_t kParameter = 0x55;    // the parameter byte of every command sent

    CommandProtocol(Clock& clock, LinkEvents& events);

    // The line to talk through; nullptr when the port is closed. Not owned.
    void attach(BytePort* port) { port_ = port; }
    BytePort* port() const { return port_; }
    bool portOpen() const { return port_ != nullptr && port_->isOpen(); }

    // Called when a read runs out of time or the line is lost: the owner closes the port and
    // releases the controls (the connection's disconnect). Without a handler the protocol
    // closes the port itself.
    void setLinkLostHandler(std::function<void()> handler) { linkLost_ = std::move(handler); }

    // Called at every turn of a wait for a byte (at least every 100 ms while the unit is silent),
    // on the waiting thread, so that a caller's one-second tick keeps going during slow answers.
    void setWaitHook(std::function<void()> hook) { waitHook_ = std::move(hook); }

    // Milliseconds of silence allowed per byte; clamped to the unit's bounds.
    void setByteTimeOut(int milliseconds);
    int byteTimeOutSetting() const { return byteTimeOut_; }
    // round-half-even(setting / 100): 50 for 5000, 0 for 0.
    static int ticksFor(int byteTimeOutMs);
    // The longest silence one byte may take: (ticks + 1) x 100 ms; 5100 for 5000.
    int byteTimeOutMs() const { return (ticksFor(byteTimeOut_) + 1) * unit::kWaitTickMs; }

    // Ends every wait, now and later, as a failure until clearCancel(). Safe from any thread.
    void cancel() { cancelled_.store(true); }
    void clearCancel() { cancelled_.store(false); }
    bool cancelled() const { return cancelled_.load(); }

    // The longest time one answer may take, from its first wait to its last byte.
    int answerTimeOutMs() const { return std::max(unit::kMinAnswerMs, unit::kAnswerTimeOuts * byteTimeOutMs()); }
    // Reads from now on must be complete within budgetMs (readAnswer sets answerTimeOutMs();
    // the erase sets its own, longer one while the unit sends its progress bytes).
    void startAnswerDeadline(int64_t budgetMs) { answerDeadlineMs_ = clock_.nowMs() + budgetMs; }

    // The port was (re)opened: empty ring, no failure standing.
    void resetBuffers();
    // Also empties the ring (the upload does this between phases).
    void clearReceiveRing();

    // The receive handler: bytes that arrived on the line go into the ring. When unread bytes
    // would be overwritten nothing is overwritten; the ring is marked overrun and the next read
    // fails (code 0) instead of misreading a frame. Returns false on overrun.
    bool receive(const uint8_t* bytes, size_t count);

    // "0".."9" -> 0..9, "A".."F" -> 10..15, anything else 0.
    static uint8_t hexDigitValue(uint8_t characterCode);

    // One byte off the line, waiting at most the byte time-out. False on silence (the link is
    // then given up), a lost line, a cancel or an overrun ring.
    bool readByte(uint8_t& byte);
    // True when the last failed read ran out of time or lost the line.
    bool timedOut() const { return timedOut_; }

    // One answer frame for `command`: its result code (6 acknowledged, 21 not acknowledged,
    // 1..5 a damaged or unexpected frame, 0 silence, a lost line or an empty answer). Its
    // payload is answerPayload() until the next read.
    uint8_t readAnswer(uint8_t command) { return readAnswer(command, answerTimeOutMs()); }
    uint8_t readAnswer(uint8_t command, int answerBudgetMs);
    // Bytes the last readAnswer took off the line (noise before the "*" included).
    size_t answerBytesRead() const { return answerBytes_; }
    std::span<const uint8_t> answerPayload() const { return {payload_.data(), payloadLength_}; }

    // One command frame with its payload (cut to kMaxPayload bytes, so the length field always
    // matches the bytes sent).
    void sendCommand(uint8_t command, std::span<const uint8_t> payload = {});
    // A command frame and its answer; after a 21 the same frame once more. The last result code.
    uint8_t exchange(uint8_t command, std::span<const uint8_t> payload = {});
    // Hands a whole frame to the port in one write. False when it could not go out.
    bool sendFrame(std::span<const uint8_t> frame);

    void report(LinkStatus status) { events_.status(status); }
    LinkEvents& events() { return events_; }
    Clock& clock() { return clock_; }

    LinkFailure lastFailure() const { return failure_; }
    // Bytes handed to the port since construction (statistics).
    uint64_t bytesSent() const { return bytesSent_; }

private:
    bool ringEmpty() const { return writeIndex_ == readIndex_; }
    size_t ringFree() const;
    void giveUpLink(LinkFailure why);
    uint8_t discardAnswer(size_t count);
    uint8_t readAnswerFrame(uint8_t command, int answerBudgetMs);
    bool readHexByte(uint8_t& value);
    bool readLength(uint16_t& value);

    Clock& clock_;
    LinkEvents& events_;
    BytePort* port_ = nullptr;
    std::function<void()> linkLost_;
    std::function<void()> waitHook_;
    int byteTimeOut_ = unit::kDefaultByteTimeOutMs;
    std::atomic<bool> cancelled_{false};
    bool overrun_ = false;
    bool timedOut_ = false;
    int64_t answerDeadlineMs_ = INT64_MAX;
    LinkFailure failure_ = LinkFailure::None;
    uint64_t bytesSent_ = 0;

    std::array<uint8_t, kMaxPayload> payload_{};
    uint16_t payloadLength_ = 0;
    uint8_t inputChecksum_ = 0;
    size_t answerBytes_ = 0;
    std::array<uint8_t, kRingMask + 1> ring_{};
    uint16_t writeIndex_ = 0;
    uint16_t readIndex_ = 0;
};

}  // namespace mmx
