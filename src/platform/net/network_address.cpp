#include "platform/net/network_address.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace mmx {

namespace {

struct Scheme {
    const char* prefix;
    NetworkAddress::Kind kind;
};

constexpr Scheme kSchemes[] = {
    {"rfc2217://", NetworkAddress::Kind::Rfc2217},
    {"tcp://", NetworkAddress::Kind::RawTcp},
    {"socket://", NetworkAddress::Kind::RawTcp},
};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

const Scheme* schemeOf(const std::string& text) {
    const std::string folded = lower(text);
    for (const auto& scheme : kSchemes) {
        if (folded.rfind(scheme.prefix, 0) == 0) return &scheme;
    }
    return nullptr;
}

bool validHostName(const std::string& host) {
    return !host.empty() && std::all_of(host.begin(), host.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '.' || c == '-' || c == '_';
    });
}

}  // namespace

std::string NetworkAddress::text() const {
    const std::string shownHost = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    return std::string(kind == Kind::Rfc2217 ? "rfc2217://" : "tcp://") + shownHost + ":" + std::to_string(port);
}

bool looksLikeNetworkPort(const std::string& text) { return schemeOf(text) != nullptr; }

std::optional<NetworkAddress> parseNetworkAddress(const std::string& text, std::string& error) {
    const Scheme* scheme = schemeOf(text);
    if (scheme == nullptr) {
        error = text + ": a network port is rfc2217://HOST:PORT or tcp://HOST:PORT";
        return std::nullopt;
    }
    std::string rest = text.substr(std::char_traits<char>::length(scheme->prefix));
    if (!rest.empty() && rest.back() == '/') rest.pop_back();
    NetworkAddress address;
    address.kind = scheme->kind;
    std::string portText;
    if (!rest.empty() && rest.front() == '[') {
        const size_t close = rest.find(']');
        if (close == std::string::npos || close + 1 >= rest.size() || rest[close + 1] != ':') {
            error = text + ": an IPv6 address is written [ADDRESS]:PORT";
            return std::nullopt;
        }
        address.host = rest.substr(1, close - 1);
        portText = rest.substr(close + 2);
        if (address.host.empty() || address.host.find_first_not_of("0123456789abcdefABCDEF:.") != std::string::npos) {
            error = text + ": '" + address.host + "' is not an IPv6 address";
            return std::nullopt;
        }
    } else {
        const size_t colon = rest.rfind(':');
        if (colon == std::string::npos) {
            error = text + ": no port number (write HOST:PORT, for example " + scheme->prefix + "192.168.1.20:4001)";
            return std::nullopt;
        }
        address.host = rest.substr(0, colon);
        portText = rest.substr(colon + 1);
        if (!validHostName(address.host)) {
            error = text + ": '" + address.host + "' is not a host name or address";
            return std::nullopt;
        }
    }
    unsigned port = 0;
    const auto [end, ec] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (portText.empty() || ec != std::errc() || end != portText.data() + portText.size() || port < 1 || port > 65535) {
        error = text + ": '" + portText + "' is not a TCP port number (1 to 65535)";
        return std::nullopt;
    }
    address.port = port;
    return address;
}

}  // namespace mmx
