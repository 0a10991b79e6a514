#include "support/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mmx::test {

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& environment,
                      const std::function<bool(const std::string&)>& onErr, int signal) {
    ProgramRun run;
    int outPipe[2];
    int errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) return run;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outPipe[1], 1);
        ::dup2(errPipe[1], 2);
        for (const auto& entry : environment) ::putenv(const_cast<char*>(entry.c_str()));
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    bool signalled = false;
    struct pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    int open = 2;
    char buffer[4096];
    // A program that hangs fails its test instead of hanging it.
    while (open > 0 && ::poll(fds, 2, 20000) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
                continue;
            }
            (i == 0 ? run.out : run.err).append(buffer, static_cast<size_t>(n));
            if (i == 1 && onErr && !signalled && onErr(run.err)) {
                ::kill(pid, signal);
                signalled = true;
            }
        }
    }
    for (auto& f : fds) {
        if (f.fd >= 0) ::close(f.fd);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

}  // namespace mmx::test
