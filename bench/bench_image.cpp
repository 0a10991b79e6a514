// bench_image: what `mmx4210-cli image` costs for a full set-up: every slot's file read whole
// and checked again, the image built, the whole memory laid out as bytes and written to a file
// (atomically, flushed to disk). Twelve unit-ready WAVE files of 698,248 bytes make 8,379,000
// stored bytes, the most twelve equal messages can take. Goal: median under 50 ms.
//
//   bench_image [--runs N] [--folder DIR]
// The files go into a new folder made inside DIR (default: the temp folder), removed at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/setup.h"
#include "scratch_folder.h"
#include "storage/atomic_file.h"
#include "storage/message_files.h"

namespace {

using namespace mmx;
namespace fs = std::filesystem;

constexpr uint32_t kFileBytes = 698'248;

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A canonical mono 16-bit 22,050 Hz WAVE file of `total` bytes with a noise-like body.
std::vector<uint8_t> waveFile(uint32_t total, uint32_t seed) {
    std::vector<uint8_t> out;
    out.reserve(total);
    auto text = [&out](const char* t) { out.insert(out.end(), t, t + 4); };
    text("RIFF");
    put32(out, total - 8);
    text("WAVE");
    text("fmt ");
    put32(out, 16);
    put32(out, 1 | 1u << 16);  // PCM, one channel
    put32(out, 22050);
    put32(out, 44100);
    put32(out, 2 | 16u << 16);  // block align 2, 16 bits
    text("data");
    put32(out, total - 44);
    while (out.size() < total) {
        seed = seed * 1103515245u + 12345u;
        out.push_back(static_cast<uint8_t>(seed >> 16));
    }
    return out;
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// This process's CPU time (user and system): on a busy machine the wall time also counts the
// time other processes had the CPU.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace

constexpr const char* kUsage =
    "usage: bench_image [--runs N] [--folder DIR]\n"
    "  --runs N      timed runs (default 20)\n"
    "  --folder DIR  an existing folder in which the benchmark makes its own, removed at the end\n"
    "                (default: the temp folder)\n";

int main(int argc, char** argv) {
    int runs = 20;
    fs::path parent = fs::temp_directory_path();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--folder") == 0 && i + 1 < argc) {
            parent = argv[++i];
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    const bench::ScratchFolder scratch(parent, "mmx4210-bench-image");
    if (scratch.path().empty()) {
        std::fprintf(stderr, "bench_image: cannot make a folder in %s\n", parent.c_str());
        return 1;
    }
    const fs::path& folder = scratch.path();
    Setup setup;
    for (int k = 1; k <= 12; ++k) {
        const std::vector<uint8_t> bytes = waveFile(kFileBytes, static_cast<uint32_t>(k));
        const fs::path path = folder / ("message" + std::to_string(k) + ".wav");
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        setup.slot(k).path = path.string();
        setup.slot(k).name = "message" + std::to_string(k);
    }
    const std::string output = (folder / "image.bin").string();

    std::vector<double> load, layout, write, total, cpu;
    uint64_t stored = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuMs();
        const LoadedImage loaded = loadUnitImage(setup);
        if (!loaded.image) {
            std::fprintf(stderr, "bench_image: slot %d refused: %s\n", loaded.problem->slot, loaded.problem->detail.c_str());
            return 1;
        }
        const double afterLoad = msSince(start);
        const std::vector<std::span<const uint8_t>> pieces = loaded.image->memoryPieces();
        const double afterLayout = msSince(start);
        if (const FileOutcome written = replaceFile(output, pieces); !written) {
            std::fprintf(stderr, "bench_image: %s\n", written.problem.c_str());
            return 1;
        }
        const double all = msSince(start);
        load.push_back(afterLoad);
        layout.push_back(afterLayout - afterLoad);
        write.push_back(all - afterLayout);
        total.push_back(all);
        cpu.push_back(cpuMs() - cpuStart);
        stored = loaded.image->storedBytes();
    }
    auto report = [](const char* what, std::vector<double> ms) {
        std::sort(ms.begin(), ms.end());
        std::printf("%-28s min %7.1f ms  median %7.1f ms\n", what, ms.front(), ms[ms.size() / 2]);
    };
    std::printf("12 slots, %llu bytes stored, image %llu bytes, %d runs\n", static_cast<unsigned long long>(stored),
                static_cast<unsigned long long>(fs::file_size(output)), runs);
    report("read, check, build", load);
    report("memory layout", layout);
    report("write (atomic, flushed)", write);
    report("total", total);
    report("total, CPU time", cpu);
    return 0;
}
