#pragma once
// The byte-level protocol spoken with the unit: command frames out, answer frames in, the
// receive ring and the per-byte time-out. One object per link; it holds no global state, so a
// window can run it on a worker thread while the window thread only touches `cancel()`.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <algorithm>
#include <climits>
#include <string>

#include "device/byte_port.h"
#include "device/clock.h"
#include "device/link_events.h"

namespace mmx {

// Result codes of an answer, in the order CommandRead decides them.
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

class CommandProtocol {
public:
    static constexpr size_t kArraySize = 1201;     // Data, TxBuffer, RxBuffer: indices 0..1200
    static constexpr uint16_t kMaxPayload = 1200;  // Data(1..1200)
    static constexpr uint16_t kRingMask = 0x3FF;   // the ring uses RxBuffer(0..1023)
    static constexpr uint8_t kMasterAddress = 0x64;
    static constexpr uint8_t kParameter = 0x55;    // the parameter byte of every command sent
    static constexpr int kTickMs = 100;
    // CommTimeOut is kept within these bounds so that no setting makes a wait endless
    // (a negative value counts as 0: one tick of patience per byte).
    static constexpr int kMinCommTimeOut = 0;
    static constexpr int kMaxCommTimeOut = 60000;
    // A unit that keeps sending bytes but never a whole answer is given up after this many
    // per-byte time-outs' worth of time (at least kMinAnswerMs).
    static constexpr int kAnswerTimeOuts = 4;
    static constexpr int kMinAnswerMs = 2000;

    // Why the last failed read failed; the status bar only ever shows the result codes, this
    // is for diagnostics (the command-line tool prints it).
    enum class Failure { None, Silence, LineLost, Cancelled, RingOverrun, AnswerTooLong, PortClosed, AnswerTooSlow };

    CommandProtocol(Clock& clock, LinkEvents& events);

    // The line to talk through; nullptr when the port is closed. Not owned.
    void attach(BytePort* port) { port_ = port; }
    BytePort* port() const { return port_; }
    bool portOpen() const { return port_ != nullptr && port_->isOpen(); }

    // Called when a read runs out of time or the line is lost: the owner closes the port and
    // releases the controls (the connection's Disconnect). Without a handler the protocol
    // closes the port itself.
    void setLinkLostHandler(std::function<void()> handler) { linkLost_ = std::move(handler); }

    // Called at every turn of a wait for a byte (at least every 100 ms while the unit is silent),
    // on the waiting thread, so that a caller's one-second tick keeps going during slow answers.
    void setWaitHook(std::function<void()> hook) { waitHook_ = std::move(hook); }

    // Milliseconds of silence allowed per byte; clamped to [kMinCommTimeOut, kMaxCommTimeOut].
    void setCommTimeOut(int milliseconds);
    int commTimeOut() const { return commTimeOut_; }
    // round-half-even(CommTimeOut / 100): 50 for 5000, 0 for 0.
    static int ticksFor(int commTimeOutMs);
    // The longest silence one byte may take: (ticks + 1) x 100 ms; 5100 for 5000.
    int byteTimeOutMs() const { return (ticksFor(commTimeOut_) + 1) * kTickMs; }

    // Ends every wait, now and later, as a failure until clearCancel(). Safe from any thread.
    void cancel() { cancelled_.store(true); }
    void clearCancel() { cancelled_.store(false); }
    bool cancelled() const { return cancelled_.load(); }

    // The longest time one answer may take, from its first wait to its last byte.
    int answerTimeOutMs() const { return std::max(kMinAnswerMs, kAnswerTimeOuts * byteTimeOutMs()); }
    // Reads from now on must be complete within budgetMs (CommandRead sets answerTimeOutMs();
    // the erase sets its own, longer one while the unit sends its progress bytes).
    void startAnswerDeadline(int64_t budgetMs) { answerDeadlineMs_ = clock_.nowMs() + budgetMs; }

    // The port was (re)opened: empty ring.
    void resetBuffers();
    // Also empties the ring (the upload does this between phases).
    void clearReceiveRing();

    // The receive handler: bytes that arrived on the line go into the ring. When unread bytes
    // would be overwritten nothing is overwritten; the ring is marked overrun and the next read
    // fails (code 0) instead of misreading a frame. Returns false on overrun.
    bool receive(const uint8_t* bytes, size_t count);

    // "0".."9" -> 0..9, "A".."F" -> 10..15, anything else 0.
    static uint8_t CTN(uint8_t characterCode);

    bool RS232Read();
    bool RS232ReadHex();
    bool RS232ReadInt();
    // One answer frame: its result code (6 acknowledged, 21 not acknowledged, 1..5 a damaged
    // or unexpected frame, 0 silence, a lost line or an empty answer).
    uint8_t CommandRead(uint8_t command, uint8_t parameter) { return CommandRead(command, parameter, answerTimeOutMs()); }
    uint8_t CommandRead(uint8_t command, uint8_t parameter, int answerBudgetMs);
    bool CommandDo(uint8_t command, uint8_t parameter);
    void CommandWrite(uint8_t command, uint8_t parameter);
    // Hands a whole frame to the port in one write. False when it could not go out.
    bool sendFrame(std::span<const uint8_t> frame);

    // Sets Data(1..3) to the address bytes, high to low, and DataLength = 3.
    void setAddressPayload(uint32_t address);

    void report(LinkStatus status) { events_.status(status); }
    LinkEvents& events() { return events_; }
    Clock& clock() { return clock_; }

    Failure lastFailure() const { return failure_; }
    // English words for lastFailure(), e.g. "the unit did not answer within 5.1 s".
    std::string failureText() const;
    // Bytes handed to the port since construction (statistics).
    uint64_t bytesSent() const { return bytesSent_; }

    // The protocol's state variables, named as the rest of the program knows them.
    std::array<uint8_t, kArraySize> Data{};
    uint16_t DataLength = 0;
    uint8_t Status = 0;
    uint8_t InputCheckSum = 0;
    uint8_t Rs232DataByte = 0;
    uint16_t Rs232DataInt = 0;
    std::array<uint8_t, kArraySize> RxBuffer{};
    uint16_t DataInPoint = 0;
    uint16_t DataOutPoint = 0;
    int ReadTicksLeft = 0;
    bool TimeOut = false;

private:
    bool ringEmpty() const { return DataInPoint == DataOutPoint; }
    size_t ringFree() const;
    void giveUpLink(Failure why);
    uint8_t discardAnswer(size_t count);

    Clock& clock_;
    LinkEvents& events_;
    BytePort* port_ = nullptr;
    std::function<void()> linkLost_;
    std::function<void()> waitHook_;
    int commTimeOut_ = 5000;
    std::atomic<bool> cancelled_{false};
    bool overrun_ = false;
    int64_t answerDeadlineMs_ = INT64_MAX;
    Failure failure_ = Failure::None;
    uint64_t bytesSent_ = 0;
};

}  // namespace mmx
