#pragma once
// Command line of mmx4210-unit.
#include <optional>
#include <string>
#include <vector>

#include "device/unit_emulator.h"

namespace mmx::unitapp {

struct Options {
    UnitOptions unit;
    std::string linkPath;  // --link: symlink to the pseudo-terminal
    std::string dumpDir;   // --dump: image and tables written at each acknowledged L
    std::string loadPath;  // --load: a memory image (as image.bin) to start from
    bool quiet = false;
};

// Reads the arguments (without the program name) into `options`. Nothing when the program
// should go on; else the exit code, after --help or --version was answered on standard output or
// a usage error was told on standard error.
std::optional<int> readCommandLine(const std::vector<std::string>& args, Options& options);

}  // namespace mmx::unitapp
