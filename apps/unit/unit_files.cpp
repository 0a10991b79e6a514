#include "unit_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "image/memory_map.h"
#include "storage/atomic_file.h"

namespace mmx::unitapp {

namespace {

constexpr uint64_t kImageBytes = uint64_t{image::kUnitWords} * 2;

std::string_view asChars(const std::vector<uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

bool dumpUnit(const UnitEmulator& unit, const std::string& folder, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        error = "cannot create " + folder + ": " + ec.message();
        return false;
    }
    const fs::path base(folder);
    auto write = [&error, &base](const std::string& name, std::string_view bytes) {
        std::string why;
        if (writeFileAtomically((base / name).string(), bytes, &why)) return true;
        error = "cannot write " + (base / name).string() + ": " + why;
        return false;
    };
    if (!write("image.bin", asChars(unit.bytesAt(0, image::kUnitWords)))) return false;
    if (!write("message-table.txt", unit.messageTableText())) return false;
    if (!write("trigger-table.txt", unit.triggerTableText())) return false;
    const ImageCheck check = unit.checkImage();
    std::string checkText = std::string(check.ok ? "image ok" : "image has errors") + "\n";
    for (const auto& line : check.lines) checkText += line + "\n";
    if (!write("check.txt", checkText)) return false;
    for (int slot = 1; slot <= image::kSlots; ++slot) {
        char name[32];
        std::snprintf(name, sizeof name, "message-%02d.bin", slot);
        const std::vector<uint8_t> bytes = unit.messageBytes(slot);
        if (bytes.empty()) {
            fs::remove(base / name, ec);  // a message of an earlier upload is gone
            continue;
        }
        if (!write(name, asChars(bytes))) return false;
    }
    return true;
}

bool readImageFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // Only a regular file has a size to check; anything else (a folder, a FIFO) is refused
    // before it is opened.
    if (!fs::is_regular_file(path, ec)) {
        error = path + ": " + (ec ? ec.message() : "not a regular file");
        return false;
    }
    const uintmax_t size = fs::file_size(path, ec);
    if (ec) {
        error = path + ": " + ec.message();
        return false;
    }
    if (size != kImageBytes) {
        error = path + ": " + std::to_string(size) + " bytes; an image of the unit's memory has " +
                std::to_string(kImageBytes);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    bytes.resize(kImageBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in || in.gcount() != static_cast<std::streamsize>(bytes.size())) {
        error = path + ": cannot read: " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace mmx::unitapp
