#pragma once
// A stand-in for the message-manager unit: fed the bytes the program sends, it answers the way
// the program relies on (P, E with progress, W with data frames, L, R) and keeps the unit's
// word-addressed memory image. Pure: no I/O and no clock of its own; time is passed in, in
// microseconds, so it runs in-process under a fake clock and behind a pseudo-terminal alike.
// Faults can be injected from a seed, so a failing run replays exactly.
//
// Erase: an address whose low 21 bits are all ones (0x1FFFFF, 0x3FFFFF) erases that half of the
// memory (0x200000 words); any other address erases the 4096-word sector holding it, so 0x3FF100
// erases both tables at 0x3FF000..0x3FFFFF.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "image/unit_tables.h"

namespace mmx {

struct UnitOptions {
    // Fault injection. Rates are probabilities per frame or per byte, 0 to 1.
    uint32_t seed = 1;
    uint32_t nakEveryNth = 0;          // answer 21 to every n-th frame (0: never)
    double nakRate = 0;                // answer 21 to a frame at this rate
    double corruptReceivedRate = 0;    // flip one bit of a received byte
    double dropReceivedRate = 0;       // lose a received byte
    double corruptSentRate = 0;        // flip one bit of a sent byte
    double dropSentRate = 0;           // lose a sent byte
    int64_t silentAfterFrames = -1;    // answer nothing once this many frames were answered (-1: never)
    int64_t frameDelayUs = 0;          // processing time before each answer
    uint32_t baud = 0;                 // pace both directions at 11 bits a byte (0: as fast as fed)

    // Behaviour.
    uint32_t eraseDots = 3;            // "." bytes sent while an erase runs
    int64_t eraseDotIntervalUs = 0;    // time between them (and before the final 6)
    bool rejectBadImage = false;       // answer 21 to L when a checksum of the image is wrong
};

// A frame that reached the unit changed by an injected receive fault and still passed the frame
// check, so the unit acted on it. The soak uses these to tell damage the 8-bit frame sum
// cannot see from faults of the sending side.
struct DamagedFrame {
    bool command = false;         // a command frame (letter) or a data frame
    uint8_t letter = 0;
    uint32_t address = 0;         // data frames: first word as received
    uint32_t sentAddress = 0;     // and as it was sent
    uint32_t words = 0;           // data frames: words it carried (0 for a closing frame)
    uint32_t flippedBytes = 0;    // bytes of the frame with a flipped bit
    uint32_t lostBytes = 0;       // bytes lost inside the frame
    bool cancelsInFrameSum = false;  // only flips, and they leave the 8-bit sum as it was sent
};

struct ImageCheck {
    bool ok = false;
    std::vector<std::string> lines;  // one per message and table, e.g. "message 1: words 0..1049, checksum ok"
};

struct UnitCounters {
    uint64_t bytesReceived = 0;
    uint64_t bytesSent = 0;
    uint64_t commandFrames = 0;
    uint64_t dataFrames = 0;        // closing frames included
    uint64_t badFrames = 0;         // checksum or layout wrong, answered 21
    uint64_t framesChecked = 0;     // frames that reached the frame check
    uint64_t damagedFrames = 0;     // of those, frames with an injected receive fault in them
    uint64_t bytesCorrupted = 0;    // received bytes with an injected bit flip
    uint64_t bytesLost = 0;         // received bytes dropped by injection
    uint64_t naksInjected = 0;
    uint64_t erases = 0;
    uint64_t wordsWritten = 0;
    uint64_t writesOverUnerased = 0;  // words written where the memory was not 0xFFFF
};

class UnitEmulator {
public:
    explicit UnitEmulator(UnitOptions options = {});

    // Bytes from the line, arriving at nowUs.
    void receive(std::span<const uint8_t> bytes, int64_t nowUs);
    // Bytes the unit has put on the line by nowUs, at most out.size(); returns the count.
    size_t transmit(std::span<uint8_t> out, int64_t nowUs);
    // When the next unsent byte is due; nothing when there is none.
    std::optional<int64_t> nextTransmitUs() const;
    // The line was (re)opened or dropped: forget any half-received frame and unsent bytes.
    void resetLine();

    // The memory image, word 0 first, and ways to look at it.
    const std::vector<uint16_t>& image() const { return image_; }
    uint16_t word(uint32_t address) const { return image_.at(address); }
    // `words` words from `address` as bytes, high byte first.
    std::vector<uint8_t> bytesAt(uint32_t address, size_t words) const;
    // Store bytes (pairs, high byte first) as a data frame would, for tests that start from a
    // unit that already holds something.
    void load(uint32_t address, std::span<const uint8_t> bytes);
    void eraseAll();

    image::DecodedMessageTable messageTable() const;
    image::DecodedTriggerTable triggerTable() const;
    // The message of a slot 1..12 as stored, from its address up to the next message (or the end
    // address), high byte first; empty when the table names none.
    std::vector<uint8_t> messageBytes(int slot) const;
    // Word checksums of every message and both tables, as checked when L arrives.
    ImageCheck checkImage() const;
    // The result of the check made at the last L.
    const std::optional<ImageCheck>& lastCheck() const { return lastCheck_; }

    // Both tables as text, decoded from the memory.
    std::string messageTableText() const;
    std::string triggerTableText() const;

    // Called after the acknowledgement of L has been queued.
    void setListHook(std::function<void()> hook) { onList_ = std::move(hook); }
    // One line per command or notable event, as it happens ("E 3FFFFF", "L: image ok").
    void setReportHook(std::function<void(const std::string&)> hook) { onReport_ = std::move(hook); }

    // Every command and data frame in arrival order: "P", "E 3FFFFF", "W", "D 000000 350",
    // "D close", "L", "R 3FF000", "bad frame", "nak injected".
    const std::vector<std::string>& log() const { return log_; }
    const UnitCounters& counters() const { return counters_; }
    // Every damaged frame that passed the frame check, in arrival order.
    const std::vector<DamagedFrame>& damagedFramesAccepted() const { return damagedAccepted_; }
    const UnitOptions& options() const { return options_; }
    bool silent() const { return silent_; }

private:
    enum class Parse { Idle, Header, Length, Payload, Checksum, Cr, Lf, Resync };

    // `sent` is the byte as it went on the line, `byte` as it arrived.
    void acceptByte(uint8_t byte, uint8_t sent, int64_t nowUs);
    void noteDamage(bool accepted);
    void frameComplete(int64_t nowUs);
    void frameRejected(int64_t nowUs);
    void handleCommand(int64_t readyUs);
    void handleData(int64_t readyUs);
    void sendAnswer(uint8_t command, std::span<const uint8_t> payload, int64_t readyUs);
    void sendRaw(uint8_t byte, int64_t readyUs);
    bool injectNak();
    bool fallSilent();
    double random01();
    void report(const std::string& line);

    UnitOptions options_;
    std::vector<uint16_t> image_;
    std::deque<std::pair<uint8_t, int64_t>> out_;  // byte and the time it is due
    double byteUs_ = 0;          // line time of one byte when paced
    double lineOutFreeUs_ = 0;   // when the unit's sending side is free again
    double lineInFreeUs_ = 0;    // when the last received byte has fully arrived
    int64_t lastByteUs_ = 0;
    uint64_t rng_;

    Parse state_ = Parse::Idle;
    bool dataMode_ = false;       // after an acknowledged W, until the closing frame
    bool isCommandFrame_ = false;
    std::vector<uint8_t> header_;  // hex characters of a command frame's three fields
    std::vector<uint8_t> frame_;   // payload bytes
    size_t lengthBytes_ = 0;
    size_t expected_ = 0;
    uint8_t sum_ = 0;
    uint8_t sentSum_ = 0;          // the same sum over the bytes as they were sent
    uint8_t checksumChars_[2] = {0, 0};
    bool checksumCharsHit_ = false;
    uint8_t sentHead_[3] = {0, 0, 0};  // a data frame's address bytes as they were sent
    uint32_t frameFlips_ = 0;      // injected faults inside the frame being parsed
    uint32_t frameLosses_ = 0;
    size_t checksumCount_ = 0;
    bool layoutOk_ = true;
    uint8_t command_ = 0;
    uint8_t parameter_ = 0;

    uint64_t framesAnswered_ = 0;
    uint64_t framesSeen_ = 0;
    bool silent_ = false;
    UnitCounters counters_;
    std::vector<std::string> log_;
    std::vector<DamagedFrame> damagedAccepted_;
    std::optional<ImageCheck> lastCheck_;
    std::function<void()> onList_;
    std::function<void(const std::string&)> onReport_;
};

}  // namespace mmx
