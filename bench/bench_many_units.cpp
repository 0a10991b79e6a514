// bench_many_units: the same set-up onto 1, 4 and 8 units at once, each a separate
// mmx4210-unit paced like a real line (--baud), one pseudo-terminal each. Every line is bound by
// its own baud rate, so N units should take the time of one: the figure is wall(N) / wall(1)
// (target <= 1.05), with the tool's CPU time per unit (the counterparts are other processes and
// not counted).
//
//   bench_many_units [--bytes N] [--units 1,4,8] [--baud N] [--unit PATH]
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "many_units.h"
#include "platform/serial/port_names.h"
#include "bench_support.h"

namespace {

using namespace mmx;
using namespace mmx::bench;
namespace fs = std::filesystem;

// Four messages of bytes / 4 each.
image::UnitImage makeImage(int64_t bytes) {
    image::ImageInput input;
    uint32_t x = 777;
    for (size_t k = 0; k < 4; ++k) {
        const int64_t length = std::max<int64_t>(0, bytes / 4 / 350 * 350 - 2);
        std::vector<uint8_t> data(static_cast<size_t>(length));
        for (auto& c : data) {
            x = x * 1103515245u + 12345u;
            c = static_cast<uint8_t>(x >> 16);
        }
        input.messages[k] = image::MessageFile{"message" + std::to_string(k + 1), std::move(data)};
    }
    return image::UnitImage::build(input);
}

struct Figures {
    bool ok = true;
    double wall = 0;
    double cpu = 0;
};

Figures uploadTo(int units, const image::UnitImage& image, const std::string& program, unsigned baud,
                 const fs::path& folder) {
    std::vector<pid_t> pids(static_cast<size_t>(units), -1);
    std::vector<cli::UnitLine> lines;
    Figures figures;
    for (auto& pid : pids) {
        const std::string path = startUnit(program, baud, pid);
        if (path.empty()) figures.ok = false;
        lines.push_back({path, serialPortFactory(folder.string() + "/", path)});
    }
    WindowState setup;  // no settings folder: no record kept
    setup.settings.port.line.baud = static_cast<unsigned>(baud);
    cli::ManyUnitsObserver quiet;
    cli::ManyUnitsOptions options;
    options.upload.forceFull = true;
    cli::ManyUnits run(setup, image, std::move(lines), options, quiet);
    const double cpu0 = cpuSeconds();
    const double t0 = nowSeconds();
    for (const auto& report : run.run()) {
        if (report.exitCode != 0) {
            figures.ok = false;
            std::fprintf(stderr, "unit %zu: %s\n", report.line, report.result.detail.c_str());
        }
    }
    figures.wall = nowSeconds() - t0;
    figures.cpu = cpuSeconds() - cpu0;
    for (pid_t pid : pids) stopUnit(pid);
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    int64_t bytes = 200'000;
    unsigned baud = 115200;
    std::vector<int> counts{1, 4, 8};
    std::string program = (fs::path(argv[0]).parent_path() / ".." / "apps" / "unit" / "mmx4210-unit").string();
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        const std::string value = argv[i + 1];
        if (arg == "--bytes") {
            bytes = std::stoll(value);
        } else if (arg == "--baud") {
            baud = static_cast<unsigned>(std::stoul(value));
        } else if (arg == "--unit") {
            program = value;
        } else if (arg == "--units") {
            counts.clear();
            std::stringstream list(value);
            for (std::string item; std::getline(list, item, ',');) counts.push_back(std::stoi(item));
        } else {
            std::fprintf(stderr, "usage: bench_many_units [--bytes N] [--units 1,4,8] [--baud N] [--unit PATH]\n");
            return 2;
        }
    }
    const fs::path folder = fs::temp_directory_path() / ("bench-many-units-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const image::UnitImage image = makeImage(bytes);
    std::printf("image: %llu bytes in 4 slots (%llu blocks), full upload at %u 8N2, %ld CPU cores\n",
                static_cast<unsigned long long>(image.storedBytes()), static_cast<unsigned long long>(image.blockCount()),
                baud, sysconf(_SC_NPROCESSORS_ONLN));
    double single = 0;
    int status = 0;
    for (int units : counts) {
        const Figures figures = uploadTo(units, image, program, baud, folder);
        if (units == counts.front()) single = figures.wall;
        std::printf("%d unit%s: wall %.2f s, ratio to %d unit%s %.3f, tool CPU %.3f s (%.3f s per unit, %.2f %% of "
                    "the wall time per unit)%s\n",
                    units, units == 1 ? "" : "s", figures.wall, counts.front(), counts.front() == 1 ? "" : "s",
                    figures.wall / single, figures.cpu, figures.cpu / units, 100.0 * figures.cpu / units / figures.wall,
                    figures.ok ? "" : "  FAILED");
        if (!figures.ok) status = 1;
    }
    fs::remove_all(folder);
    return status;
}
