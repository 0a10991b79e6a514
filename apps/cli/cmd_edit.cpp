// mmx4210-cli edit SETUP.cfg [--slot N=FILE] [--clear N] [--sequence T=M1,M2,...] [--zones T=Z1,...]:
// makes or changes a set-up without the window, through the same edits the window makes. The
// edits apply in the order given on the command line; the file is written only when every one of them was taken,
// and then atomically, so a refused edit leaves the file as it was.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <map>
#include <memory>
#include <iostream>
#include <optional>

#include "app/setup_edits.h"
#include "app/setup_files.h"
#include "cli_command.h"
#include "cli_texts.h"
#include "setup_reading.h"

namespace mmx::cli {
namespace {

constexpr const char* kUsageLine =
    "usage: mmx4210-cli edit SETUP.cfg [--slot N=FILE] [--clear N] [--sequence T=M1,M2,...] [--zones T=Z1,Z2,...]";

struct Edit {
    std::string option;  // "--slot", "--clear", "--sequence", "--zones"
    std::string value;
};

std::optional<int> wholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return std::stoi(text);
}

// "1,2,3" -> {1, 2, 3}; "" -> {}.
std::optional<std::vector<int>> numberList(const std::string& text) {
    std::vector<int> numbers;
    size_t start = 0;
    while (start < text.size()) {
        const size_t comma = text.find(',', start);
        const auto number = wholeNumber(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!number) return std::nullopt;
        numbers.push_back(*number);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return numbers;
}

int usage(const std::string& problem) {
    std::cerr << "mmx4210-cli edit: " << problem << "\n" << kUsageLine << "\n";
    return kUsage;
}

std::string refusal(const app::AssignOutcome& outcome, const std::string& file) {
    switch (outcome.verdict) {
        case app::EditVerdict::OverCapacity: return boxText(kExceedsCapacity);
        case app::EditVerdict::NotNextSlot: return "slots fill from 1 upward; the slot before it is empty";
        case app::EditVerdict::NoSuchSlot: return "the unit has message slots 1 to 12";
        default: break;
    }
    return refusalText(outcome.check, file);
}

std::string verdictText(app::EditVerdict verdict) {
    switch (verdict) {
        case app::EditVerdict::NoSuchSlot: return "the unit has message slots 1 to 12";
        case app::EditVerdict::NoSuchTrigger: return "the unit has triggers 1 to 12";
        case app::EditVerdict::NotASlotNumber: return "a sequence is up to four message numbers from 1 to 12";
        case app::EditVerdict::NoSuchZone: return "the zones are 1 to 6";
        default: return "refused";
    }
}

// Applies one edit; false (after saying why) when it was refused.
bool apply(Setup& setup, const Edit& edit) {
    const auto equals = edit.value.find('=');
    const auto target = wholeNumber(edit.value.substr(0, equals));
    const std::string rest = equals == std::string::npos ? "" : edit.value.substr(equals + 1);
    app::EditVerdict verdict = app::EditVerdict::Done;
    if (edit.option == "--slot") {
        const app::AssignOutcome outcome = app::assignFile(setup, *target, rest);
        if (outcome.verdict != app::EditVerdict::Done) {
            std::cerr << "mmx4210-cli edit: slot " << *target << ": " << rest << ": " << refusal(outcome, rest) << "\n";
            return false;
        }
        return true;
    }
    if (edit.option == "--clear") verdict = app::clearSlot(setup, *target);
    if (edit.option == "--sequence") verdict = app::setSequence(setup, *target, *numberList(rest));
    if (edit.option == "--zones") verdict = app::setZones(setup, *target, *numberList(rest));
    if (verdict == app::EditVerdict::Done) return true;
    std::cerr << "mmx4210-cli edit: " << edit.option << " " << edit.value << ": " << verdictText(verdict) << "\n";
    return false;
}

// "N=..." with a whole number before "=" (and, for lists, numbers after it); --clear takes N alone.
bool wellFormed(const Edit& edit) {
    const auto split = edit.value.find('=');
    const bool needsList = edit.option != "--clear";
    if (!wholeNumber(edit.value.substr(0, split)) || needsList != (split != std::string::npos)) return false;
    return !(edit.option == "--sequence" || edit.option == "--zones") || numberList(edit.value.substr(split + 1));
}

int runEdit(const std::string& setupPath, const std::vector<Edit>& edits) {
    for (const Edit& edit : edits) {
        if (!wellFormed(edit))
            return usage(edit.option + " " + edit.value + ": not " +
                         (edit.option == "--slot"    ? "N=FILE"
                          : edit.option == "--clear" ? "a slot number"
                                                     : "T=N1,N2,..."));
    }
    Setup setup;
    if (std::filesystem::exists(setupPath)) {
        std::optional<Setup> opened = readNamedSetup("edit", setupPath);
        if (!opened) return kFailure;
        setup = std::move(*opened);
    }
    for (const Edit& edit : edits) {
        if (!apply(setup, edit)) return kFailure;
    }
    const FileOutcome saved = app::saveSetup(setupPath, setup);
    if (!saved) {
        std::cerr << "mmx4210-cli edit: " << setupPath << ": " << saved.reason() << "\n";
        return kFailure;
    }
    return kSuccess;
}

const CommandRegistration registration({
    "edit",
    "make or change a set-up file (created when absent): put a WAVE file into a slot, empty a slot, set a "
    "trigger's sequence or zones; the edits apply in the order given",
    [](CLI::App& app) -> CommandRun {
        auto setupPath = std::make_shared<std::string>();
        auto values = std::make_shared<std::map<std::string, std::vector<std::string>>>();
        app.add_option("SETUP.cfg", *setupPath, "the set-up file")->required();
        const std::pair<const char*, const char*> options[] = {
            {"--slot", "put FILE into slot N (N=FILE), with every check the window makes"},
            {"--clear", "empty slot N"},
            {"--sequence", "trigger T plays messages M1,M2,... (up to four; T= alone: none)"},
            {"--zones", "trigger T plays into zones Z1,Z2,... (1 to 6; T= alone: none)"},
        };
        for (const auto& [name, help] : options) {
            app.add_option(name, (*values)[name], help)
                ->type_name(std::string(name) == "--clear" ? "N" : std::string(name) == "--slot" ? "N=FILE" : "T=LIST")
                ->allow_extra_args(false);
        }
        return [&app, setupPath, values] {
            // The edits in the order they stand on the command line, each option's values taken
            // in turn.
            std::map<std::string, size_t> taken;
            std::vector<Edit> edits;
            for (const CLI::Option* option : app.parse_order()) {
                if (option->get_lnames().empty()) continue;  // the set-up file itself
                const std::string name = "--" + option->get_lnames().front();
                const auto& given = (*values)[name];
                const size_t next = taken[name]++;
                if (next < given.size()) edits.push_back({name, given[next]});
            }
            return runEdit(*setupPath, edits);
        };
    },
});

}  // namespace
}  // namespace mmx::cli
