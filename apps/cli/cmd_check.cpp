// mmx4210-cli check SETUP.cfg: every slot's WAVE file is there and passes the checks, and the
// messages fit into the unit's memory, so that an upload of this set-up can succeed.
#include <CLI/CLI.hpp>

#include <iostream>

#include "cli_command.h"
#include "core/wave_header.h"
#include "setup_session.h"

namespace mmx::cli {
namespace {

int runCheck(const std::string& setupPath) {
    SetupSession session;
    if (!session.open(setupPath, "check")) return kFailure;
    const WindowState& state = session.state;

    bool ok = true;
    int64_t total = 0;
    for (int k = 1; k <= unit::kSlots; ++k) {
        const Slot& slot = state.setup.slot(k);
        if (!slot.filled()) continue;
        const WaveCheck check = ReadWaveHeader(slot.path);
        std::cout << "Slot " << k << "  " << slot.name << "  " << slot.path << ": ";
        if (!check.accepted) {
            ok = false;
            // No message of its own (missing, unreadable, no "data" chunk): the path is wrong.
            const int text = check.messageBoxIndex.value_or(UiTextTable::MessagePathIncorrect);
            std::cout << state.texts.messageBox(text) << "\n";
            continue;
        }
        const int64_t stored = unit::storedLength(check.info.fileLength);
        total += stored;
        std::cout << "OK";
        if (stored != storedLength(slot))
            std::cout << " (" << stored / 1000 << " kB now, " << sizeKilobytes(slot) << " kB when saved)";
        std::cout << "\n";
    }
    if (const EntryNamingEmptySlot entry = firstEntryNamingEmptySlot(state.setup)) {
        ok = false;
        std::cout << "Trigger " << entry.trigger << " plays slot " << entry.slot << ", which is empty\n";
    }
    std::cout << "Total  " << total / 1000 << " kB of " << unit::kCapacityBytes / 1000 << " kB\n";
    if (total > unit::kCapacityBytes) {
        ok = false;
        std::cout << state.texts.messageBox(UiTextTable::ExceedsCapacity) << "\n";
    }
    return ok ? kSuccess : kFailure;
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
