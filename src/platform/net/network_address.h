#pragma once
// A unit reached through a serial device server: "rfc2217://HOST:PORT" (telnet with the
// serial-port option, so this side sets the line) or "tcp://HOST:PORT" (raw bytes; the server's
// own line settings apply). "socket://HOST:PORT" is taken as tcp:// as other serial tools write it.
#include <optional>
#include <string>

namespace mmx {

struct NetworkAddress {
    enum class Kind { Rfc2217, RawTcp };
    Kind kind = Kind::Rfc2217;
    std::string host;  // a name, an IPv4 address or an IPv6 address without brackets
    unsigned port = 0;

    bool setsLine() const { return kind == Kind::Rfc2217; }
    // "rfc2217://host:4001", "tcp://[fe80::1]:4001"
    std::string text() const;
    bool operator==(const NetworkAddress&) const = default;
};

// True when the text names a network port at all (by its scheme), whether well formed or not:
// such a text is never taken for a device path.
bool looksLikeNetworkPort(const std::string& text);

// The address, or nothing with a reason in `error` ("tcp://unit7: no port number ...").
std::optional<NetworkAddress> parseNetworkAddress(const std::string& text, std::string& error);

}  // namespace mmx
