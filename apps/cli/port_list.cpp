#include "port_list.h"

#include <filesystem>
#include <iostream>
#include <set>

#include "platform/net/same_server.h"
#include "platform/serial/port_names.h"

namespace mmx::cli {

std::string canonicalDevicePath(const std::string& path) {
    std::error_code ec;
    auto resolved = std::filesystem::canonical(path, ec);
    return ec ? path : resolved.string();
}

bool refuseSameServer(const std::string& command, const std::vector<std::string>& names,
                      const std::vector<std::string>& paths) {
    const auto same = findSameServer(paths);
    if (!same) return false;
    std::cerr << "mmx4210-cli " << command << ": " << names.at(same->first) << " and " << names.at(same->second)
              << " reach one server's port; name each unit once\n";
    return true;
}

std::optional<PortList> resolvePortList(const std::string& command, const std::vector<std::string>& given, bool allPorts,
                                        bool verbose) {
    std::vector<std::string> names = given;
    if (allPorts) {
        // Built-in ports rarely carry a unit and would only fail.
        for (const auto& device : listSerialDevices()) {
            if (!device.usbId.empty()) names.push_back(device.path);
        }
    }
    if (names.empty()) {
        if (!allPorts) {
            std::cerr << "mmx4210-cli " << command << ": name the units' ports with --port (once per unit) or --ports all\n";
            return std::nullopt;
        }
        std::cerr << "mmx4210-cli " << command << ": --ports all found no USB serial adapter (see mmx4210-cli ports)\n";
        PortList none;
        return none;
    }
    PortList list;
    list.session = openLinkSession(command, names.front(), verbose);
    if (!list.session) return std::nullopt;
    const std::string& folder = list.session->folders.settings;
    std::set<std::string> devices;
    std::vector<std::string> kept;
    for (const auto& name : names) {
        const auto choice = resolvePortName(name, folder);
        if (!choice) {
            std::cerr << "mmx4210-cli " << command << ": --port takes Com1..Com10, a device path or a network address "
                      << "(rfc2217://HOST:PORT, tcp://HOST:PORT), not '" << name << "'\n";
            return std::nullopt;
        }
        // Two names of one device would be two commands fighting over one line.
        if (!devices.insert(canonicalDevicePath(choice->path)).second) {
            if (allPorts && choice->comNumber == 0) continue;
            std::cerr << "mmx4210-cli " << command << ": " << name << " names a port that is already in the list\n";
            return std::nullopt;
        }
        kept.push_back(name);
        const std::string label = choice->comNumber != 0 ? choice->label + " (" + choice->path + ")" : choice->path;
        list.lines.push_back(PortLine{label, choice->path});
    }
    std::vector<std::string> paths;
    for (const auto& line : list.lines) paths.push_back(line.path);
    if (refuseSameServer(command, kept, paths)) return std::nullopt;
    return list;
}

}  // namespace mmx::cli
