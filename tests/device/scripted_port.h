#pragma once
// A BytePort for protocol tests: records every write, answers with bytes a test queues (or
// a responder builds from what was written), and lets silence pass on the fake clock.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "device/byte_port.h"
#include "device/clock.h"
#include "support/wire_frames.h"

namespace mmx::test {

class ScriptedPort final : public BytePort {
public:
    explicit ScriptedPort(FakeClock& clock) : clock_(clock) {}

    bool open(std::string&) override {
        open_ = true;
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool write(std::span<const uint8_t> bytes) override {
        if (!open_) return false;
        writes.emplace_back(bytes.begin(), bytes.end());
        wire.insert(wire.end(), bytes.begin(), bytes.end());
        if (respond) respond(*this, writes.back());
        return true;
    }
    long read(std::span<uint8_t> out, int timeoutMs) override {
        if (!open_) return -1;
        if (incoming.empty() && !scheduled.empty() && scheduled.front().first <= clock_.nowMs() + timeoutMs) {
            clock_.advance(std::max<int64_t>(0, scheduled.front().first - clock_.nowMs()));
            feed(scheduled.front().second);
            scheduled.pop_front();
        }
        if (incoming.empty()) {
            if (lineLost) return -1;
            clock_.advance(timeoutMs);
            return 0;
        }
        size_t n = 0;
        while (n < out.size() && !incoming.empty()) {
            out[n++] = incoming.front();
            incoming.pop_front();
        }
        return static_cast<long>(n);
    }
    std::string description() const override { return "scripted"; }

    void feed(const std::vector<uint8_t>& bytes) { incoming.insert(incoming.end(), bytes.begin(), bytes.end()); }
    // Bytes that arrive at a given fake time (in order of time).
    void schedule(int64_t atMs, const std::vector<uint8_t>& bytes) { scheduled.emplace_back(atMs, bytes); }
    void feed(const std::string& text) { incoming.insert(incoming.end(), text.begin(), text.end()); }

    std::vector<std::vector<uint8_t>> writes;  // each write as handed over
    std::vector<uint8_t> wire;                 // everything written, in order
    std::deque<uint8_t> incoming;
    std::deque<std::pair<int64_t, std::vector<uint8_t>>> scheduled;
    std::function<void(ScriptedPort&, const std::vector<uint8_t>&)> respond;
    bool lineLost = false;

private:
    FakeClock& clock_;
    bool open_ = true;
};

inline std::vector<uint8_t> bytesOf(std::initializer_list<int> values) {
    std::vector<uint8_t> bytes;
    for (int v : values) bytes.push_back(static_cast<uint8_t>(v));
    return bytes;
}

}  // namespace mmx::test
