#include "device/emulator_port.h"

namespace mmx {

EmulatorPort::EmulatorPort(UnitEmulator& unit, FakeClock& clock, std::string name)
    : unit_(unit), clock_(clock), name_(std::move(name)) {}

bool EmulatorPort::open(std::string& error) {
    if (!openError_.empty()) {
        error = openError_;
        return false;
    }
    open_ = true;
    unplugged_ = false;
    ++opens_;
    unit_.resetLine();
    return true;
}

void EmulatorPort::close() { open_ = false; }

bool EmulatorPort::write(std::span<const uint8_t> bytes) {
    if (!open_ || unplugged_) return false;
    if (recordWrites_) writes_.emplace_back(bytes.begin(), bytes.end());
    unit_.receive(bytes, clock_.nowMs() * 1000);
    return true;
}

long EmulatorPort::read(std::span<uint8_t> out, int timeoutMs) {
    if (!open_ || unplugged_) return -1;
    const int64_t nowUs = clock_.nowMs() * 1000;
    size_t got = unit_.transmit(out, nowUs);
    if (got > 0) return static_cast<long>(got);
    const int64_t deadlineUs = nowUs + static_cast<int64_t>(timeoutMs) * 1000;
    std::optional<int64_t> due = unit_.nextTransmitUs();
    if (due && *due <= deadlineUs) {
        // Jump to the millisecond in which the next byte has arrived.
        clock_.advance((*due - nowUs + 999) / 1000);
        return static_cast<long>(unit_.transmit(out, clock_.nowMs() * 1000));
    }
    clock_.advance(timeoutMs);
    return 0;
}

}  // namespace mmx
