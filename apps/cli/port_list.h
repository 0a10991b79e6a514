#pragma once
// The ports a command that reaches many units was given (--port once per unit, --ports all),
// resolved and checked: no device named twice, no server reached under two names.
#include <optional>
#include <string>
#include <vector>

#include "link_session.h"

namespace mmx::cli {

// Each command opens the line with its own notes sink (the terminal, or the units' board).
struct PortLine {
    std::string label;  // "COM2 (/dev/ttyUSB1)", "/dev/ttyUSB0", "rfc2217://a:4001"
    std::string path;   // what is opened
};

struct PortList {
    std::optional<LinkSession> session;  // the settings and the settings folder
    std::vector<PortLine> lines;         // empty: --ports all found no adapter (told on stderr)
};

// Nothing (after a message on stderr) when the names are wrong: a usage error.
std::optional<PortList> resolvePortList(const std::string& command, const std::vector<std::string>& names, bool allPorts,
                                        bool verbose);

// When two of the names (as given, with what they were resolved to) reach one server: a message
// naming both on stderr, and true.
bool refuseSameServer(const std::string& command, const std::vector<std::string>& names,
                      const std::vector<std::string>& paths);

// The device a path leads to through links (/dev/serial/by-id/... -> /dev/ttyUSB0), or the path
// itself when it leads nowhere: two names of one device compare equal.
std::string canonicalDevicePath(const std::string& path);

}  // namespace mmx::cli
