#pragma once
// The protocol talking to the in-process unit on a fake clock, for the device tests. Bytes a
// test feeds arrive before anything the unit says, so a silent unit makes a line whose every
// answer the test writes; the port keeps every write.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "device/command_protocol.h"
#include "device/emulator_port.h"
#include "device/frames.h"
#include "device/unit_session.h"
#include "support/expected_image.h"
#include "support/recording_display.h"
#include "support/wire_frames.h"

namespace mmx::test {

class FedPort final : public BytePort {
public:
    FedPort(UnitEmulator& unit, FakeClock& clock) : unit_(unit, clock) { unit_.recordWrites(true); }
    bool open(std::string& error) override { return unit_.open(error); }
    void close() override { unit_.close(); }
    bool isOpen() const override { return unit_.isOpen(); }
    bool write(std::span<const uint8_t> bytes) override { return unit_.write(bytes); }
    long read(std::span<uint8_t> out, int timeoutMs) override {
        if (fed.empty() || !isOpen()) return unit_.read(out, timeoutMs);
        const size_t n = std::min(out.size(), fed.size());
        std::copy_n(fed.begin(), n, out.begin());
        fed.erase(fed.begin(), fed.begin() + static_cast<long>(n));
        return static_cast<long>(n);
    }
    std::string description() const override { return unit_.description(); }
    EmulatorPort& unit() { return unit_; }
    std::deque<uint8_t> fed;

private:
    EmulatorPort unit_;
};

struct EmulatedLink {
    explicit EmulatedLink(UnitOptions options = {}) : unit(options), port(unit, clock), protocol(clock, shown) {
        std::string error;
        port.open(error);
        protocol.attach(&port);
        protocol.setLinkLostHandler([this] {
            ++linkLost;
            port.close();
        });
    }
    static UnitOptions silent() {
        UnitOptions options;
        options.silentAfterFrames = 0;
        return options;
    }
    void feed(const std::vector<uint8_t>& bytes) { port.fed.insert(port.fed.end(), bytes.begin(), bytes.end()); }
    void feed(const std::string& text) { port.fed.insert(port.fed.end(), text.begin(), text.end()); }
    const std::vector<std::vector<uint8_t>>& writes() { return port.unit().writes(); }
    std::vector<uint8_t> wire() {
        std::vector<uint8_t> all;
        for (const auto& w : writes()) all.insert(all.end(), w.begin(), w.end());
        return all;
    }
    bool command(uint8_t letter) {
        lastCode = protocol.exchange(letter);
        return lastCode == ResultCode::Ack;
    }
    uint8_t dataFrame(uint32_t address, const std::vector<uint8_t>& payload) {
        protocol.sendFrame(frames::dataFrame(address, payload));
        return protocol.readAnswer('W');
    }

    FakeClock clock;
    RecordingLink shown;
    RecordingDisplay& display = shown.display;
    UnitEmulator unit;
    FedPort port;
    CommandProtocol protocol;
    UnitSession session{protocol};
    uint8_t lastCode = 0;  // result code of the last command()
    int linkLost = 0;
};

// A message as stored: its words, the checksum word, padding up to whole 350-byte blocks.
inline std::vector<uint8_t> storedMessage(const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> stored;
    for (uint16_t w : expectedMessageWords(bytes)) stored.insert(stored.end(), {static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(w)});
    return stored;
}

// A message table for the given word addresses (-1: none).
inline std::vector<uint8_t> messageTableFor(const std::vector<int32_t>& addresses, int32_t end, uint8_t count) {
    std::array<int32_t, 12> address;
    address.fill(-1);
    std::copy(addresses.begin(), addresses.end(), address.begin());
    return tableBytes(messageTableWords(address, end, count));
}

}  // namespace mmx::test
