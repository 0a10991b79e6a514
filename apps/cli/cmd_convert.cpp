// mmx4210-cli convert INPUT... (-o OUT.wav | --out-dir DIR) [--rate HZ|auto] [--loudness LUFS] [--trim]:
// any common audio file to a WAVE file the unit plays, all inputs at one rate that fits.
#include <CLI/CLI.hpp>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>

#include "audio/convert.h"
#include "audio/rate_plan.h"
#include "cli_command.h"
#include "core/unit_facts.h"
#include "core/number_format.h"
#include "core/unit_facts.h"
#include "storage/atomic_file.h"

namespace mmx::cli {
namespace {

namespace fs = std::filesystem;

struct ConvertArgs {
    std::vector<std::string> inputs;
    std::string output;     // -o
    std::string outputDir;  // --out-dir
    std::string rateText = "auto";
    std::optional<std::string> loudnessText;
    audio::ConvertOptions options;
};

template <typename Number>
bool parseNumber(const std::string& text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && rest == end;
}

// Reads the rate and loudness into the options. Empty on success, else what is wrong with the
// arguments.
std::string checkArgs(ConvertArgs& out) {
    uint32_t rate = 0;
    if (out.rateText == "auto") {
        out.options.rate.reset();
    } else if (parseNumber(out.rateText, rate) && rate >= audio::kUnitMinRate && rate <= audio::kUnitMaxRate) {
        out.options.rate = rate;
    } else {
        return "--rate takes auto or a whole number of Hz from 8000 to 24000";
    }
    if (out.loudnessText) {
        double lufs = 0;
        if (!parseNumber(*out.loudnessText, lufs) || lufs < -70 || lufs > -1) return "--loudness takes LUFS from -70 to -1, e.g. -16";
        out.options.loudnessLufs = lufs;
    }
    if (out.output.empty() == out.outputDir.empty()) return "give either -o OUT.wav or --out-dir DIR";
    if (!out.output.empty() && out.inputs.size() != 1) return "-o takes one input; use --out-dir for several";
    return {};
}

std::string outputPathFor(const ConvertArgs& args, const std::string& input) {
    if (!args.output.empty()) return args.output;
    return (fs::path(args.outputDir) / fs::path(input).filename().replace_extension(".wav")).string();
}

bool samePath(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::equivalent(a, b, error)) return true;
    return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error);
}

// Empty when every input has its own output and no output is an input.
std::string checkOutputs(const ConvertArgs& args, const std::vector<std::string>& outputs) {
    std::map<std::string, std::string> claimed;
    for (size_t i = 0; i < outputs.size(); ++i) {
        for (const auto& input : args.inputs) {
            if (samePath(outputs[i], input)) return outputs[i] + " is an input; it is never overwritten";
        }
        std::error_code error;
        const std::string key = fs::weakly_canonical(outputs[i], error).string();
        const auto [at, fresh] = claimed.emplace(key, args.inputs[i]);
        if (!fresh) return at->second + " and " + args.inputs[i] + " would both be written to " + outputs[i];
    }
    return {};
}

std::string kilobytes(int64_t bytes) { return std::to_string(bytes / 1000) + " kB"; }

void printLine(const audio::ConvertedFile& file, const std::string& output) {
    const audio::ConvertedMessage& message = file.message;
    std::cout << file.input << "  " << formatSeconds(message.seconds()) << " s  " << message.rate << " Hz  "
              << kilobytes(unit::storedLength(message.waveBytes.size()));
    if (message.loudness.measured) {
        char lufs[32];
        std::snprintf(lufs, sizeof lufs, "  %.1f LUFS", message.loudness.afterLufs);
        std::cout << lufs << (message.loudness.peakLimited ? " (held back by the -1 dBTP peak limit)" : "");
    }
    std::cout << "  -> " << output << "\n";
}

int runConvert(ConvertArgs& args) {
    if (const std::string problem = checkArgs(args); !problem.empty()) {
        std::cerr << "mmx4210-cli convert: " << problem << "\n";
        return kUsage;
    }
    std::vector<std::string> outputs;
    for (const auto& input : args.inputs) outputs.push_back(outputPathFor(args, input));
    if (const std::string problem = checkOutputs(args, outputs); !problem.empty()) {
        std::cerr << "mmx4210-cli convert: " << problem << "\n";
        return kUsage;
    }

    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    const auto progress = [terminal](size_t done, size_t total) {
        if (terminal) std::cerr << "\rConverting " << (100 * done / total) << " %" << std::flush;
    };
    const audio::BatchResult result = audio::convertFiles(args.inputs, args.options, progress);
    if (terminal) std::cerr << "\r\033[K" << std::flush;

    bool ok = true;
    for (const auto& file : result.files) {
        if (!file.ok) {
            std::cerr << file.input << ": " << file.error << "\n";
            ok = false;
        }
    }
    if (!result.rate) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f", result.secondsTooLong);
        std::cerr << "The messages are " << seconds << " s too long for the unit's " << unit::kCapacityBytes / 1000
                  << " KB even at 8000 Hz; nothing was written.\n";
        return kFailure;
    }
    if (!args.outputDir.empty()) {
        std::error_code error;
        fs::create_directories(args.outputDir, error);
        if (error) {
            std::cerr << args.outputDir << ": " << error.message() << "\n";
            return kFailure;
        }
    }
    double seconds = 0;
    for (size_t i = 0; i < result.files.size(); ++i) {
        const auto& file = result.files[i];
        if (!file.ok) continue;
        std::string error;
        if (!writeFileAtomically(outputs[i], file.message.waveBytes, &error)) {
            std::cerr << outputs[i] << ": " << error << "\n";
            ok = false;
            continue;
        }
        seconds += file.message.seconds();
        printLine(file, outputs[i]);
    }
    std::cout << "Total  " << formatSeconds(seconds) << " s  " << result.storedBytes / 1000 << " of "
              << unit::kCapacityBytes / 1000 << " kB\n";
    if (!result.fits) {
        std::cerr << "The messages need " << result.storedBytes << " bytes; the unit holds " << unit::kCapacityBytes << ".\n";
    }
    return ok ? kSuccess : kFailure;
}

const CommandRegistration registration({
    "convert",
    "convert any audio files (WAVE, FLAC, Ogg, Opus, MP3) into WAVE files the unit plays, at one rate\n"
    "that fits them all into its memory (--rate auto, the default); --loudness sets EBU R128\n"
    "loudness (true peak below -1 dBTP), --trim cuts silence at both ends",
    [](CLI::App& app) -> CommandRun {
        auto args = std::make_shared<ConvertArgs>();
        app.add_option("INPUT", args->inputs, "audio files to convert")->required();
        app.add_option("-o,--output", args->output, "the WAVE file to write (one input)")->type_name("OUT.wav");
        app.add_option("--out-dir", args->outputDir, "the folder for the WAVE files, named after the inputs")
            ->type_name("DIR");
        app.add_option("--rate", args->rateText, "the rate of every output: auto or 8000 to 24000 Hz (default auto)")
            ->type_name("HZ|auto");
        app.add_option("--loudness", args->loudnessText, "EBU R128 loudness, -70 to -1 LUFS, e.g. -16")
            ->type_name("LUFS");
        app.add_flag("--trim", args->options.trim, "cut silence below -50 dBFS at both ends");
        return [args] { return runConvert(*args); };
    },
});

}  // namespace
}  // namespace mmx::cli
