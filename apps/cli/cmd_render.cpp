// mmx4210-cli render SETUP.cfg --trigger N -o OUT.wav: a trigger's sequence as one WAVE file,
// its messages one after the other as the unit plays them.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>

#include "audio/sequence_render.h"
#include "cli_command.h"
#include "cli_texts.h"
#include "core/number_format.h"
#include "storage/atomic_file.h"
#include "setup_reading.h"

namespace mmx::cli {
namespace {

struct RenderArgs {
    std::string setupPath;
    int trigger = 0;
    std::string output;
};

void printError(const std::string& text) { std::cerr << "mmx4210-cli render: " << text << "\n"; }

// The files trigger `row` plays, in order; an entry naming a slot without a file is an error
// (the unit would be sent a sequence naming a message it does not hold).
bool collectMessages(const Setup& setup, int row, std::vector<std::string>& paths) {
    for (const uint8_t message : setup.trigger(row).sequence) {
        if (message == 0) break;
        const Slot& slot = setup.slot(message);
        if (!slot.filled() || slot.path.empty()) {
            printError("trigger " + std::to_string(row) + " plays message " + std::to_string(message) +
                       ", but that slot holds no file");
            return false;
        }
        paths.push_back(slot.path);
    }
    return true;
}

bool samePath(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

// Whether the output is the set-up file or one of its messages, which it must never replace.
bool outputIsPartOfSetup(const Setup& setup, const RenderArgs& args) {
    if (samePath(args.output, args.setupPath)) return true;
    for (const Slot& slot : setup.slots) {
        if (slot.filled() && samePath(args.output, slot.path)) return true;
    }
    return false;
}

int runRender(const RenderArgs& args) {
    const std::optional<Setup> opened = readNamedSetup("render", args.setupPath);
    if (!opened) return kFailure;
    const Setup& setup = *opened;
    if (outputIsPartOfSetup(setup, args)) {
        printError(args.output + " is the set-up file or one of its messages; it is never overwritten");
        return kUsage;
    }
    std::vector<std::string> paths;
    if (!collectMessages(setup, args.trigger, paths)) return kFailure;
    const audio::RenderedSequence rendered = audio::renderSequence(paths);
    switch (rendered.problem) {
        case audio::RenderProblem::None:
            break;
        case audio::RenderProblem::NoMessages:
            printError("trigger " + std::to_string(args.trigger) + " plays no message; nothing was written");
            return kFailure;
        case audio::RenderProblem::NotUnitWave:
        case audio::RenderProblem::CannotRead:
            printError(rendered.path + ": " + rendered.reason + "; nothing was written");
            return kFailure;
    }
    std::string error;
    if (!writeFileAtomically(args.output, rendered.waveBytes, &error)) {
        printError(args.output + ": " + error);
        return kFailure;
    }
    std::cout << "Trigger " << args.trigger << "  " << paths.size() << (paths.size() == 1 ? " message  " : " messages  ")
              << formatSeconds(rendered.seconds()) << " s  " << rendered.rate << " Hz  -> " << args.output << "\n";
    return kSuccess;
}

const CommandRegistration registration({
    "render",
    "write a trigger's message sequence as one WAVE file, the messages one after the other as the\n"
    "unit plays them; messages of lower rates are converted to the highest rate among them",
    [](CLI::App& app) -> CommandRun {
        auto args = std::make_shared<RenderArgs>();
        app.add_option("SETUP.cfg", args->setupPath, "the set-up file")->required();
        app.add_option("--trigger", args->trigger, "the trigger whose sequence is written, 1 to 12")
            ->type_name("N")
            ->required()
            ->check(CLI::Range(1, unit::kTriggers));
        app.add_option("-o,--output", args->output, "the WAVE file to write")->type_name("OUT.wav")->required();
        return [args] { return runRender(*args); };
    },
});

}  // namespace
}  // namespace mmx::cli
