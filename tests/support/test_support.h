#pragma once
// Helpers shared by the test suites: generated WAVE files and scratch folders.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace mmx::test {

struct WaveShape {
    uint16_t channels = 1;
    uint32_t sampleRate = 22050;
    uint16_t bitsPerSample = 16;
    uint32_t dataBytes = 0;        // bytes of sound data
    bool withDataChunk = true;
    std::string extraChunk{};      // a chunk inserted between "fmt " and "data" (e.g. "LIST")
    std::string formType = "WAVE";
    uint8_t fill = 0x11;           // sound bytes are fill, fill+1, ... (mod 256)
};

// Bytes of a canonical RIFF/WAVE file as described.
std::vector<uint8_t> waveBytes(const WaveShape& shape);

// A folder below the system temp folder, removed when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // Folder path with a trailing "/".
    std::string folder() const { return path_.string() + "/"; }
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    std::string write(const std::string& name, const std::string& text) const;
    std::string writeWave(const std::string& name, const WaveShape& shape) const;

private:
    std::filesystem::path path_;
};

// Lines joined with CR LF after each, as the program's text files hold them.
inline std::string crlfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    return bytes;
}

std::vector<uint8_t> readBytes(const std::string& path);

// Runs fn in a child process whose files cannot grow beyond limit bytes (as on a full disk) and
// returns what fn returned.
bool runWithFileSizeLimit(uint64_t limit, const std::function<bool()>& fn);
std::string readText(const std::string& path);

}  // namespace mmx::test
