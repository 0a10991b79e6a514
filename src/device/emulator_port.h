#pragma once
// A BytePort that talks to an in-process UnitEmulator. Waiting for an answer advances the fake
// clock to the moment the unit's next byte is due (or by the whole time-out when the unit is
// silent), so protocol tests never sleep.
#include <cstdint>
#include <string>
#include <vector>

#include "device/byte_port.h"
#include "device/clock.h"
#include "device/unit_emulator.h"

namespace mmx {

class EmulatorPort final : public BytePort {
public:
    EmulatorPort(UnitEmulator& unit, FakeClock& clock, std::string name = "unit emulator");

    bool open(std::string& error) override;
    void close() override;
    bool isOpen() const override { return open_; }
    bool write(std::span<const uint8_t> bytes) override;
    long read(std::span<uint8_t> out, int timeoutMs) override;
    std::string description() const override { return name_; }

    // The next opens fail with this reason (empty: they succeed again).
    void failOpens(std::string reason) { openError_ = std::move(reason); }
    // Pull the plug: reads report a lost line until the port is opened again.
    void unplug() { unplugged_ = true; }

    // Every write as handed over, in order (how a frame was split into port writes).
    const std::vector<std::vector<uint8_t>>& writes() const { return writes_; }
    void recordWrites(bool on) { recordWrites_ = on; }
    uint64_t opens() const { return opens_; }

private:
    UnitEmulator& unit_;
    FakeClock& clock_;
    std::string name_;
    std::string openError_;
    bool open_ = false;
    bool unplugged_ = false;
    bool recordWrites_ = false;
    uint64_t opens_ = 0;
    std::vector<std::vector<uint8_t>> writes_;
};

}  // namespace mmx
