#pragma once
// A unit behind a serial device server, reached over TCP: raw (tcp://) or telnet with the
// serial-port option (rfc2217://), which sets the server's line from the settings once per
// session and reads back what the server made of them. The byte stream itself is the same
// protocol as on a local line.
#include <memory>
#include <string>

#include "core/line_settings.h"
#include "device/byte_port.h"
#include "platform/net/network_address.h"

namespace mmx {

class GensioStream;

class NetworkPort final : public BytePort {
public:
    static constexpr int kConnectTimeoutMs = 3000;
    // How long the server may take to confirm the line settings.
    static constexpr int kLineSettingsTimeoutMs = 2000;

    NetworkPort(NetworkAddress address, LineSettings line);
    ~NetworkPort() override;
    NetworkPort(const NetworkPort&) = delete;
    NetworkPort& operator=(const NetworkPort&) = delete;

    bool open(std::string& error) override;
    void close() override;
    bool isOpen() const override;
    bool write(std::span<const uint8_t> bytes) override;
    long read(std::span<uint8_t> out, int timeoutMs) override;
    // "rfc2217://host:4001 115200 8N2"; over tcp:// only the address, the line being the server's.
    std::string description() const override;

    const NetworkAddress& address() const { return address_; }
    // Whether the connection sends each write at once (TCP_NODELAY, read back from the socket).
    bool noDelay() const { return noDelay_; }
    // Whether received bytes are acknowledged at once (see quick_ack.h).
    bool quickAck() const { return quickAck_; }

private:
    bool applyLineSettings(std::string& error);

    NetworkAddress address_;
    LineSettings line_;
    std::unique_ptr<GensioStream> stream_;
    bool noDelay_ = false;
    bool quickAck_ = false;
};

}  // namespace mmx
