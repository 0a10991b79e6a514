#pragma once
// Serves a UnitEmulator on a pseudo-terminal: a client opens slavePath() as if it were the
// serial port of a real unit. The server keeps its own slave end open, so the line does not
// drop between two clients; waits in poll(), never spins.
#include <atomic>
#include <cstdint>
#include <string>

#include "device/unit_emulator.h"

namespace mmx {

class PtyUnitServer {
public:
    explicit PtyUnitServer(UnitEmulator& unit);
    ~PtyUnitServer();
    PtyUnitServer(const PtyUnitServer&) = delete;
    PtyUnitServer& operator=(const PtyUnitServer&) = delete;

    // Creates the pseudo-terminal in raw mode. False with a reason on failure.
    bool open(std::string& error);
    const std::string& slavePath() const { return slavePath_; }

    // Moves bytes between the line and the unit until stop(). The unit is touched only from
    // the thread that runs this.
    void run();
    // Ends run() soon; safe from another thread and from a signal handler.
    void stop();
    // Closes the master end: a connected client sees the line drop, as if the cable were pulled.
    void hangUp();

private:
    UnitEmulator& unit_;
    int master_ = -1;
    int slave_ = -1;
    int wake_[2] = {-1, -1};
    std::string slavePath_;
    std::atomic<bool> stopping_{false};
};

}  // namespace mmx
