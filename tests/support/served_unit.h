#pragma once
// The in-process unit served on a pseudo-terminal from its own thread, for tests that reach it
// through a real serial port or the command-line tool.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "device/unit_emulator.h"
#include "platform/serial/pty_unit_server.h"

namespace mmx::test {

struct ServedUnit {
    explicit ServedUnit(UnitOptions options = {}) : unit(options), server(unit) {}
    ~ServedUnit() { stop(); }
    void start() {
        std::string error;
        ASSERT_TRUE(server.open(error)) << error;
        serving = std::thread([this] { server.run(); });
    }
    // Only after this may the test look at the unit.
    void stop() {
        server.stop();
        if (serving.joinable()) serving.join();
    }
    const std::string& path() const { return server.slavePath(); }

    UnitEmulator unit;
    PtyUnitServer server;
    std::thread serving;
};

}  // namespace mmx::test
