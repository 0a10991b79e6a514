// Converting twelve 60 s 44.1 kHz stereo files to 16 kHz with `mmx4210-cli convert`, against
// `sox` at its default quality converting the same files one after another.
// Run: build/bench/bench_convert [SECONDS_PER_FILE]   (needs sox on the PATH for the comparison)
// The files go into a new folder in the temp folder, removed at the end.
#include <sndfile.h>
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "scratch_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: bench_convert [SECONDS_PER_FILE]\n"
    "  converts twelve generated 44.1 kHz stereo files of SECONDS_PER_FILE seconds (default 60)\n"
    "  to 16 kHz with mmx4210-cli convert, and with sox when it is on the PATH\n";

// Tones, a slow sweep and a little noise: something like speech or music for the converter.
bool writeInput(const std::string& path, double seconds, unsigned seed) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    std::mt19937 random(seed);
    std::normal_distribution<float> noise(0.0f, 0.01f);
    const auto frames = static_cast<size_t>(seconds * 44100);
    std::vector<float> block;
    for (size_t start = 0; start < frames; start += 44100) {
        block.clear();
        for (size_t n = start; n < std::min(frames, start + 44100); ++n) {
            const double t = static_cast<double>(n) / 44100;
            const double sweep = std::sin(2 * std::numbers::pi * (200 + 40 * t) * t);
            const double tone = 0.3 * std::sin(2 * std::numbers::pi * 440 * t) + 0.2 * sweep;
            block.push_back(static_cast<float>(tone) + noise(random));
            block.push_back(static_cast<float>(0.8 * tone) + noise(random));
        }
        sf_writef_float(file, block.data(), static_cast<sf_count_t>(block.size() / 2));
    }
    sf_close(file);
    return true;
}

double childCpuSeconds() {
    struct rusage usage {};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Wall-clock seconds of a command; its processor seconds (user + system, all threads) go to cpu.
// Negative when the command failed.
double timeCommand(const std::string& command, double& cpu) {
    const double cpuBefore = childCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpu = childCpuSeconds() - cpuBefore;
    if (status != 0) {
        std::fprintf(stderr, "failed (%d): %s\n", status, command.c_str());
        return -1;
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 60.0;
    if (argc > 2 || (argc == 2 && std::strcmp(argv[1], "--help") == 0)) {
        std::fputs(kUsage, argc == 2 ? stdout : stderr);
        return argc == 2 ? 0 : 2;
    }
    if (argc == 2) {
        char* end = nullptr;
        seconds = std::strtod(argv[1], &end);
        if (*end != '\0' || !(seconds > 0 && seconds <= 3600)) {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    const mmx::bench::ScratchFolder scratch(fs::temp_directory_path(), "bench_convert");
    if (scratch.path().empty()) {
        std::fprintf(stderr, "bench_convert: cannot make a folder in %s\n", fs::temp_directory_path().c_str());
        return 1;
    }
    const fs::path& folder = scratch.path();
    fs::create_directories(folder / "in");
    std::string inputs;
    for (unsigned i = 1; i <= 12; ++i) {
        const std::string path = (folder / "in" / ("message" + std::to_string(i) + ".wav")).string();
        if (!writeInput(path, seconds, i)) return 1;
        inputs += " " + path;
    }
    std::printf("twelve %.0f s 44.1 kHz stereo 16-bit WAVE files to 16 kHz mono 16-bit\n", seconds);

    const std::string cli = MMX_CLI_PATH;
    const std::string out = (folder / "out").string();
    double cpu = 0;
    const double ours = timeCommand(cli + " convert" + inputs + " --out-dir " + out + " --rate 16000 >/dev/null 2>&1", cpu);
    if (ours < 0) return 1;
    std::printf("mmx4210-cli convert --rate 16000:                      %6.2f s wall  %6.2f s cpu\n", ours, cpu);
    const double loud = timeCommand(cli + " convert" + inputs + " --out-dir " + out + " --rate 16000 --loudness -16 --trim >/dev/null 2>&1", cpu);
    if (loud < 0) return 1;
    std::printf("mmx4210-cli convert --rate 16000 --loudness -16 --trim: %6.2f s wall  %6.2f s cpu\n", loud, cpu);

    if (std::system("command -v sox >/dev/null 2>&1") == 0) {
        fs::create_directories(folder / "sox");
        std::string loop = "for f in" + inputs + "; do sox \"$f\" -c 1 -b 16 -r 16000 " + (folder / "sox").string() +
                           "/$(basename \"$f\") || exit 1; done";
        const double sox = timeCommand("sh -c '" + loop + "'", cpu);
        if (sox < 0) return 1;
        std::printf("sox one file after another (default quality):         %6.2f s wall  %6.2f s cpu\n", sox, cpu);
        std::printf("wall-clock ratio mmx4210-cli / sox:                    %6.2f\n", ours / sox);
    } else {
        std::printf("sox not found: no comparison\n");
    }
    return 0;
}
