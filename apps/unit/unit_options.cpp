#include "unit_options.h"

#include <CLI/CLI.hpp>

#include <iostream>

#include "mmx_version.h"

namespace mmx::unitapp {

namespace {

constexpr const char* kProgram = "mmx4210-unit";
constexpr int kUsage = 2;

// Checks whose words fit the line "mmx4210-unit: --nak-rate: takes 0 to 1, not 2"; no
// description, so the help keeps the plain value names.
CLI::Validator between(double low, double high, const std::string& range) {
    return CLI::Validator(
        [low, high, range](const std::string& text) -> std::string {
            double value = 0;
            if (CLI::detail::lexical_cast(text, value) && value >= low && value <= high) return {};
            return "takes " + range + ", not " + text;
        },
        "");
}

// The usage line first, then what the program does.
class UnitFormatter : public CLI::Formatter {
public:
    std::string make_usage(const CLI::App* app, std::string) const override {
        return "Usage: " + app->get_name() + " [OPTIONS]\n\n" + app->get_description() + "\n";
    }
    std::string make_description(const CLI::App*) const override { return {}; }
};

// Milliseconds on the command line, microseconds in the unit.
struct Milliseconds {
    int64_t delay = 0;
    int64_t eraseInterval = 0;
};

void declareOptions(CLI::App& app, Options& options, Milliseconds& ms) {
    UnitOptions& u = options.unit;
    const CLI::Validator rate = between(0, 1, "0 to 1");
    const CLI::Validator notNegative = between(0, 1e18, "0 or more");
    app.add_option("--link", options.linkPath, "also make PATH a symlink to the pseudo-terminal")->type_name("PATH");
    app.add_option("--dump", options.dumpDir,
                   "at each acknowledged L write DIR/image.bin (0x400000 words, high byte first),\n"
                   "message-table.txt, trigger-table.txt, check.txt and message-NN.bin per message")
        ->type_name("DIR");
    app.add_option("--load", options.loadPath,
                   "start holding FILE, a whole memory as image.bin holds it\n"
                   "(8388608 bytes; mmx4210-cli image writes one)")
        ->type_name("FILE");
    app.add_option("--erase-dots", u.eraseDots, "\".\" bytes sent while an erase runs (default 3)")->type_name("N");
    app.add_option("--erase-ms", ms.eraseInterval, "time between them (default 0)")
        ->type_name("MS")
        ->check(notNegative);
    app.add_flag("--reject-bad-image", u.rejectBadImage, "answer 21 to L when a word checksum is wrong");
    app.add_flag("-q,--quiet", options.quiet, "no log of commands on standard error");

    const std::string faults = "Faults (repeatable with --seed)";
    app.add_option("--seed", u.seed, "seed of every random fault (default 1)")->type_name("N")->group(faults);
    app.add_option("--nak-every", u.nakEveryNth, "answer 21 to every N-th frame")->type_name("N")->group(faults);
    app.add_option("--nak-rate", u.nakRate, "answer 21 to a frame at rate R (0..1)")->type_name("R")->check(rate)->group(faults);
    app.add_option("--corrupt-rx", u.corruptReceivedRate, "flip a bit of a received byte at rate R")
        ->type_name("R")->check(rate)->group(faults);
    app.add_option("--drop-rx", u.dropReceivedRate, "lose a received byte at rate R")->type_name("R")->check(rate)->group(faults);
    app.add_option("--corrupt-tx", u.corruptSentRate, "flip a bit of a sent byte at rate R")
        ->type_name("R")->check(rate)->group(faults);
    app.add_option("--drop-tx", u.dropSentRate, "lose a sent byte at rate R")->type_name("R")->check(rate)->group(faults);
    app.add_option("--silent-after", u.silentAfterFrames, "answer nothing once N frames were answered")
        ->type_name("N")->check(notNegative)->group(faults);
    app.add_option("--delay", ms.delay, "processing time before each answer")
        ->type_name("MS")->check(notNegative)->group(faults);
    app.add_option("--baud", u.baud, "pace the line as N baud with 11 bits a byte (8N2); default unpaced")
        ->type_name("N")->check(between(1, 1e18, "1 or more"))->group(faults);
}

}  // namespace

std::optional<int> readCommandLine(const std::vector<std::string>& args, Options& options) {
    CLI::App app("Stands in for an MMX4210 unit on a pseudo-terminal. The first line on standard output\n"
                 "is the device path to open (for example MMX4210_COM1=PATH). Runs until Ctrl-C or SIGTERM.",
                 kProgram);
    app.formatter(std::make_shared<UnitFormatter>());
    app.get_formatter()->column_width(23);
    app.set_help_flag("-h,--help", "this text");
    app.option_defaults()->disable_flag_override();
    app.set_version_flag("--version", std::string(kProgram) + " " + std::string(kVersion), "print the version and exit");
    Milliseconds ms;
    declareOptions(app, options, ms);
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them last first
        app.parse(reversed);
    } catch (const CLI::Success& answered) {
        return app.exit(answered);  // --help or --version on standard output
    } catch (const CLI::ParseError& error) {
        std::cerr << kProgram << ": " << error.what() << " (try --help)\n";
        return kUsage;
    }
    options.unit.frameDelayUs = ms.delay * 1000;
    options.unit.eraseDotIntervalUs = ms.eraseInterval * 1000;
    return std::nullopt;
}

}  // namespace mmx::unitapp
