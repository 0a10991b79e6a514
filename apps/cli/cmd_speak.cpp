// mmx4210-cli speak "TEXT" --lang en|nl|zh -o OUT.wav: a spoken draft of a message, made by
// the espeak-ng program and converted like any imported file, for trying a set-up before the
// real recordings exist.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

#include "audio/spoken_draft.h"
#include "cli_command.h"
#include "core/unit_facts.h"
#include "core/number_format.h"
#include "platform/speech/espeak_speech.h"
#include "storage/atomic_file.h"

namespace mmx::cli {
namespace {

struct SpeakArgs {
    std::string text;
    std::string language;
    std::string output;
    double loudnessLufs = -16;
};

int runSpeak(const SpeakArgs& args) {
    const auto language = audio::speechLanguageFromCode(args.language);
    audio::DraftOptions options;
    options.loudnessLufs = args.loudnessLufs;
    const platform::EspeakSpeech speech;
    const audio::SpokenDraft draft = audio::makeSpokenDraft(speech, args.text, *language, options);
    if (!draft.outcome.ok()) {
        std::cerr << "mmx4210-cli speak: " << draft.outcome.detail << "\n";
        return kFailure;
    }
    std::string error;
    if (!writeFileAtomically(args.output, draft.message.waveBytes, &error)) {
        std::cerr << "mmx4210-cli speak: " << args.output << ": " << error << "\n";
        return kFailure;
    }
    const audio::ConvertedMessage& message = draft.message;
    std::cout << args.output << "  " << formatSeconds(message.seconds()) << " s  " << message.rate << " Hz  "
              << unit::storedLength(message.waveBytes.size()) / 1000 << " kB";
    if (message.loudness.measured) {
        char lufs[32];
        std::snprintf(lufs, sizeof lufs, "  %.1f LUFS", message.loudness.afterLufs);
        std::cout << lufs << (message.loudness.peakLimited ? " (held back by the -1 dBTP peak limit)" : "");
    }
    std::cout << "\n";
    return kSuccess;
}

const CommandRegistration registration({
    "speak",
    "speak a text into a WAVE file the unit plays, as a draft until the real recording exists\n"
    "(needs the espeak-ng program); loudness-matched like converted files",
    [](CLI::App& app) -> CommandRun {
        auto args = std::make_shared<SpeakArgs>();
        app.add_option("TEXT", args->text, "what the message says")->required();
        app.add_option("--lang", args->language, "the language spoken: en, nl or zh (Mandarin)")
            ->type_name("en|nl|zh")
            ->required()
            ->check(CLI::IsMember({"en", "nl", "zh"}));
        app.add_option("-o,--output", args->output, "the WAVE file to write")->type_name("OUT.wav")->required();
        app.add_option("--loudness", args->loudnessLufs, "EBU R128 loudness, -70 to -1 LUFS (default -16)")
            ->type_name("LUFS")
            ->check(CLI::Range(-70.0, -1.0));
        return [args] { return runSpeak(*args); };
    },
});

}  // namespace
}  // namespace mmx::cli
