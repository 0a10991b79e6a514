#pragma once
// Running another program as a separate process and waiting for it: its output is data we
// read back from files, never its code in ours.
#include <string>
#include <vector>

namespace mmx::platform {

// The full path of an executable `name` in one of searchPath's folders (":"-separated, as
// PATH); empty when there is none.
std::string findProgram(const std::string& name, const std::string& searchPath);

struct ProgramExit {
    bool started = false;
    std::string startFailure;  // why it could not be started, when !started
    int exitCode = -1;         // 128 + the signal when a signal ended it
    std::string errorOutput;   // what it wrote to standard error (its first few kilobytes)
};

// Runs program (a full path) with args, standard input and output on /dev/null, and waits
// for it to end.
ProgramExit runProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace mmx::platform
