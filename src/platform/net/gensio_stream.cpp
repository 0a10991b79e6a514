#include "platform/net/gensio_stream.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstdarg>
#include <ctime>
#include <gensio/gensio.h>
#include <gensio/gensio_os_funcs.h>
#include <gensio/gensio_unix.h>
#include <gensio/sergensio.h>

#include "platform/net/quick_ack.h"

namespace mmx {

namespace {

using Clock = std::chrono::steady_clock;

// gensio reports through the program's log by default; a failure here is told to the user by
// the caller instead, in words.
void silentLog(struct gensio_os_funcs*, enum gensio_log_levels, const char*, va_list) {}

// Writing into a connection the server has closed raises SIGPIPE, whose default ends the
// program. While gensio works in this thread the signal is held back; one it raised is taken
// out before the thread's mask is restored, so the program's own handling stays untouched.
class HoldBrokenPipe {
public:
    HoldBrokenPipe() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        alreadyPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
    }
    ~HoldBrokenPipe() {
        const int savedErrno = errno;
        if (!alreadyPending_) {
            const struct timespec now {};
            int taken = 0;
            do {
                taken = sigtimedwait(&pipe_, nullptr, &now);
            } while (taken == SIGPIPE || (taken < 0 && errno == EINTR));
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
        errno = savedErrno;
    }
    HoldBrokenPipe(const HoldBrokenPipe&) = delete;
    HoldBrokenPipe& operator=(const HoldBrokenPipe&) = delete;

private:
    sigset_t pipe_{};
    sigset_t previous_{};
    bool alreadyPending_ = false;
};

}  // namespace

struct GensioStream::SettingAnswer {
    GensioStream* stream;
    unsigned* value;
};

GensioStream::~GensioStream() { release(); }

template <typename Done>
bool GensioStream::waitUntil(Done done, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        gensio_time wait{static_cast<int64_t>(left / 1000000), static_cast<int32_t>(left % 1000000 * 1000)};
        gensio_os_funcs_wait(os_, waiter_, 1, &wait);
    }
    return true;
}

int GensioStream::connect(const std::string& description, int timeoutMs) {
    const HoldBrokenPipe hold;
    release();
    // An event loop of this stream's own: no wake-up signal is needed, as only the thread that
    // uses the stream ever waits on it.
    int rv = gensio_unix_funcs_alloc(nullptr, 0, &os_);
    if (rv != 0) return rv;
    gensio_os_funcs_set_vlog(os_, silentLog);
    waiter_ = gensio_os_funcs_alloc_waiter(os_);
    if (waiter_ == nullptr) return GE_NOMEM;
    rv = str_to_gensio(description.c_str(), os_, &GensioStream::onEvent, this, &io_);
    if (rv != 0) {
        io_ = nullptr;
        return rv;
    }
    opening_ = true;
    openError_ = 0;
    rv = gensio_open(io_, &GensioStream::onOpened, this);
    if (rv == 0) rv = awaitOpen(timeoutMs);
    if (rv != 0) {
        opening_ = false;
        disconnect();
    }
    return rv;
}

int GensioStream::stack(const std::string& layer, int timeoutMs) {
    const HoldBrokenPipe hold;
    if (io_ == nullptr) return GE_NOTREADY;
    struct gensio* top = nullptr;
    int rv = str_to_gensio_child(io_, layer.c_str(), os_, &GensioStream::onEvent, this, &top);
    if (rv != 0) {
        disconnect();
        return rv;
    }
    // The layer owns the connection from here on: closing or freeing it takes both.
    io_ = top;
    opening_ = true;
    openError_ = 0;
    rv = gensio_open_nochild(top, &GensioStream::onOpened, this);
    if (rv == 0) rv = awaitOpen(timeoutMs);
    if (rv != 0) {
        opening_ = false;
        disconnect();
    }
    return rv;
}

int GensioStream::awaitOpen(int timeoutMs) {
    if (!waitUntil([this] { return !opening_; }, timeoutMs)) return GE_TIMEDOUT;
    lost_ = false;
    return openError_;
}

void GensioStream::startReading() {
    if (reading_ || io_ == nullptr) return;
    reading_ = true;
    gensio_set_read_callback_enable(io_, true);
}

void GensioStream::disconnect() {
    const HoldBrokenPipe hold;
    if (io_ == nullptr) return;
    closing_ = true;
    if (gensio_close(io_, &GensioStream::onClosed, this) == 0) waitUntil([this] { return !closing_; }, 1000);
    closing_ = false;
    gensio_free(io_);
    io_ = nullptr;
    reading_ = false;
    quickAckSocket_ = -1;
    received_.clear();
    readPos_ = 0;
}

void GensioStream::release() {
    disconnect();
    if (waiter_ != nullptr) gensio_os_funcs_free_waiter(os_, waiter_);
    waiter_ = nullptr;
    if (os_ != nullptr) gensio_os_funcs_free(os_);
    os_ = nullptr;
}

bool GensioStream::noDelay() {
    if (io_ == nullptr) return false;
    char value[8] = "";
    gensiods length = sizeof value;
    return gensio_control(io_, GENSIO_CONTROL_DEPTH_FIRST, GENSIO_CONTROL_GET, GENSIO_CONTROL_NODELAY, value,
                          &length) == 0 &&
           value[0] == '1';
}

bool GensioStream::acknowledgeEachReceipt(unsigned serverPort) {
    if (io_ == nullptr) return false;
    char port[32] = "";
    gensiods length = sizeof port;
    if (gensio_control(io_, GENSIO_CONTROL_DEPTH_FIRST, GENSIO_CONTROL_GET, GENSIO_CONTROL_LPORT, port, &length) != 0)
        return false;
    quickAckSocket_ = findConnectedSocket(static_cast<unsigned>(std::atoi(port)), serverPort);
    return quickAckSocket_ >= 0;
}

bool GensioStream::write(std::span<const uint8_t> bytes, int timeoutMs) {
    const HoldBrokenPipe hold;
    size_t taken = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (connected()) {
        gensiods count = 0;
        if (gensio_write(io_, &count, bytes.data() + taken, bytes.size() - taken, nullptr) != 0) {
            lost_ = true;
            return false;
        }
        taken += count;
        if (taken == bytes.size()) return true;
        // gensio's buffer is full: wait until it takes more.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        writeReady_ = false;
        gensio_set_write_callback_enable(io_, true);
        const bool ready = left > 0 && waitUntil([this] { return writeReady_ || lost_; }, static_cast<int>(left));
        if (io_ != nullptr) gensio_set_write_callback_enable(io_, false);
        if (!ready) return false;
    }
    return false;
}

long GensioStream::read(std::span<uint8_t> out, int timeoutMs) {
    const HoldBrokenPipe hold;
    if (io_ == nullptr) return -1;
    startReading();
    waitUntil([this] { return readPos_ < received_.size() || lost_; }, timeoutMs);
    const size_t waiting = received_.size() - readPos_;
    if (waiting == 0) return lost_ ? -1 : 0;
    const size_t n = std::min(waiting, out.size());
    std::copy_n(received_.begin() + static_cast<std::ptrdiff_t>(readPos_), n, out.begin());
    readPos_ += n;
    if (readPos_ == received_.size()) {
        received_.clear();
        readPos_ = 0;
    }
    return static_cast<long>(n);
}

int GensioStream::setSerialLine(const SerialLine& wanted, SerialLine& granted, int timeoutMs) {
    const HoldBrokenPipe hold;
    struct sergensio* serial = io_ != nullptr ? gensio_to_sergensio(io_) : nullptr;
    if (serial == nullptr) return GE_NOTSUP;
    granted = {};
    startReading();
    settingError_ = 0;
    settingsPending_ = 0;
    SettingAnswer answers[] = {{this, &granted.baud}, {this, &granted.dataBits}, {this, &granted.parity},
                               {this, &granted.stopBits}};
    using Setter = int (*)(struct sergensio*, unsigned, sergensio_done, void*);
    const std::pair<Setter, unsigned> requests[] = {{sergensio_baud, wanted.baud},
                                                    {sergensio_datasize, wanted.dataBits},
                                                    {sergensio_parity, wanted.parity},
                                                    {sergensio_stopbits, wanted.stopBits}};
    for (size_t i = 0; i < std::size(requests); ++i) {
        const int rv = requests[i].first(serial, requests[i].second, &GensioStream::onSetting, &answers[i]);
        if (rv != 0) {
            // Answers already asked for must not land in `answers` after this returns.
            waitUntil([this] { return settingsPending_ == 0; }, timeoutMs);
            return rv;
        }
        ++settingsPending_;
    }
    if (!waitUntil([this] { return settingsPending_ == 0 || lost_; }, timeoutMs)) {
        // Late answers would write into `answers`: the connection goes with the session.
        disconnect();
        return GE_TIMEDOUT;
    }
    if (lost_) return GE_REMCLOSE;
    return settingError_;
}

std::string GensioStream::errorText(int code) { return gensio_err_to_str(code); }

int GensioStream::onEvent(struct gensio*, void* self, int event, int err, unsigned char* buf, gensiods* buflen,
                          const char* const*) {
    auto* stream = static_cast<GensioStream*>(self);
    switch (event) {
        case GENSIO_EVENT_READ:
            if (err != 0) {
                stream->lost_ = true;
            } else if (buf != nullptr && buflen != nullptr) {
                stream->received_.insert(stream->received_.end(), buf, buf + *buflen);
                acknowledgeNow(stream->quickAckSocket_);
            }
            gensio_os_funcs_wake(stream->os_, stream->waiter_);
            return 0;
        case GENSIO_EVENT_WRITE_READY:
            stream->writeReady_ = true;
            gensio_os_funcs_wake(stream->os_, stream->waiter_);
            return 0;
        default:
            return GE_NOTSUP;
    }
}

void GensioStream::onOpened(struct gensio*, int err, void* self) {
    auto* stream = static_cast<GensioStream*>(self);
    stream->openError_ = err;
    stream->opening_ = false;
    gensio_os_funcs_wake(stream->os_, stream->waiter_);
}

void GensioStream::onClosed(struct gensio*, void* self) {
    auto* stream = static_cast<GensioStream*>(self);
    stream->closing_ = false;
    gensio_os_funcs_wake(stream->os_, stream->waiter_);
}

void GensioStream::onSetting(struct sergensio*, int err, unsigned value, void* answer) {
    auto* a = static_cast<SettingAnswer*>(answer);
    GensioStream* stream = a->stream;
    if (err != 0 && stream->settingError_ == 0) stream->settingError_ = err;
    if (err == 0) *a->value = value;
    --stream->settingsPending_;
    gensio_os_funcs_wake(stream->os_, stream->waiter_);
}

}  // namespace mmx
