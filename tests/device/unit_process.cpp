#include "unit_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mmx::test {

UnitProcess::~UnitProcess() { stop(SIGKILL); }

bool UnitProcess::start(const std::string& program, const std::vector<std::string>& args, std::string& error) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        error = "pipe failed";
        return false;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(pipeFds[1], 1);
        int devNull = ::open("/dev/null", O_WRONLY);
        if (devNull >= 0) ::dup2(devNull, 2);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    out_ = pipeFds[0];
    if (pid_ < 0) {
        error = "fork failed";
        return false;
    }
    // The first line; a generous bound so that a broken program fails the test instead of
    // hanging it (nothing is measured against it).
    char c = 0;
    while (true) {
        struct pollfd p {out_, POLLIN, 0};
        if (::poll(&p, 1, 10000) <= 0 || ::read(out_, &c, 1) != 1) {
            error = "the unit program printed no path";
            return false;
        }
        if (c == '\n') break;
        ptyPath_ += c;
    }
    return true;
}

int UnitProcess::stop(int signal) {
    if (pid_ <= 0) return -1;
    ::kill(pid_, signal);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    if (out_ >= 0) ::close(out_);
    out_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace mmx::test

