#include "platform/qt/instance_marker.h"

#include <cstdio>
#include <fstream>

namespace mmx {

std::optional<std::string> ReadInstanceMarker(const std::string& markerFile) {
    std::ifstream in(markerFile, std::ios::binary);
    if (!in) return std::nullopt;
    std::string line;
    if (!std::getline(in, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

bool WriteInstanceMarker(const std::string& markerFile, const std::string& caption) {
    std::ofstream out(markerFile, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << caption << "\r\n";
    out.flush();
    return static_cast<bool>(out);
}

void RemoveInstanceMarker(const std::string& markerFile) { std::remove(markerFile.c_str()); }

}  // namespace mmx
