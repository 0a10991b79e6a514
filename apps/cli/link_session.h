#pragma once
// What the commands that talk to a unit share: the user's settings (port framing, time-out),
// the port named on the command line, and Ctrl-C.
#include <functional>
#include <optional>
#include <string>

#include "app/link/unit_commands.h"
#include "app/program_settings.h"
#include "core/settings.h"
#include "device/connection.h"
#include "platform/serial/serial_port.h"

namespace mmx::cli {

// The settings of the settings file, when one can be read (a refused line is no error for the
// command line: the defaults stay for what follows it), with the port named on the command line.
struct LinkSession {
    app::ProgramFolders folders;
    Settings settings;
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
