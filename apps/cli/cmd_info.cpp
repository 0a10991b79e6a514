// mmx4210-cli info FILE.wav...: what the message table would show for these files.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>

#include "app/setup_edits.h"
#include "cli_command.h"
#include "core/number_format.h"
#include "core/setup.h"
#include "ui/lang/ui_text_table.h"

namespace mmx::cli {
namespace {

std::string padded(const std::string& text, size_t width, bool right) {
    if (text.size() >= width) return text;
    const std::string fill(width - text.size(), ' ');
    return right ? fill + text : text + fill;
}

// The reason a file was refused, in the program's own English texts.
std::string refusalText(const app::AssignOutcome& outcome, const std::string& file) {
    const UiTextTable texts;
    if (outcome.verdict == app::EditVerdict::OverCapacity) return texts.messageBox(UiTextTable::ExceedsCapacity);
    if (outcome.check.messageBoxIndex) return texts.messageBox(*outcome.check.messageBoxIndex);
    if (!std::filesystem::is_regular_file(file)) return "no such file";
    return "no \"data\" chunk found, or the file cannot be read";
}

int runInfo(const std::vector<std::string>& files) {
    if (files.size() > static_cast<size_t>(unit::kSlots)) {
        std::cerr << "mmx4210-cli info: the unit has " << unit::kSlots << " message slots; " << files.size()
                  << " files given\n";
        return kUsage;
    }
    Setup setup;
    std::cout << "Slot  " << padded("Name", 20, false) << padded("Time [s]", 10, true)
              << padded("Size [kB]", 11, true) << padded("Sample rate [kHz]", 19, true) << "\n";
    bool allAccepted = true;
    for (const auto& file : files) {
        const int k = filledCount(setup) + 1;
        const app::AssignOutcome outcome = app::assignFile(setup, k, file);
        if (outcome.verdict == app::EditVerdict::Done) {
            const Slot& slot = setup.slot(k);
            std::cout << padded(std::to_string(k), 4, true) << "  " << padded(slot.name, 20, false)
                      << padded(formatHundredths(playHundredths(slot)), 10, true)
                      << padded(std::to_string(sizeKilobytes(slot)), 11, true)
                      << padded(formatKilohertz(slot.wave.sampleRate), 19, true) << "\n";
            continue;
        }
        allAccepted = false;
        std::cout << "   -  " << file << ": " << refusalText(outcome, file) << "\n";
    }
    const int64_t stored = totalStoredLength(setup);
    std::cout << "      " << padded("Total", 20, false) << padded(formatHundredths(totalPlayHundredths(setup)), 10, true)
              << padded(std::to_string(totalKilobytes(setup)), 11, true) << "\n";
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.1f",
                  100.0 * static_cast<double>(stored) / static_cast<double>(unit::kCapacityBytes));
    std::cout << "Memory: " << stored << " of " << unit::kCapacityBytes << " bytes (" << percent
              << "%): " << (allAccepted ? "fits" : "not every file was accepted") << "\n";
    return allAccepted ? kSuccess : kFailure;
}

const CommandRegistration registration({
    "info",
    "check WAVE files as message slots 1, 2, ...: time, size, sample rate, totals and memory use",
    [](CLI::App& app) -> CommandRun {
        auto files = std::make_shared<std::vector<std::string>>();
        app.add_option("FILE.wav", *files, "WAVE files for slots 1, 2, ... (at most 12)")->required();
        return [files] { return runInfo(*files); };
    },
});

}  // namespace
}  // namespace mmx::cli
