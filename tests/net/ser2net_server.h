#pragma once
// A real ser2net for a test: its YAML configuration in a scratch folder, started in the
// foreground on free local ports and stopped when the object goes.
#include <string>
#include <vector>

#include "support/test_support.h"

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

// The line settings a terminal device holds now, as "115200 8N2" ("?" for what it cannot say).
std::string terminalLineSettings(const std::string& device);

}  // namespace mmx::test
