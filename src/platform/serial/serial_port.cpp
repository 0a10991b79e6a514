#include "platform/serial/serial_port.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#ifdef __linux__
#include <linux/serial.h>
#endif

#include "core/number_format.h"
#include "platform/serial/open_advice.h"
#include "platform/serial/usb_latency.h"

namespace mmx {

namespace {

struct BaudEntry {
    unsigned baud;
    speed_t code;
};

constexpr BaudEntry kBauds[] = {
    {1200, B1200},       {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},
    {38400, B38400},     {57600, B57600},     {115200, B115200},   {230400, B230400},
#ifdef B460800
    {460800, B460800},   {500000, B500000},   {576000, B576000},   {921600, B921600},   {1000000, B1000000},
    {1500000, B1500000}, {2000000, B2000000},
#endif
};

bool speedCode(unsigned baud, speed_t& code) {
    for (const auto& entry : kBauds) {
        if (entry.baud == baud) {
            code = entry.code;
            return true;
        }
    }
    return false;
}

int64_t monotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

tcflag_t characterSize(int bits) {
    switch (bits) {
        case 5: return CS5;
        case 6: return CS6;
        case 7: return CS7;
        default: return CS8;
    }
}

// The control flags that decide the frame on the line.
constexpr tcflag_t kFrameFlags = CSIZE | CSTOPB | PARENB | PARODD
#ifdef CMSPAR
                                 | CMSPAR
#endif
    ;

}  // namespace

SerialPort::SerialPort(std::string path, LineSettings settings, PortNoteSink notes, std::string usbSerialRoot)
    : path_(std::move(path)),
      settings_(settings),
      notes_(std::move(notes)),
      usbSerialRoot_(usbSerialRoot.empty() ? std::string(kUsbSerialRoot) : std::move(usbSerialRoot)) {}

void SerialPort::note(bool warning, const std::string& text) const {
    if (notes_) notes_(PortNote{warning, text});
}

SerialPort::~SerialPort() { close(); }

std::string SerialPort::description() const { return path_ + " " + settings_.text(); }

bool SerialPort::open(std::string& error) {
    if (fd_ >= 0) return true;
    int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = openFailureAdvice(path_, errno);
        return false;
    }
    // The lock keeps out every program that locks too (and this one started twice), also
    // programs run by root, which TIOCEXCL does not stop.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = openFailureAdvice(path_, errno == EWOULDBLOCK ? EBUSY : errno);
        ::close(fd);
        return false;
    }
    if (::tcgetattr(fd, &saved_) != 0) {
        error = openFailureAdvice(path_, errno);
        ::close(fd);
        return false;
    }
    // TIOCEXCL also stops other users' opens. Not on a pseudo-terminal: the unit's counterpart
    // keeps its own end open, so a flag left by a client that died would lock the line for good.
    struct stat info {};
    const bool pseudoTerminal = ::fstat(fd, &info) == 0 && major(info.st_rdev) >= 136 && major(info.st_rdev) <= 143;
    if (!pseudoTerminal) ::ioctl(fd, TIOCEXCL);
    fd_ = fd;
    haveSaved_ = true;
    if (!configure(error)) {
        close();
        return false;
    }
    requestLowLatency();
    lowerLatencyTimer();
    ::tcflush(fd_, TCIOFLUSH);
    return true;
}

bool SerialPort::configure(std::string& error) {
    speed_t speed{};
    if (!speedCode(settings_.baud, speed)) {
        error = path_ + ": " + std::to_string(settings_.baud) + " baud is not supported here";
        return false;
    }
#ifndef CMSPAR
    if (settings_.parity == 'M' || settings_.parity == 'S') {
        error = path_ + ": mark and space parity are not supported here";
        return false;
    }
#endif
    // Built whole, nothing inherited: raw bytes both ways, no echo, no flow control, and
    // reads that never block (poll() does the waiting).
    struct termios wanted {};
    wanted.c_cflag = CREAD | CLOCAL | characterSize(settings_.dataBits);
    if (settings_.stopBits == 2) wanted.c_cflag |= CSTOPB;
    if (settings_.parity != 'N') {
        wanted.c_cflag |= PARENB;
        if (settings_.parity == 'O' || settings_.parity == 'M') wanted.c_cflag |= PARODD;
#ifdef CMSPAR
        if (settings_.parity == 'M' || settings_.parity == 'S') wanted.c_cflag |= CMSPAR;
#endif
        wanted.c_iflag = INPCK;
    }
    wanted.c_cc[VMIN] = 0;
    wanted.c_cc[VTIME] = 0;
    ::cfsetispeed(&wanted, speed);
    ::cfsetospeed(&wanted, speed);
    if (::tcsetattr(fd_, TCSANOW, &wanted) != 0) {
        error = path_ + ": the port refused the settings " + settings_.text() + " (" + std::strerror(errno) + ")";
        return false;
    }
    // tcsetattr succeeds when any one change took: read the settings back.
    struct termios actual {};
    if (::tcgetattr(fd_, &actual) != 0 || (actual.c_cflag & kFrameFlags) != (wanted.c_cflag & kFrameFlags) ||
        ::cfgetospeed(&actual) != speed || (actual.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)) != 0 ||
        (actual.c_iflag & (IXON | IXOFF | ICRNL | INLCR | IGNCR | ISTRIP)) != 0 || (actual.c_oflag & OPOST) != 0) {
        error = path_ + ": the port did not take the settings " + settings_.text();
        return false;
    }
    return true;
}

void SerialPort::requestLowLatency() {
#if defined(__linux__) && defined(ASYNC_LOW_LATENCY)
    struct serial_struct serial {};
    if (::ioctl(fd_, TIOCGSERIAL, &serial) != 0) return;  // not a UART driver (a pty): nothing to do
    if (serial.flags & ASYNC_LOW_LATENCY) {
        lowLatency_ = true;
        note(false, path_ + ": low-latency flag already set");
        return;
    }
    serial.flags |= ASYNC_LOW_LATENCY;
    lowLatency_ = ::ioctl(fd_, TIOCSSERIAL, &serial) == 0;
    clearLowLatencyOnClose_ = lowLatency_;
    note(false, path_ + (lowLatency_ ? ": low-latency flag set (cleared again on close)"
                                     : ": the driver refused the low-latency flag"));
#endif
}

void SerialPort::lowerLatencyTimer() {
    const LatencyTimer timer(path_, usbSerialRoot_);
    // Read after the low-latency flag: some drivers then wait 1 ms whatever the timer says.
    const std::optional<int> ms = timer.read();
    if (!ms) return;  // no timer on this adapter
    if (*ms <= 1) {
        note(false, path_ + ": latency timer " + std::to_string(*ms) + " ms");
        return;
    }
    if (timer.write(1)) {
        latencyToRestore_ = *ms;
        note(false, path_ + ": latency timer " + std::to_string(*ms) + " ms, set to 1 ms (put back on close)");
        return;
    }
    // 2 ms costs little; above that the user should know what it costs and how to fix it.
    if (*ms > 2) {
        note(true, latencyAdvice(path_, timer, *ms, settings_));
    } else {
        note(false, path_ + ": latency timer " + std::to_string(*ms) + " ms (not allowed to lower it)");
    }
}

void SerialPort::restoreTuning() {
    if (latencyToRestore_) {
        LatencyTimer(path_, usbSerialRoot_).write(*latencyToRestore_);
        latencyToRestore_.reset();
    }
#if defined(__linux__) && defined(ASYNC_LOW_LATENCY)
    if (clearLowLatencyOnClose_) {
        struct serial_struct serial {};
        if (::ioctl(fd_, TIOCGSERIAL, &serial) == 0) {
            serial.flags &= ~ASYNC_LOW_LATENCY;
            ::ioctl(fd_, TIOCSSERIAL, &serial);
        }
    }
#endif
    clearLowLatencyOnClose_ = false;
    lowLatency_ = false;
}

void SerialPort::close() {
    if (fd_ < 0) return;
    // Let what was written leave the port for a bounded while, then drop the rest so that
    // close() cannot hang on a dead adapter.
    const int64_t lineMs = 200;
    const int64_t deadline = monotonicMs() + lineMs;
    int pending = 0;
    while (::ioctl(fd_, TIOCOUTQ, &pending) == 0 && pending > 0 && monotonicMs() < deadline) {
        ::poll(nullptr, 0, 2);
    }
    ::tcflush(fd_, TCIOFLUSH);
    restoreTuning();
    if (haveSaved_) ::tcsetattr(fd_, TCSANOW, &saved_);
    ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
    haveSaved_ = false;
}

bool SerialPort::write(std::span<const uint8_t> bytes) {
    if (fd_ < 0) return false;
    // Bounded: the line time of the bytes plus two seconds for a stalled adapter.
    const int64_t deadline =
        monotonicMs() + 2000 + static_cast<int64_t>(bytes.size()) * 11 * 1000 / std::max(settings_.baud, 1u);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return false;
        const int64_t left = deadline - monotonicMs();
        if (left <= 0) return false;
        struct pollfd p {fd_, POLLOUT, 0};
        int r = ::poll(&p, 1, static_cast<int>(left));
        if (r < 0 && errno != EINTR) return false;
        if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) return false;
    }
    return true;
}

long SerialPort::read(std::span<uint8_t> out, int timeoutMs) {
    if (fd_ < 0) return -1;
    const int64_t deadline = monotonicMs() + std::max(timeoutMs, 0);
    for (;;) {
        // A raw terminal read returns 0 both for "nothing yet" and for a hang-up, so poll()
        // decides which: 0 bytes from a port that poll() called readable means the line is gone.
        struct pollfd p {fd_, POLLIN, 0};
        const int64_t left = std::max<int64_t>(0, deadline - monotonicMs());
        int r = ::poll(&p, 1, static_cast<int>(left));
        if (r < 0) {
            if (errno == EINTR) return 0;  // a signal (Ctrl-C): let the caller look at its cancel flag
            return -1;
        }
        if (r == 0) return 0;
        if (p.revents & POLLIN) {
            ssize_t n = ::read(fd_, out.data(), out.size());
            if (n > 0) return static_cast<long>(n);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            return -1;
        }
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) return -1;
    }
}

}  // namespace mmx
