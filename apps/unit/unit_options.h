#pragma once
// Command line of mmx4210-unit.
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
    bool help = false;
};

// False with a message in `error` for an unknown option or a bad value.
bool parseOptions(const std::vector<std::string>& args, Options& options, std::string& error);
const char* helpText();

}  // namespace mmx::unitapp
