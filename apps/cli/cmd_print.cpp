// mmx4210-cli print SETUP.cfg: the set-up printout on standard output, byte for byte what
// "Save as text file" writes, with the English captions.
#include <CLI/CLI.hpp>

#include <iostream>

#include "app/setup_files.h"
#include "cli_command.h"
#include "cli_texts.h"
#include "setup_reading.h"

namespace mmx::cli {
namespace {

int runPrint(const std::string& setupPath) {
    const std::optional<Setup> opened = readNamedSetup("print", setupPath);
    if (!opened) return kFailure;
    // The command line speaks English: the printout's headings are the English captions.
    const std::string bytes = app::printoutOf(*opened, PrintoutCaptions{});
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
