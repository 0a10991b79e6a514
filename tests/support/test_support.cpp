#include "support/test_support.h"

#include <filesystem>
#include <fstream>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <random>
#include <stdexcept>

namespace mmx::test {

namespace {

// A program under test that is not in its build folder keeps its files in the account's
// configuration folder: point that at a folder of the tests' own, never the real one.
const bool kTestsOwnConfigFolder = [] {
    const auto folder = std::filesystem::temp_directory_path() / "mmx4210-tests-config";
    return setenv("XDG_CONFIG_HOME", folder.c_str(), 1) == 0;
}();

}  // namespace

namespace {

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}
void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
void putTag(std::vector<uint8_t>& out, const std::string& tag) { out.insert(out.end(), tag.begin(), tag.end()); }

}  // namespace

std::vector<uint8_t> waveBytes(const WaveShape& shape) {
    std::vector<uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 0);  // patched below
    putTag(out, shape.formType);
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, shape.channels);
    put32(out, shape.sampleRate);
    const uint32_t blockAlign = shape.channels * shape.bitsPerSample / 8u;
    put32(out, shape.sampleRate * blockAlign);
    put16(out, blockAlign);
    put16(out, shape.bitsPerSample);
    if (!shape.extraChunk.empty()) {
        putTag(out, shape.extraChunk.substr(0, 4));
        put32(out, 4);
        putTag(out, "xxxx");
    }
    putTag(out, shape.withDataChunk ? "data" : "junk");
    put32(out, shape.dataBytes);
    for (uint32_t i = 0; i < shape.dataBytes; ++i) out.push_back(static_cast<uint8_t>(shape.fill + i));
    const auto riffSize = static_cast<uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + static_cast<size_t>(i)] = static_cast<uint8_t>(riffSize >> (8 * i));
    return out;
}

ScratchFolder::ScratchFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = std::filesystem::temp_directory_path() / ("mmx4210-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a scratch folder");
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    // A test may have made parts read-only; give write permission back before removing.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

std::string ScratchFolder::write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const auto full = path_ / name;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return full.string();
}

std::string ScratchFolder::write(const std::string& name, const std::string& text) const {
    return write(name, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string ScratchFolder::writeWave(const std::string& name, const WaveShape& shape) const {
    return write(name, waveBytes(shape));
}

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readText(const std::string& path) {
    auto bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

bool runWithFileSizeLimit(uint64_t limit, const std::function<bool()>& fn) {
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);  // a failing write() then reports EFBIG
        const rlimit small{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &small) != 0) _exit(3);
        _exit(fn() ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 3) << "could not limit the file size";
    return WEXITSTATUS(status) == 1;
}

}  // namespace mmx::test
