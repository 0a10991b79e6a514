#pragma once
// Runs the mmx4210-unit program for a test and reads the pseudo-terminal path it prints first.
#include <csignal>
#include <string>
#include <vector>

namespace mmx::test {

class UnitProcess {
public:
    UnitProcess() = default;
    ~UnitProcess();
    UnitProcess(const UnitProcess&) = delete;
    UnitProcess& operator=(const UnitProcess&) = delete;

    // Starts the program with the arguments; false with a reason when it did not print a path.
    bool start(const std::string& program, const std::vector<std::string>& args, std::string& error);
    const std::string& ptyPath() const { return ptyPath_; }
    // Sends the signal and waits; the exit status (or -1).
    int stop(int signal = SIGTERM);

private:
    int pid_ = -1;
    int out_ = -1;
    std::string ptyPath_;
};

}  // namespace mmx::test

