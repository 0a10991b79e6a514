#pragma once
// Turns a server's name into an address within a time limit: the system resolver alone may
// wait for a silent name server far longer than a user should wait for "unknown name".
#include <string>

namespace mmx {

struct HostLookup {
    enum class Outcome { Found, Unknown, TimedOut, Failed };
    Outcome outcome = Outcome::Failed;
    std::string address;  // numeric, "192.168.1.20" or "fe80::1"
    std::string reason;   // the resolver's words when it failed
};

HostLookup lookUpHost(const std::string& host, int timeoutMs);

}  // namespace mmx
