#pragma once
// What the commands that talk to a unit share: the program state with the user's port
// settings, the port named on the command line, and status output on the terminal.
#include <atomic>
#include <optional>
#include <string>

#include "app/link/unit_commands.h"
#include "ui/app/window_state.h"
#include "platform/serial/serial_port.h"
#include "device/connection.h"
#include "ui/link/status_display.h"

namespace mmx::cli {

// Program state with the English texts and the port settings of the settings file, when one
// can be read (its failure is not an error for the command line: the defaults stay).
struct LinkSession {
    WindowState state;
    std::string settingsFolder;
    std::string portLabel;  // "COM3" or the path
    PortFactory factory;
};

// Resolves "ComN" or a device path; nothing (and a message on stderr) when it is neither.
// verbose: also print what the port found out about the adapter (low-latency flag, latency timer).
std::optional<LinkSession> openLinkSession(const std::string& command, const std::string& port, bool verbose = false);

// Why the port of the session could not be opened, naming the device once:
// "/dev/ttyUSB0: no such device", "COM2: /dev/ttyUSB1: permission denied: ...".
std::string portFailureText(const LinkSession& session, const Connection& connection);

// The exit code of an erase or a table read: 0 done, 3 the port, 4 no answer, 5 refused or
// garbled, 130 interrupted.
int exitCodeFor(const app::LinkOutcome& outcome);

// Prints status-panel changes and message boxes on stderr, one line each, without repeating
// the same line ("Erasing data..." comes once per progress byte).
class TerminalStatus : public StatusDisplay {
public:
    TerminalStatus(std::string command, bool quiet) : command_(std::move(command)), quiet_(quiet) {}
    void setStatusPanel(const std::string& text) override;
    void alert(const std::string& text) override;
    // Called with the port's own description when the connection opens.
    std::function<void()> onConnected;
    void setConnectedIndicator(bool connected) override {
        if (connected && onConnected) onConnected();
    }
    const std::string& lastStatus() const { return last_; }

    // A progress line is on screen: the next line clears it first.
    void setProgressLineShown(bool shown) { progressLine_ = shown; }

private:
    void clearProgressLine();
    std::string command_;
    bool quiet_;
    std::string last_;
    bool progressLine_ = false;
};

// Prints what a port notes about its adapter: each note once per run, however many times the
// port opens, and details only when verbose. Safe from several threads.
// print: where a line goes (standard error when not given).
PortNoteSink terminalPortNotes(bool verbose, std::function<void(const std::string&)> print = {});

// Ctrl-C, a polite kill (TERM) or a hang-up (HUP): the first one calls the handler (from the
// signal handler: it must only do async-signal-safe work such as storing atomics), so the
// running exchange ends at its next wait and the port is closed with its settings restored;
// the default action is restored afterwards, so a second signal ends the program at once.
void installInterruptHandler(void (*handler)());
bool interrupted();

}  // namespace mmx::cli
