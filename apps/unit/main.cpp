// mmx4210-unit: serves the unit emulator on a pseudo-terminal until SIGINT or SIGTERM.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/serial/pty_unit_server.h"
#include "unit_files.h"
#include "unit_options.h"

namespace {

mmx::PtyUnitServer* g_server = nullptr;

void onSignal(int) {
    if (g_server != nullptr) g_server->stop();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace mmx;
    unitapp::Options options;
    if (const auto exitCode = unitapp::readCommandLine(std::vector<std::string>(argv + 1, argv + argc), options)) {
        return *exitCode;
    }
    std::string error;

    UnitEmulator unit(options.unit);
    if (!options.loadPath.empty()) {
        std::vector<uint8_t> memory;
        if (!unitapp::readImageFile(options.loadPath, memory, error)) {
            std::cerr << "mmx4210-unit: --load " << error << "\n";
            return 2;
        }
        unit.load(0, memory);
    }
    PtyUnitServer server(unit);
    if (!server.open(error)) {
        std::cerr << "mmx4210-unit: " << error << "\n";
        return 1;
    }
    if (!options.linkPath.empty()) {
        std::error_code ec;
        if (std::filesystem::is_symlink(options.linkPath, ec)) std::filesystem::remove(options.linkPath, ec);
        std::filesystem::create_symlink(server.slavePath(), options.linkPath, ec);
        if (ec) {
            std::cerr << "mmx4210-unit: cannot link " << options.linkPath << ": " << ec.message() << "\n";
            return 1;
        }
    }
    // The first line is what scripts and tests wait for.
    std::cout << server.slavePath() << std::endl;

    if (!options.quiet) {
        std::cerr << "mmx4210-unit: serving " << server.slavePath() << ", seed " << options.unit.seed << "\n";
        unit.setReportHook([](const std::string& line) { std::cerr << "unit: " << line << "\n"; });
    }
    if (!options.dumpDir.empty()) {
        unit.setListHook([&unit, &options] {
            std::string dumpError;
            if (!unitapp::dumpUnit(unit, options.dumpDir, dumpError)) std::cerr << "mmx4210-unit: " << dumpError << "\n";
        });
    }

    g_server = &server;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    server.run();
    g_server = nullptr;

    if (!options.linkPath.empty()) {
        std::error_code ec;
        std::filesystem::remove(options.linkPath, ec);
    }
    return 0;
}
