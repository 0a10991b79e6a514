// mmx4210-cli print SETUP.cfg: the set-up printout on standard output, byte for byte what
// "Save as text file" writes, with the captions of the current language.
#include <CLI/CLI.hpp>

#include <iostream>

#include "cli_command.h"
#include "setup_session.h"
#include "storage/printout.h"

namespace mmx::cli {
namespace {

int runPrint(const std::string& setupPath) {
    SetupSession session;
    if (!session.open(setupPath, "print")) return kFailure;
    const std::string bytes = printoutBytes(session.state.setup, session.captions.printout());
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
    return std::cout ? kSuccess : kFailure;
}

const CommandRegistration registration({
    "print",
    "write the printout of a set-up file to standard output (as \"Save as text file\" does)",
    [](CLI::App& app) -> CommandRun {
        auto setupPath = std::make_shared<std::string>();
        app.add_option("SETUP.cfg", *setupPath, "the set-up file")->required();
        return [setupPath] { return runPrint(*setupPath); };
    },
});

}  // namespace
}  // namespace mmx::cli
