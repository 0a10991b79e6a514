#pragma once
// A real ser2net for a test: its YAML configuration in a scratch folder, started in the
// foreground on free local ports and stopped when the object goes.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "unit_process.h"

namespace mmx::test {

// A local TCP port nobody listens on right now.
unsigned freeLocalPort();

class Ser2netServer {
public:
    struct Connection {
        std::string stack;     // what the accepter runs over TCP: "telnet(rfc2217)", "telnet" or "" (raw)
        std::string device;    // the serial device (a pseudo-terminal)
        std::string lineSettings = "9600n81";
        unsigned port = 0;     // filled by start()
    };

    Ser2netServer() = default;
    ~Ser2netServer();
    Ser2netServer(const Ser2netServer&) = delete;
    Ser2netServer& operator=(const Ser2netServer&) = delete;

    // Writes the configuration and starts ser2net; false with a reason when it does not listen
    // on every port soon.
    bool start(std::vector<Connection> connections, std::string& error);
    // Stops it (the connections drop as if the server were switched off).
    void stop();

    unsigned port(size_t index = 0) const { return connections_.at(index).port; }
    // "rfc2217://127.0.0.1:PORT" and the like.
    std::string address(const std::string& scheme, size_t index = 0) const;

private:
    ScratchFolder folder_;
    std::vector<Connection> connections_;
    int pid_ = -1;
};

// One unit program behind its own ser2net: "rfc2217" gives the accepter the serial-port option,
// "tcp" makes it a raw one; `accepter` names another stack ("telnet", without the option).
struct NetworkUnit {
    NetworkUnit(const std::string& program, const std::string& scheme, std::vector<std::string> unitArgs = {},
                std::optional<std::string> accepter = std::nullopt) {
        unitArgs.push_back("--quiet");
        std::string error;
        EXPECT_TRUE(unit.start(program, unitArgs, error)) << error;
        const std::string stack = accepter.value_or(scheme == "rfc2217" ? "telnet(rfc2217)" : "");
        EXPECT_TRUE(server.start({{stack, unit.ptyPath()}}, error)) << error;
        address = server.address(scheme);
    }
    UnitProcess unit;
    Ser2netServer server;
    std::string address;
};

// The line settings a terminal device holds now, as "115200 8N2" ("?" for what it cannot say).
std::string terminalLineSettings(const std::string& device);

}  // namespace mmx::test
