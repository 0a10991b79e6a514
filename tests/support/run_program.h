#pragma once
// Runs one of the project's programs for a test, as a user would, and collects what it printed.
#include <csignal>
#include <functional>
#include <string>
#include <vector>

namespace mmx::test {

struct ProgramRun {
    int exitCode = -1;  // 128 + the signal when a signal ended it
    std::string out;
    std::string err;
};

// `environment` holds NAME=value entries added for the program. `onErr` sees standard error as
// it arrives and may return true once to have `signal` sent to the program.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& environment = {},
                      const std::function<bool(const std::string&)>& onErr = {}, int signal = SIGINT);

}  // namespace mmx::test
