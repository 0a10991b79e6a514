// mmx4210-cli info FILE.wav...: what the message table would show for these files.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>

#include "cli_command.h"
#include "collected_boxes.h"
#include "ui/app/editor.h"

namespace mmx::cli {
namespace {

std::string padded(const std::string& text, size_t width, bool right) {
    if (text.size() >= width) return text;
    const std::string fill(width - text.size(), ' ');
    return right ? fill + text : text + fill;
}

int runInfo(const std::vector<std::string>& files) {
    if (files.size() > static_cast<size_t>(kSlotCount)) {
        std::cerr << "mmx4210-cli info: the unit has " << kSlotCount << " message slots; " << files.size()
                  << " files given\n";
        return kUsage;
    }
    ProgramState state;
    state.initialise(programFolder());
    NoFileDialog dialog;
    CollectedBoxes messages;
    Editor editor(state, dialog, messages);

    std::cout << "Slot  " << padded("Name", 20, false) << padded("Time [s]", 10, true)
              << padded("Size [kB]", 11, true) << padded("Sample rate [kHz]", 19, true) << "\n";
    bool allAccepted = true;
    for (const auto& file : files) {
        const int k = state.messages.filledCount() + 1;
        messages.texts.clear();
        const BrowseOutcome outcome = editor.assignFile(k, file);
        if (outcome == BrowseOutcome::Accepted) {
            const MessageSlot& slot = state.messages.slot(k);
            std::cout << padded(std::to_string(k), 4, true) << "  " << padded(slot.WaveFile, 20, false)
                      << padded(slot.MsgTime, 10, true) << padded(slot.MsgSize, 11, true)
                      << padded(slot.MsgSample, 19, true) << "\n";
            continue;
        }
        allAccepted = false;
        std::string reason;
        if (!messages.texts.empty()) {
            reason = messages.texts.front();
        } else if (!std::filesystem::is_regular_file(file)) {
            reason = "no such file";
        } else {
            reason = "no \"data\" chunk found, or the file cannot be read";
        }
        std::cout << "   -  " << file << ": " << reason << "\n";
    }
    const auto& table = state.messages;
    std::cout << "      " << padded("Total", 20, false) << padded(table.TotalTime, 10, true)
              << padded(table.TotalSize, 11, true) << "\n";
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.1f",
                  100.0 * static_cast<double>(table.TFileLength) / static_cast<double>(kMemoryCapacityBytes));
    std::cout << "Memory: " << table.TFileLength << " of " << kMemoryCapacityBytes << " bytes (" << percent
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
