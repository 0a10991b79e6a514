#pragma once
// Monotonic time for time-outs and progress. Tests use a fake clock that only moves when told,
// so no test sleeps.
#include <chrono>
#include <cstdint>

namespace mmx {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary, fixed start.
    virtual int64_t nowMs() const = 0;
};

class SteadyClock final : public Clock {
public:
    int64_t nowMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

class FakeClock final : public Clock {
public:
    int64_t nowMs() const override { return now_; }
    void advance(int64_t ms) { now_ += ms; }

private:
    int64_t now_ = 0;
};

}  // namespace mmx
