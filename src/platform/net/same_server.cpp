#include "platform/net/same_server.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/net/host_lookup.h"
#include "platform/net/network_address.h"

namespace mmx {

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::optional<std::pair<size_t, size_t>> findSameServer(const std::vector<std::string>& ports, int lookupTimeoutMs) {
    std::map<std::string, std::string> resolved;  // host as written -> what it is compared by
    std::map<std::string, size_t> seen;           // "address port" -> first index
    for (size_t i = 0; i < ports.size(); ++i) {
        if (!looksLikeNetworkPort(ports[i])) continue;
        std::string error;
        const auto address = parseNetworkAddress(ports[i], error);
        if (!address) continue;
        auto host = resolved.find(address->host);
        if (host == resolved.end()) {
            // The port connects to the first address a name has; so is it compared.
            const HostLookup lookup = lookUpHost(address->host, lookupTimeoutMs);
            const std::string key = lookup.outcome == HostLookup::Outcome::Found ? lookup.address : lowerCase(address->host);
            host = resolved.emplace(address->host, key).first;
        }
        const std::string server = host->second + " " + std::to_string(address->port);
        const auto [first, inserted] = seen.emplace(server, i);
        if (!inserted) return std::make_pair(first->second, i);
    }
    return std::nullopt;
}

}  // namespace mmx
