// mmx4210-cli print SETUP.cfg: the set-up printout on standard output, byte for byte what
// "Save as text file" writes, with the captions of the current language.
#include <iostream>

#include "cli_command.h"
#include "setup_session.h"
#include "storage/printout.h"

namespace mmx::cli {
namespace {

int runPrint(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "mmx4210-cli print: name one set-up file\n";
        return kUsage;
    }
    SetupSession session;
    if (!session.open(args[0], "print")) return kFailure;
    const std::string bytes = printoutBytes(session.state, session.captions.printout());
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
    return std::cout ? kSuccess : kFailure;
}

const CommandRegistration registration({
    "print",
    "print SETUP.cfg",
    "write the printout of a set-up file to standard output (as \"Save as text file\" does)",
    runPrint,
});

}  // namespace
}  // namespace mmx::cli
