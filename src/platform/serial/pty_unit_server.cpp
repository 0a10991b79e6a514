#include "platform/serial/pty_unit_server.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace mmx {

namespace {

int64_t monotonicUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

PtyUnitServer::PtyUnitServer(UnitEmulator& unit) : unit_(unit) {}

PtyUnitServer::~PtyUnitServer() {
    hangUp();
    if (slave_ >= 0) ::close(slave_);
    for (int fd : wake_) {
        if (fd >= 0) ::close(fd);
    }
}

bool PtyUnitServer::open(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(master_);
    if (name == nullptr) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        error = slavePath_ + ": " + std::strerror(errno);
        return false;
    }
    // A fresh pty is cooked: CR would become LF and 0x15 (NAK) would kill the line.
    struct termios raw {};
    ::tcgetattr(slave_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave_, TCSANOW, &raw);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = std::string("cannot create a pipe: ") + std::strerror(errno);
        return false;
    }
    return true;
}

void PtyUnitServer::stop() {
    stopping_.store(true);
    if (wake_[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_[1], &byte, 1);
    }
}

void PtyUnitServer::hangUp() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void PtyUnitServer::run() {
    // The line's bytes are released at their due microsecond; the default timer slack (50 us
    // per wake-up) would stretch every answer of a paced line by that much per byte.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    std::vector<uint8_t> outgoing;  // due bytes the line did not take yet
    uint8_t buffer[4096];
    while (!stopping_.load() && master_ >= 0) {
        const int64_t now = monotonicUs();
        // Collect what the unit has put on the line by now.
        for (;;) {
            size_t n = unit_.transmit(std::span<uint8_t>(buffer, sizeof buffer), now);
            if (n == 0) break;
            outgoing.insert(outgoing.end(), buffer, buffer + n);
        }
        while (!outgoing.empty()) {
            ssize_t n = ::write(master_, outgoing.data(), outgoing.size());
            if (n > 0) {
                outgoing.erase(outgoing.begin(), outgoing.begin() + n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            break;  // the line is full (EAGAIN): wait until it takes more
        }
        // Wait to the microsecond for the next due byte: a paced line releases a byte every
        // 95 us at 115200 baud, and millisecond waits would stretch every answer.
        struct timespec wait {};
        struct timespec* timeout = nullptr;
        if (auto due = unit_.nextTransmitUs()) {
            const int64_t waitUs = std::max<int64_t>(0, *due - monotonicUs());
            wait.tv_sec = static_cast<time_t>(waitUs / 1000000);
            wait.tv_nsec = static_cast<long>(waitUs % 1000000 * 1000);
            timeout = &wait;
        }
        struct pollfd fds[2] = {{master_, static_cast<short>(POLLIN | (outgoing.empty() ? 0 : POLLOUT)), 0},
                                {wake_[0], POLLIN, 0}};
        int r = ::ppoll(fds, 2, timeout, nullptr);
        if (r < 0 && errno != EINTR) break;
        if (r <= 0) continue;
        if (fds[0].revents & POLLIN) {
            ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0) unit_.receive(std::span<const uint8_t>(buffer, static_cast<size_t>(n)), monotonicUs());
        }
        if (fds[1].revents & POLLIN) {
            char drain[16];
            while (::read(wake_[0], drain, sizeof drain) > 0) {
            }
        }
    }
}

}  // namespace mmx
