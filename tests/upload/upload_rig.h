#pragma once
// An upload bench for tests: the in-process unit behind a port that records every byte on the
// line and can replace the unit's answer to chosen frames (a refusal, a damaged answer, silence
// or any bytes), all on a fake clock.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "device/connection.h"
#include "device/emulator_port.h"
#include "device/unit_emulator.h"
#include "device/upload_driver.h"
#include "image/unit_image.h"
#include "support/expected_image.h"
#include "support/recording_display.h"
#include "support/wire_frames.h"

namespace mmx::test {

// Replace the unit's answer to frames whose log line is `frame` or starts with `frame` and a
// blank or colon ("P", "E 3FFFFF", "D 000000", "D close", "L", "R 3FF000"): the first `skip` matches
// pass, the next `times` get the replacement.
struct Sabotage {
    // Trickle: from then on one stray byte every 4 s, never a whole answer.
    enum class Kind { Nak, Damaged, Silence, Bytes, Trickle };
    std::string frame;
    Kind kind = Kind::Nak;
    int skip = 0;
    int times = 1;
    std::vector<uint8_t> bytes;  // for Kind::Bytes
    int seen = 0;
    int used = 0;
};

class SabotagePort final : public BytePort {
public:
    SabotagePort(UnitEmulator& unit, FakeClock& clock, std::vector<Sabotage>& rules, std::vector<uint8_t>& wire);

    bool open(std::string& error) override { return inner_.open(error); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    bool write(std::span<const uint8_t> bytes) override;
    long read(std::span<uint8_t> out, int timeoutMs) override;
    std::string description() const override { return inner_.description(); }
    EmulatorPort& inner() { return inner_; }

private:
    void swallowAnswer();

    UnitEmulator& unit_;
    EmulatorPort inner_;
    std::vector<Sabotage>& rules_;
    std::vector<uint8_t>& wire_;
    FakeClock& clock_;
    std::deque<uint8_t> injected_;
    bool trickling_ = false;
};

class UploadRig {
public:
    explicit UploadRig(UnitOptions options = {});

    UploadResult upload(const image::UnitImage& image, const UploadOptions& options = {});

    FakeClock clock;
    UnitEmulator unit;
    LinkSettings settings;
    RecordingLink link;
    RecordingDisplay& display;
    std::vector<Sabotage> sabotage;
    std::vector<uint8_t> wire;  // every byte the program put on the line
    std::string openError;      // non-empty: opening the port fails
    Connection connection;
    UploadDriver driver;
    SabotagePort* port = nullptr;  // the port of the last Connect

    // Log lines of the unit, without the fault notes; "L" for the list command.
    std::vector<std::string> frames() const;
    std::string statusText(int k) const { return link.statusText(k); }
};

// Message files per slot, nothing for empty slots.
struct SlotFiles {
    std::array<std::optional<std::vector<uint8_t>>, 12> bytes;
};
// The image of the files with the triggers written as the expected image takes them.
image::UnitImage imageFor(const SlotFiles& files, const std::array<ExpectedTrigger, 12>& triggers = {});
// Bytes 0..n-1 of a repeating, non-trivial pattern.
std::vector<uint8_t> patternBytes(size_t n, uint32_t seed = 1);

}  // namespace mmx::test
