#include "platform/speech/program_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

extern char** environ;

namespace mmx::platform {
namespace {

constexpr size_t kMaxErrorOutput = 4096;

// Closes the descriptors it holds when it goes.
struct Pipe {
    int ends[2] = {-1, -1};
    ~Pipe() {
        for (const int end : ends) {
            if (end >= 0) ::close(end);
        }
    }
    void closeEnd(int which) {
        ::close(ends[which]);
        ends[which] = -1;
    }
};

struct SpawnActions {
    posix_spawn_file_actions_t actions;
    SpawnActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions); }
};

std::string readAll(int fd) {
    std::string text;
    char buffer[1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        // Keep reading past the limit, so that the program never blocks on a full pipe.
        if (text.size() < kMaxErrorOutput) text.append(buffer, static_cast<size_t>(got));
    }
    if (text.size() > kMaxErrorOutput) text.resize(kMaxErrorOutput);
    return text;
}

}  // namespace

std::string findProgram(const std::string& name, const std::string& searchPath) {
    std::istringstream folders(searchPath);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (folder.empty()) continue;  // the current folder is never searched
        const std::string candidate = folder + "/" + name;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

ProgramExit runProgram(const std::string& program, const std::vector<std::string>& args) {
    ProgramExit result;
    Pipe errors;
    if (::pipe2(errors.ends, O_CLOEXEC) != 0) {
        result.startFailure = std::strerror(errno);
        return result;
    }
    SpawnActions spawn;
    posix_spawn_file_actions_addopen(&spawn.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&spawn.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&spawn.actions, errors.ends[1], STDERR_FILENO);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawnError = ::posix_spawn(&child, program.c_str(), &spawn.actions, nullptr, argv.data(), environ);
    errors.closeEnd(1);
    if (spawnError != 0) {
        result.startFailure = std::strerror(spawnError);
        return result;
    }
    result.started = true;
    result.errorOutput = readAll(errors.ends[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            result.exitCode = -1;
            return result;
        }
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
    return result;
}

}  // namespace mmx::platform
