// Round trips of a command and its acknowledgement, and of a 360-byte data frame and its
// answer: in-process against the emulator (fake clock, so only host time is measured) and over
// a pseudo-terminal with the emulator served unpaced in a second thread.
//
//   bench_exchange [ROUND_TRIPS]     (default 20000 in-process, a tenth of that over the pty)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "ui/lang/ui_text_table.h"
#include "device/unit_session.h"
#include "device/emulator_port.h"
#include "platform/serial/pty_unit_server.h"
#include "platform/serial/serial_port.h"

namespace {

using namespace mmx;

bool commandRoundTrip(UnitSession& session) { return session.start().acknowledged(); }

bool blockRoundTrip(UnitSession& session, uint32_t address, const std::vector<uint8_t>& block) {
    return session.writeBlock(address, block).acknowledged();
}

struct Figures {
    long done = 0;
    double seconds = 0;
};

template <typename Step>
Figures timed(long count, Step step) {
    Figures figures;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) {
        if (!step(i)) break;
        ++figures.done;
    }
    figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return figures;
}

void print(const char* what, const Figures& f, long wanted) {
    const double perExchangeUs = f.done > 0 ? f.seconds * 1e6 / static_cast<double>(f.done) : 0;
    std::printf("%-44s %7ld round trips  %10.0f per s  %8.2f us per exchange%s\n", what, f.done,
                static_cast<double>(f.done) / (f.seconds > 0 ? f.seconds : 1), perExchangeUs, f.done == wanted ? "" : "  (FAILED)");
}

std::vector<uint8_t> soundBlock() {
    std::vector<uint8_t> block(350);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 31 + 7);
    return block;
}

}  // namespace

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::atol(argv[1]) : 20000;
    const long ptyCount = count / 10 > 0 ? count / 10 : 1;
    NoLinkEvents events;
    const std::vector<uint8_t> block = soundBlock();
    std::printf("115200 baud 8N2 line time of a 360-byte block: 34.4 ms out + 1.3 ms answer = 35.7 ms; 2 %% = 714 us\n");

    {
        FakeClock clock;
        UnitEmulator unit;
        EmulatorPort port(unit, clock);
        std::string error;
        port.open(error);
        CommandProtocol protocol(clock, events);
        protocol.attach(&port);
        UnitSession session(protocol);
        print("in-process, command P + ACK", timed(count, [&](long) { return commandRoundTrip(session); }), count);
        session.beginSeries();
        print("in-process, 360-byte data frame + answer",
              timed(count, [&](long i) { return blockRoundTrip(session, static_cast<uint32_t>(i % 20000) * 175, block); }),
              count);
    }

    {
        UnitEmulator unit;
        PtyUnitServer server(unit);
        std::string error;
        if (!server.open(error)) {
            std::printf("pseudo-terminal: %s\n", error.c_str());
            return 1;
        }
        std::thread serving([&server] { server.run(); });
        {
            SteadyClock clock;
            SerialPort port(server.slavePath(), LineSettings{});
            if (!port.open(error)) {
                std::printf("pseudo-terminal: %s\n", error.c_str());
            } else {
                CommandProtocol protocol(clock, events);
                protocol.attach(&port);
                UnitSession session(protocol);
                print("pty unpaced, command P + ACK", timed(ptyCount, [&](long) { return commandRoundTrip(session); }),
                      ptyCount);
                session.beginSeries();
                print("pty unpaced, 360-byte data frame + answer",
                      timed(ptyCount,
                            [&](long i) { return blockRoundTrip(session, static_cast<uint32_t>(i % 20000) * 175, block); }),
                      ptyCount);
            }
        }
        server.stop();
        serving.join();
    }
    return 0;
}
