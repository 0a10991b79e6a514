#pragma once
// One client connection made with gensio, driven from the calling thread: each stream has its
// own event loop, so streams on different threads (many units at once) never share one.
// Bytes that arrive are kept until read; every wait runs the loop for at most the time given.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct gensio;
struct gensio_os_funcs;
struct gensio_waiter;
struct sergensio;

namespace mmx {

class GensioStream {
public:
    // The four serial values of the telnet serial-port option, in gensio's own terms
    // (parity: SERGENSIO_PARITY_*). Zero means "not known".
    struct SerialLine {
        unsigned baud = 0;
        unsigned dataBits = 0;
        unsigned parity = 0;
        unsigned stopBits = 0;
        bool operator==(const SerialLine&) const = default;
    };

    GensioStream() = default;
    ~GensioStream();
    GensioStream(const GensioStream&) = delete;
    GensioStream& operator=(const GensioStream&) = delete;

    // Connects to a gensio string such as "tcp,host,4001". 0 when connected, else a gensio
    // error code (GE_TIMEDOUT when the server did not answer within timeoutMs).
    int connect(const std::string& description, int timeoutMs);
    // Runs a layer such as "telnet(rfc2217)" over the connection and opens it (for telnet: the
    // option negotiation). 0, or a gensio error code (GE_TIMEDOUT when the far end did not take
    // part within timeoutMs); on failure the whole connection is closed.
    int stack(const std::string& layer, int timeoutMs);
    void disconnect();
    bool connected() const { return io_ != nullptr && !lost_; }

    // Whether the socket has TCP_NODELAY on, read back from it.
    bool noDelay();
    // From now on every receipt is acknowledged at once (see quick_ack.h); false when the
    // connection's socket cannot be found.
    bool acknowledgeEachReceipt(unsigned serverPort);

    // Hands all bytes to gensio in one call where it takes them (it always does for a frame).
    // False when the connection is gone or the bytes were not taken within timeoutMs.
    bool write(std::span<const uint8_t> bytes, int timeoutMs);
    // As BytePort::read: count, 0 after the time-out, -1 when the connection was lost.
    long read(std::span<uint8_t> out, int timeoutMs);

    // Sets the server's line and fills `granted` with what the server answered. 0, or a gensio
    // error code (GE_TIMEDOUT when the server did not answer for every value in time,
    // GE_NOTSUP when the connection has no serial-port option).
    int setSerialLine(const SerialLine& wanted, SerialLine& granted, int timeoutMs);

    static std::string errorText(int code);

private:
    struct SettingAnswer;
    static int onEvent(struct gensio* io, void* self, int event, int err, unsigned char* buf, unsigned long* buflen,
                       const char* const* auxdata);
    static void onOpened(struct gensio* io, int err, void* self);
    static void onClosed(struct gensio* io, void* self);
    static void onSetting(struct sergensio* sio, int err, unsigned value, void* answer);
    // Runs the event loop until `done()` or timeoutMs; true when done.
    template <typename Done>
    bool waitUntil(Done done, int timeoutMs);
    void release();
    void startReading();
    // Waits for the open just started; 0 or the error.
    int awaitOpen(int timeoutMs);

    struct gensio_os_funcs* os_ = nullptr;
    struct gensio_waiter* waiter_ = nullptr;
    struct gensio* io_ = nullptr;
    std::vector<uint8_t> received_;
    size_t readPos_ = 0;
    bool opening_ = false;
    int openError_ = 0;
    bool closing_ = false;
    bool lost_ = false;
    bool reading_ = false;
    int quickAckSocket_ = -1;
    bool writeReady_ = false;
    int settingsPending_ = 0;
    int settingError_ = 0;
};

}  // namespace mmx
