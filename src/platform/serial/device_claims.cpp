#include "platform/serial/device_claims.h"

#include "core/plain_text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>

namespace mmx {

namespace fs = std::filesystem;

namespace {

// The rules files udev reads, by name, each from the first folder that has it.
std::map<std::string, fs::path> effectiveRules(const UdevRoots& roots) {
    std::map<std::string, fs::path> files;
    for (const auto& folder : roots.rules) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.size() > 6 && name.ends_with(".rules")) files.emplace(name, it->path());
        }
    }
    return files;
}

// Lines that are not comments, lower-cased.
std::vector<std::string> ruleLines(const fs::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        lines.push_back(asciiLower(line));
    }
    return lines;
}

// "0403" -> "403": udev's PRODUCT value writes the ids without leading zeros.
std::string withoutLeadingZeros(const std::string& hex) {
    const size_t first = hex.find_first_not_of('0');
    return first == std::string::npos ? "0" : hex.substr(first);
}

bool contains(const std::string& line, const std::string& part) { return line.find(part) != std::string::npos; }

}  // namespace

DeviceClaims deviceClaims(const std::string& deviceNumber, const std::string& usbId, const UdevRoots& roots) {
    DeviceClaims claims;
    const size_t colon = usbId.find(':');
    const std::string vendor = colon == std::string::npos ? "" : asciiLower(usbId.substr(0, colon));
    const std::string product = colon == std::string::npos ? "" : asciiLower(usbId.substr(colon + 1));
    // Both look at USB adapters only; built-in ports are left to themselves.
    if (vendor.empty()) return claims;
    bool ruleKeepsModemManagerAway = false;
    for (const auto& [name, file] : effectiveRules(roots)) {
        const bool modemManagerRules = contains(name, "mm-candidate");
        const bool brlttyRules = contains(name, "brltty");
        if (modemManagerRules) claims.modemManager = ModemManagerStance::MayProbe;
        for (const std::string& line : ruleLines(file)) {
            if (brlttyRules && contains(line, "env{product}==\"" + withoutLeadingZeros(vendor) + "/" +
                                                  withoutLeadingZeros(product) + "/")) {
                claims.brltty = true;
            }
            if (contains(line, "id_mm_device_ignore}=\"1\"") && contains(line, "attrs{idvendor}==\"" + vendor + "\"") &&
                (!contains(line, "attrs{idproduct}") || contains(line, "attrs{idproduct}==\"" + product + "\""))) {
                ruleKeepsModemManagerAway = true;
            }
        }
    }
    if (claims.modemManager == ModemManagerStance::Absent) return claims;
    // udev's record of the device says what its rules decided; without one, go by the rules.
    std::ifstream record(fs::path(roots.data) / ("c" + deviceNumber));
    if (record) {
        ruleKeepsModemManagerAway = false;
        for (std::string line; std::getline(record, line);) {
            ruleKeepsModemManagerAway = ruleKeepsModemManagerAway || line == "E:ID_MM_DEVICE_IGNORE=1";
        }
    }
    if (ruleKeepsModemManagerAway) claims.modemManager = ModemManagerStance::Ignores;
    return claims;
}

}  // namespace mmx
