// Bytes from the line, both ways: as answers read by the command protocol, and as frames fed
// to the unit emulator. Neither may crash, hang or write outside its arrays.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/ui_text_table.h"
#include "device/command_protocol.h"
#include "device/unit_emulator.h"

namespace {

using namespace mmx;

// Hands the fuzz input out in chunks; silence (on the fake clock) once it is used up.
class InputPort final : public BytePort {
public:
    InputPort(FakeClock& clock, const uint8_t* data, size_t size) : clock_(clock), data_(data), size_(size) {}
    bool open(std::string&) override { return true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool write(std::span<const uint8_t>) override { return open_; }
    long read(std::span<uint8_t> out, int timeoutMs) override {
        if (!open_) return -1;
        if (at_ == size_) {
            clock_.advance(timeoutMs);
            return 0;
        }
        size_t n = std::min({out.size(), size_ - at_, static_cast<size_t>(data_[at_] % 97 + 1)});
        for (size_t i = 0; i < n; ++i) out[i] = data_[at_ + i];
        at_ += n;
        return static_cast<long>(n);
    }
    std::string description() const override { return "fuzz"; }
    bool exhausted() const { return at_ == size_; }

private:
    FakeClock& clock_;
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
    bool open_ = true;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    NoLinkEvents events;
    FakeClock clock;
    InputPort port(clock, data, size);
    CommandProtocol protocol(clock, events);
    protocol.attach(&port);
    protocol.setByteTimeOut(0);
    while (port.isOpen() && !port.exhausted()) {
        protocol.readAnswer('W');
        if (protocol.answerPayload().size() > CommandProtocol::kMaxPayload) __builtin_trap();
    }

    static UnitEmulator unit;  // 8 MB image: made once
    unit.resetLine();
    unit.receive(std::span<const uint8_t>(data, size), 0);
    uint8_t out[4096];
    while (unit.transmit(out, INT64_MAX) > 0) {
    }
    return 0;
}
