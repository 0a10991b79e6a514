// mmx4210-cli check SETUP.cfg: every slot's WAVE file is there and passes the checks, and the
// messages fit into the unit's memory, so that an upload of this set-up can succeed.
#include <CLI/CLI.hpp>

#include <iostream>

#include "app/setup_files.h"
#include "cli_command.h"
#include "cli_texts.h"
#include "setup_reading.h"

namespace mmx::cli {
namespace {

int runCheck(const std::string& setupPath) {
    const std::optional<Setup> opened = readNamedSetup("check", setupPath);
    if (!opened) return kFailure;
    const Setup& setup = *opened;
    const app::CheckReport report = app::checkSetup(setup);
    for (const app::SlotCheck& checked : report.slots) {
        const Slot& slot = setup.slot(checked.slot);
        std::cout << "Slot " << checked.slot << "  " << slot.name << "  " << slot.path << ": ";
        if (!checked.check.accepted) {
            // No message of its own (missing, unreadable, no "data" chunk): the path is wrong.
            std::cout << boxText(checked.check.messageBoxIndex.value_or(kMessagePathIncorrect)) << "\n";
            continue;
        }
        std::cout << "OK";
        if (checked.changed()) {
            std::cout << " (" << checked.storedNow / 1000 << " kB now, " << checked.storedWhenSaved / 1000
                      << " kB when saved)";
        }
        std::cout << "\n";
    }
    std::cout << "Total  " << report.totalStored / 1000 << " kB of " << unit::kCapacityBytes / 1000 << " kB\n";
    if (!report.fits()) std::cout << boxText(kExceedsCapacity) << "\n";
    return report.passed() ? kSuccess : kFailure;
}

const CommandRegistration registration({
    "check",
    "check that every slot's WAVE file is found and valid and that all fit into the unit's memory",
    [](CLI::App& app) -> CommandRun {
        auto setupPath = std::make_shared<std::string>();
        app.add_option("SETUP.cfg", *setupPath, "the set-up file")->required();
        return [setupPath] { return runCheck(*setupPath); };
    },
});

}  // namespace
}  // namespace mmx::cli
