#include "command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <sstream>

#include "cli_command.h"
#include "mmx_version.h"

namespace mmx::cli {
namespace {

constexpr const char* kProgram = "mmx4210-cli";

// "--port ComN|PATH", "[--address HEX]...", "[-v]": how one declared argument is written in a
// synopsis.
std::string synopsisOf(const CLI::Option& option) {
    std::string text;
    if (option.get_positional()) {
        text = option.get_name();
    } else {
        const auto& longNames = option.get_lnames();
        text = longNames.empty() ? "-" + option.get_snames().front() : "--" + longNames.front();
        if (!option.get_type_name().empty()) text += " " + option.get_type_name();
    }
    const bool repeatable = option.get_items_expected_max() > 1;
    if (!option.get_required()) text = "[" + text + "]";
    return repeatable ? text + "..." : text;
}

// "erase --port ComN|PATH [--address HEX]... [--quiet] [--verbose]": made from the declarations,
// positional arguments first, wrapped within 100 columns with `indent` before each further line.
std::string synopsisOf(const CLI::App& app, const std::string& name, size_t indent) {
    constexpr size_t kWidth = 100;
    std::string text = name;
    size_t lineStart = 0;
    const auto declared = app.get_options([](const CLI::Option* option) { return option->get_name() != "--help"; });
    for (const bool positional : {true, false}) {
        for (const CLI::Option* option : declared) {
            if (option->get_positional() != positional) continue;
            const std::string item = synopsisOf(*option);
            if (indent + text.size() - lineStart + 1 + item.size() > kWidth) {
                text += "\n" + std::string(indent, ' ');
                lineStart = text.size() - indent;
            }
            text += " " + item;
        }
    }
    return text;
}

// A command's --help: its synopsis, what it does, then its arguments and options.
class CommandFormatter : public CLI::Formatter {
public:
    std::string make_usage(const CLI::App* app, std::string) const override {
        return "Usage: " + synopsisOf(*app, app->get_name(), 9) + "\n\n" + app->get_description() + "\n";
    }
    std::string make_description(const CLI::App*) const override { return {}; }
};

// A command's reader: its declarations on an App named after the command.
struct CommandReader {
    explicit CommandReader(const Command& command) : app(command.summary, std::string(kProgram) + " " + command.name) {
        app.formatter(std::make_shared<CommandFormatter>());
        app.set_help_flag("-h,--help", "this text");
        app.get_formatter()->column_width(26);
        // "--full=false" would read as a switch turned off; a switch takes no value.
        app.option_defaults()->disable_flag_override();
        app.footer("Exit codes: see " + std::string(kProgram) + " --help.\n");
        run = command.declare(app);
        // An argument is named for what it is ("SETUP.cfg"); its type says nothing more.
        for (CLI::Option* option : app.get_options()) {
            if (option->get_positional()) option->type_name("");
        }
    }
    CLI::App app;
    CommandRun run;
};

std::string indented(const std::string& text, const std::string& indent) {
    std::istringstream lines(text);
    std::string line;
    std::string out;
    while (std::getline(lines, line)) out += indent + line + "\n";
    return out;
}

void printHelp(std::ostream& out) {
    auto commands = commandRegistry();
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    out << "Usage: mmx4210-cli COMMAND [ARGS...]\n"
           "       mmx4210-cli COMMAND --help\n"
           "       mmx4210-cli --version\n\n"
           "Set-up tool for the MMX4210 message manager, without a window.\n\nCommands:\n";
    for (const auto& command : commands) {
        const CommandReader reader(command);
        out << "  " << synopsisOf(reader.app, command.name, 4) << "\n" << indented(command.summary, "      ");
    }
    out << "\nExit codes:\n"
           "  0    success\n"
           "  1    a file was refused or a check failed\n"
           "  2    wrong arguments\n"
           "  3    the serial port cannot be opened\n"
           "  4    the unit did not answer\n"
           "  5    the unit refused or answered garbage\n"
           "  6    verification failed: the unit holds something else\n"
           "  130  interrupted (Ctrl-C)\n";
}

int runCommand(const Command& command, const std::vector<std::string>& args) {
    CommandReader reader(command);
    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        reader.app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        std::cout << reader.app.help();
        return kSuccess;
    } catch (const CLI::ParseError& error) {
        std::cerr << kProgram << " " << command.name << ": " << error.what() << " (try " << kProgram << " "
                  << command.name << " --help)\n";
        return kUsage;
    }
    return reader.run();
}

}  // namespace

int runCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) {
        printHelp(std::cerr);
        return kUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(std::cout);
        return kSuccess;
    }
    if (args[0] == "--version") {
        std::cout << kProgram << " " << kVersion << "\n";
        return kSuccess;
    }
    for (const auto& command : commandRegistry()) {
        if (command.name == args[0]) return runCommand(command, std::vector<std::string>(args.begin() + 1, args.end()));
    }
    std::cerr << kProgram << ": unknown command '" << args[0] << "' (try --help)\n";
    return kUsage;
}

}  // namespace mmx::cli
