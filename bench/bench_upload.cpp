// bench_upload: how close a full upload comes to the line's stop-and-wait bound, and what it
// costs the host.
//
// Paced: the set-up goes through mmx4210-unit over a pseudo-terminal paced as BAUD 8N2 (11 bits
// a byte). Each 350-byte block is one 360-byte frame out and a 14-byte answer back, so the line
// alone needs blocks x 374 x 11 / BAUD seconds (8,380,000 bytes in 12 slots: 23,943 blocks,
// about 855 s at 115200). The default set-up is smaller; the bound is computed for the blocks
// actually sent. Target: bound / measured >= 0.99, tool CPU <= 5 % of the wall time.
//
// Unpaced: the same driver against the in-process unit (fake clock) and over the pty without
// pacing: blocks per second and host time per block.
//
//   bench_upload [--bytes N] [--slots N] [--baud N] [--unit PATH] [--skip-paced] [--skip-pty]
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "core/unit_facts.h"
#include "device/emulator_port.h"
#include "device/upload_driver.h"
#include "platform/serial/port_names.h"
#include "bench_support.h"

namespace {

using namespace mmx;
using namespace mmx::bench;
namespace fs = std::filesystem;

struct Options {
    int64_t bytes = 300'000;
    int slots = 12;
    unsigned baud = 115200;
    std::string unitProgram;
    bool paced = true;
    bool pty = true;
};

// Messages of about bytes / slots each, as the unit image.
image::UnitImage makeImage(const Options& options, int64_t& blocks) {
    image::ImageInput input;
    const int64_t each = options.bytes / options.slots;
    uint32_t x = 12345;
    for (int k = 0; k < options.slots; ++k) {
        // Stored length close to `each`: file length = whole blocks minus the checksum word.
        const int64_t length = std::max<int64_t>(0, each / 350 * 350 - 2);
        std::vector<uint8_t> data(static_cast<size_t>(length));
        for (auto& c : data) {
            x = x * 1103515245u + 12345u;
            c = static_cast<uint8_t>(x >> 16);
        }
        input.messages[static_cast<size_t>(k)] = image::MessageFile{"message" + std::to_string(k + 1), std::move(data)};
    }
    image::UnitImage built = image::UnitImage::build(input);
    blocks = static_cast<int64_t>(built.blockCount());
    return built;
}

struct Run {
    bool ok = false;
    double wall = 0;
    double cpu = 0;
    uint64_t blocks = 0;
    std::string detail;
    std::vector<double> blockSeconds;  // time from one acknowledged block to the next
};

// Records when each block was acknowledged, to tell a steady per-block cost from hiccups.
class BlockTimes : public LinkEvents {
public:
    std::vector<double> stamps;
    void progressValue(long, long) override { stamps.push_back(nowSeconds()); }
};

std::string distribution(std::vector<double> seconds) {
    if (seconds.empty()) return "-";
    std::sort(seconds.begin(), seconds.end());
    auto at = [&seconds](double q) { return seconds[static_cast<size_t>(q * static_cast<double>(seconds.size() - 1))] * 1e3; };
    char text[160];
    std::snprintf(text, sizeof text, "median %.3f ms, p90 %.3f ms, p99 %.3f ms, max %.3f ms", at(0.5), at(0.9), at(0.99),
                  seconds.back() * 1e3);
    return text;
}

Run uploadOverPty(const image::UnitImage& setup, const std::string& ptyPath, const fs::path& folder) {
    SteadyClock clock;
    LinkSettings settings;
    BlockTimes times;
    Connection connection(settings, clock, times, serialPortFactory(folder.string() + "/", ptyPath));
    UploadDriver driver(connection);
    UploadOptions options;
    options.forceFull = true;
    Run run;
    const double cpu0 = cpuSeconds();
    const double t0 = nowSeconds();
    const UploadResult result = driver.run(setup, options);
    run.wall = nowSeconds() - t0;
    run.cpu = cpuSeconds() - cpu0;
    run.ok = result.verdict == UploadVerdict::Succeeded;
    run.blocks = result.blocksSent;
    run.detail = result.detail;
    for (size_t i = 1; i < times.stamps.size(); ++i) run.blockSeconds.push_back(times.stamps[i] - times.stamps[i - 1]);
    return run;
}

Run uploadInProcess(const image::UnitImage& setup) {
    FakeClock clock;
    UnitEmulator unit;
    LinkSettings settings;
    NoLinkEvents events;
    Connection connection(settings, clock, events,
                          [&unit, &clock](const LinkSettings&, std::string&) -> std::unique_ptr<BytePort> {
                              return std::make_unique<EmulatorPort>(unit, clock);
                          });
    UploadDriver driver(connection);
    Run run;
    const double cpu0 = cpuSeconds();
    const double t0 = nowSeconds();
    const UploadResult result = driver.run(setup);
    run.wall = nowSeconds() - t0;
    run.cpu = cpuSeconds() - cpu0;
    run.ok = result.verdict == UploadVerdict::Succeeded && unit.checkImage().ok;
    run.blocks = result.blocksSent;
    run.detail = result.detail;
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    options.unitProgram = (fs::path(argv[0]).parent_path() / ".." / "apps" / "unit" / "mmx4210-unit").string();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (arg == "--bytes") {
            options.bytes = std::stoll(value());
        } else if (arg == "--slots") {
            options.slots = std::clamp(std::stoi(value()), 1, 12);
        } else if (arg == "--baud") {
            options.baud = static_cast<unsigned>(std::stoul(value()));
        } else if (arg == "--unit") {
            options.unitProgram = value();
        } else if (arg == "--skip-paced") {
            options.paced = false;
        } else if (arg == "--skip-pty") {
            options.pty = false;
        } else {
            std::fprintf(stderr,
                         "usage: bench_upload [--bytes N] [--slots N] [--baud N] [--unit PATH] [--skip-paced] "
                         "[--skip-pty]\n");
            return 2;
        }
    }
    if (options.bytes > unit::kCapacityBytes) options.bytes = unit::kCapacityBytes;

    const fs::path folder = fs::temp_directory_path() / ("bench_upload." + std::to_string(getpid()));
    fs::create_directories(folder);
    int64_t blocks = 0;
    const image::UnitImage setup = makeImage(options, blocks);
    std::printf("set-up: %d slots, %llu bytes stored, %lld blocks\n", options.slots,
                static_cast<unsigned long long>(setup.storedBytes()),
                static_cast<long long>(blocks));
    int failures = 0;

    // Unpaced, in-process: the host cost of the driver, protocol and unit together.
    const Run local = uploadInProcess(setup);
    std::printf("in-process unpaced: %s, %.3f s, %.0f blocks/s, %.1f us host time per block\n",
                local.ok ? "ok" : local.detail.c_str(), local.wall, static_cast<double>(local.blocks) / local.wall,
                local.wall * 1e6 / static_cast<double>(local.blocks));
    failures += local.ok ? 0 : 1;

    if (options.pty) {
        pid_t pid = 0;
        const std::string path = startUnit(options.unitProgram, 0, pid);
        if (path.empty()) {
            std::printf("pty unpaced: cannot start %s\n", options.unitProgram.c_str());
            ++failures;
        } else {
            const Run run = uploadOverPty(setup, path, folder);
            std::printf("pty unpaced: %s, %.3f s, %.0f blocks/s, %.1f us per block, tool CPU %.3f s\n",
                        run.ok ? "ok" : run.detail.c_str(), run.wall, static_cast<double>(run.blocks) / run.wall,
                        run.wall * 1e6 / static_cast<double>(run.blocks), run.cpu);
            failures += run.ok ? 0 : 1;
        }
        stopUnit(pid);
    }

    if (options.paced) {
        pid_t pid = 0;
        const std::string path = startUnit(options.unitProgram, options.baud, pid);
        if (path.empty()) {
            std::printf("paced: cannot start %s\n", options.unitProgram.c_str());
            ++failures;
        } else {
            const Run run = uploadOverPty(setup, path, folder);
            const double bound = static_cast<double>(run.blocks) * 374.0 * 11.0 / options.baud;
            const double fullBound = 23943.0 * 374.0 * 11.0 / options.baud;
            std::printf("paced %u baud 8N2 through mmx4210-unit: %s\n", options.baud,
                        run.ok ? "ok" : run.detail.c_str());
            std::printf("  measured %.2f s, stop-and-wait bound %.2f s (%llu blocks x 374 bytes x 11 bits / %u), "
                        "ratio %.4f\n",
                        run.wall, bound, static_cast<unsigned long long>(run.blocks), options.baud, bound / run.wall);
            std::printf("  tool CPU %.3f s = %.2f %% of the wall time\n", run.cpu, 100.0 * run.cpu / run.wall);
            std::printf("  per block: %s (line time %.3f ms)\n", distribution(run.blockSeconds).c_str(),
                        374.0 * 11.0 / options.baud * 1e3);
            std::printf("  the full memory (23943 blocks) would take about %.0f s at this ratio (bound %.0f s)\n",
                        fullBound * run.wall / bound, fullBound);
            failures += run.ok ? 0 : 1;
        }
        stopUnit(pid);
    }
    std::error_code ec;
    fs::remove_all(folder, ec);
    return failures == 0 ? 0 : 1;
}
