#pragma once
// What the upload benchmarks share: the clocks they read and the paced counterpart they start.
#include <chrono>
#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace mmx::bench {

inline double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

inline double nowSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Starts mmx4210-unit and returns the pseudo-terminal it serves ("" on failure).
// Starts the unit counterpart (paced at `baud` when it is not 0, with any further options) and
// returns the pseudo-terminal it prints.
inline std::string startUnit(const std::string& program, unsigned baud, pid_t& pid,
                             const std::vector<std::string>& extraArgs = {}) {
    int out[2];
    if (pipe(out) != 0) return "";
    pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        std::vector<std::string> args{program, "--quiet"};
        if (baud > 0) {
            args.push_back("--baud");
            args.push_back(std::to_string(baud));
        }
        args.insert(args.end(), extraArgs.begin(), extraArgs.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string path;
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n') path += c;
    close(out[0]);
    return path;
}

inline void stopUnit(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

}  // namespace mmx::bench
