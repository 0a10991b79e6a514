#pragma once
// The command-line tool's sub-commands. Each cmd_*.cpp registers one with a static
// CommandRegistration, so adding a command touches no other file.
#include <functional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace mmx::cli {

// Exit codes, the same for every command (documented in --help and the README).
enum ExitCode : int {
    kSuccess = 0,
    kFailure = 1,          // a file was refused or a check failed
    kUsage = 2,            // wrong arguments
    kPortError = 3,        // the serial port cannot be opened
    kNoAnswer = 4,         // the unit did not answer (time-out)
    kRefused = 5,          // the unit refused or answered garbage
    kVerifyFailed = 6,     // read-back differs from what was written
    kInterrupted = 130,    // Ctrl-C
};

// Runs a command once its arguments are read into the variables its declaration bound.
using CommandRun = std::function<int()>;

struct Command {
    std::string name;
    std::string summary;  // for the list of commands and the head of the command's --help
    // Declares the command's arguments and options on `app`, each once with its help text (the
    // one declaration both reads the command line and writes --help), bound to variables the
    // returned run reads.
    std::function<CommandRun(CLI::App& app)> declare;
};

std::vector<Command>& commandRegistry();

struct CommandRegistration {
    explicit CommandRegistration(Command command) { commandRegistry().push_back(std::move(command)); }
};

// The folder the executable lives in, ending with "/".
std::string programFolder();

}  // namespace mmx::cli
