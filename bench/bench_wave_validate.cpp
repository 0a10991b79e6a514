// Validates 12 WAVE files of 8 MB each, as the message table does on Browse, and prints the
// host time per file. Only the header and the search for "data" are read.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/wave_header.h"

namespace {

void writeWave(const std::filesystem::path& path, uint32_t dataBytes) {
    std::vector<char> header(44, 0);
    auto put = [&header](size_t at, uint32_t value, int width) {
        for (int i = 0; i < width; ++i) header[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
    };
    std::copy_n("RIFF", 4, header.begin());
    put(4, 36 + dataBytes, 4);
    std::copy_n("WAVEfmt ", 8, header.begin() + 8);
    put(16, 16, 4);
    put(20, 1, 2);
    put(22, 1, 2);
    put(24, 22050, 4);
    put(28, 44100, 4);
    put(32, 2, 2);
    put(34, 16, 2);
    std::copy_n("data", 4, header.begin() + 36);
    put(40, dataBytes, 4);
    std::ofstream out(path, std::ios::binary);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    const std::vector<char> chunk(1 << 20, 0x22);
    for (uint32_t left = dataBytes; left > 0;) {
        const uint32_t n = std::min<uint32_t>(left, static_cast<uint32_t>(chunk.size()));
        out.write(chunk.data(), n);
        left -= n;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    const auto folder = std::filesystem::temp_directory_path() / "mmx4210-bench-wave";
    std::filesystem::create_directories(folder);
    std::vector<std::string> files;
    for (int i = 1; i <= 12; ++i) {
        const auto path = folder / ("message" + std::to_string(i) + ".wav");
        writeWave(path, 8'000'000);
        files.push_back(path.string());
    }
    size_t accepted = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (const auto& file : files) accepted += mmx::ReadWaveHeader(file).accepted ? 1 : 0;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double checks = static_cast<double>(rounds) * static_cast<double>(files.size());
    std::printf("validated %zu of %.0f files of 8 MB (12 files x %d rounds)\n", accepted, checks, rounds);
    std::printf("time per file: %.2f us\n", seconds / checks * 1e6);
    std::filesystem::remove_all(folder);
    return accepted == static_cast<size_t>(checks) ? 0 : 1;
}
