// The command lines of mmx4210-cli and mmx4210-unit as users' scripts write them: an option's
// value is checked alike as "--opt=value" and "--opt value", every --help lists every option, and
// a usage error exits 2 naming the command.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "mmx_version.h"
#include "support/run_program.h"
#include "support/saved_setup.h"

#if defined(MMX_UNIT_PROGRAM) && defined(MMX_CLI_PROGRAM)

namespace mmx {
namespace {

using test::ProgramRun;

// A command of either program: its name (empty for mmx4210-unit) and every option it takes.
struct CommandOptions {
    std::string command;
    std::vector<std::string> options;
};

std::string programOf(const std::string& command) { return command.empty() ? MMX_UNIT_PROGRAM : MMX_CLI_PROGRAM; }

std::vector<std::string> withCommand(const std::string& command, std::vector<std::string> args) {
    if (!command.empty()) args.insert(args.begin(), command);
    return args;
}

// "mmx4210-cli erase: " or "mmx4210-unit: ".
std::string usagePrefix(const std::string& command) {
    return command.empty() ? "mmx4210-unit: " : "mmx4210-cli " + command + ": ";
}

// The options of a --help: the names in each row of the option lists ("  -q,--quiet   no status
// lines", "  --port ComN|PATH REQUIRED").
std::set<std::string> optionsListed(const std::string& help) {
    std::set<std::string> listed;
    std::istringstream lines(help);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("  -", 0) != 0) continue;
        std::istringstream split(line.substr(2, line.find(' ', 2) - 2));
        std::string name;
        while (std::getline(split, name, ',')) listed.insert(name);
    }
    for (const char* always : {"-h", "--help", "--version"}) listed.erase(always);
    return listed;
}

const std::vector<CommandOptions> kCommands = {
    {"check", {}},
    {"convert", {"-o", "--output", "--out-dir", "--rate", "--loudness", "--trim"}},
    {"erase", {"--port", "--address", "-q", "--quiet", "-v", "--verbose"}},
    {"image", {"-o", "--output", "--tables"}},
    {"info", {}},
    {"ports", {}},
    {"print", {}},
    {"read-tables", {"--port", "-v", "--verbose"}},
    {"upload", {"--port", "--ports", "--repeat", "--log", "--full", "--verify", "-q", "--quiet", "-v", "--verbose"}},
    {"",
     {"--link", "--dump", "--load", "--erase-dots", "--erase-ms", "--reject-bad-image", "-q", "--quiet", "--seed",
      "--nak-every", "--nak-rate", "--corrupt-rx", "--drop-rx", "--corrupt-tx", "--drop-tx", "--silent-after",
      "--delay", "--baud"}},
};

// One option that takes a value, with a value whose outcome shows that the value was read.
// "{dir}" stands for a scratch folder, "{setup}" for a set-up saved there.
struct ValueOption {
    std::string command;
    std::vector<std::string> before;  // arguments before the option
    std::string option;
    std::string value;
    std::vector<std::string> after;
    int exitCode;
    std::string errHas;
    std::string fileMade;  // a file the run writes, or empty
};

std::string describe(const ValueOption& c) { return (c.command.empty() ? "mmx4210-unit" : c.command) + " " + c.option; }
void PrintTo(const ValueOption& c, std::ostream* out) { *out << describe(c); }
void PrintTo(const CommandOptions& c, std::ostream* out) { *out << (c.command.empty() ? "mmx4210-unit" : c.command); }

const std::vector<ValueOption> kValueOptions = {
    {"convert", {"{dir}in.wav"}, "--output", "{dir}in.wav", {}, 2, "in.wav is an input; it is never overwritten", ""},
    {"convert", {"{dir}in.wav"}, "--out-dir", "{dir}", {}, 2, "in.wav is an input; it is never overwritten", ""},
    {"convert", {"{dir}in.wav"}, "--rate", "7000", {}, 2, "--rate takes auto or a whole number of Hz", ""},
    {"convert", {"{dir}in.wav"}, "--loudness", "0", {}, 2, "--loudness takes LUFS from -70 to -1", ""},
    {"erase", {}, "--port", "{dir}no-tty", {}, 3, "mmx4210-cli erase: {dir}no-tty: no such device\n", ""},
    {"erase", {"--port", "Com1"}, "--address", "zz", {}, 2, "\"zz\" is not a unit address", ""},
    {"erase", {"--port", "Com1"}, "--address", "1000000", {}, 2, "\"1000000\" is not a unit address (hex, up to FFFFFF)", ""},
    {"image", {"{setup}"}, "--output", "{dir}image.bin", {}, 0, "image.bin: 8388608 bytes", "image.bin"},
    {"read-tables", {}, "--port", "{dir}no-tty", {}, 3,
     "mmx4210-cli read-tables: RS232 Com Port cannot be open! {dir}no-tty: no such device\n", ""},
    // The set-up file after the port: --port takes one value each time.
    {"upload", {}, "--port", "Com11", {"{setup}"}, 2,
     "--port takes Com1..Com10, a device path or a network address (rfc2217://HOST:PORT, tcp://HOST:PORT), not 'Com11'", ""},
    {"upload", {"{setup}"}, "--ports", "every", {}, 2, "--ports: the only value is all", ""},
    {"upload", {"{setup}", "--port", "{dir}no-tty"}, "--log", "{dir}units.log", {}, 3, "{dir}no-tty: no such device",
     "units.log"},
    {"", {}, "--link", "{dir}no-folder/link", {}, 1, "cannot link {dir}no-folder/link", ""},
    {"", {}, "--load", "{dir}none.bin", {}, 2, "--load {dir}none.bin", ""},
    // Read, then the load stops the start before anything is dumped.
    {"", {}, "--dump", "{dir}dump", {"--load", "{dir}none.bin"}, 2, "--load {dir}none.bin", ""},
    {"", {}, "--erase-ms", "-1", {}, 2, "--erase-ms: takes 0 or more, not -1", ""},
    {"", {}, "--nak-rate", "2", {}, 2, "--nak-rate: takes 0 to 1, not 2", ""},
    {"", {}, "--corrupt-rx", "1.5", {}, 2, "--corrupt-rx: takes 0 to 1, not 1.5", ""},
    {"", {}, "--drop-rx", "-0.5", {}, 2, "--drop-rx: takes 0 to 1, not -0.5", ""},
    {"", {}, "--corrupt-tx", "2", {}, 2, "--corrupt-tx: takes 0 to 1, not 2", ""},
    {"", {}, "--drop-tx", "2", {}, 2, "--drop-tx: takes 0 to 1, not 2", ""},
    {"", {}, "--silent-after", "-1", {}, 2, "--silent-after: takes 0 or more, not -1", ""},
    {"", {}, "--delay", "-5", {}, 2, "--delay: takes 0 or more, not -5", ""},
    {"", {}, "--baud", "0", {}, 2, "--baud: takes 1 or more, not 0", ""},
};

class CommandHelp : public ::testing::TestWithParam<CommandOptions> {};

TEST_P(CommandHelp, ListsEveryOptionAndNoOther) {
    const CommandOptions& command = GetParam();
    const ProgramRun help = test::runProgram(programOf(command.command), withCommand(command.command, {"--help"}));
    EXPECT_EQ(help.exitCode, 0) << help.err;
    EXPECT_EQ(optionsListed(help.out), std::set<std::string>(command.options.begin(), command.options.end())) << help.out;
}

TEST_P(CommandHelp, UnknownOptionIsAUsageErrorNamingTheCommand) {
    const CommandOptions& command = GetParam();
    const ProgramRun run = test::runProgram(programOf(command.command), withCommand(command.command, {"--no-such-option"}));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind(usagePrefix(command.command), 0), 0u) << run.err;
    EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandHelp, ::testing::ValuesIn(kCommands),
                         [](const auto& param) {
                             std::string name = param.param.command.empty() ? "unit" : param.param.command;
                             std::erase(name, '-');
                             return name;
                         });

class ValueForms : public ::testing::TestWithParam<ValueOption> {
protected:
    std::string expand(std::string text) {
        for (const auto& [mark, with] : {std::pair<std::string, std::string>{"{dir}", folder.folder()}, {"{setup}", setup()}}) {
            if (text.find(mark) == std::string::npos) continue;
            for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + with.size())) {
                text.replace(at, mark.size(), with);
            }
        }
        return text;
    }
    std::string setup() {
        if (setupPath.empty()) setupPath = test::savedSetup(folder, {{1, 1001}, {2, 2001}}, 3);
        return setupPath;
    }
    ProgramRun run(const ValueOption& c, bool joined) {
        std::vector<std::string> args;
        for (const auto& arg : c.before) args.push_back(expand(arg));
        if (joined) {
            args.push_back(c.option + "=" + expand(c.value));
        } else {
            args.push_back(c.option);
            args.push_back(expand(c.value));
        }
        for (const auto& arg : c.after) args.push_back(expand(arg));
        return test::runProgram(programOf(c.command), withCommand(c.command, args));
    }

    test::ScratchFolder folder;
    std::string setupPath;
};

TEST_P(ValueForms, JoinedAndSeparateReadAlike) {
    const ValueOption& c = GetParam();
    ProgramRun runs[2];
    for (const bool joined : {false, true}) {
        if (!c.fileMade.empty()) std::filesystem::remove(folder.folder() + c.fileMade);
        const ProgramRun result = run(c, joined);
        EXPECT_EQ(result.exitCode, c.exitCode) << (joined ? "joined: " : "separate: ") << result.err;
        EXPECT_NE(result.err.find(expand(c.errHas)), std::string::npos) << (joined ? "joined: " : "separate: ") << result.err;
        if (!c.fileMade.empty()) {
            EXPECT_TRUE(std::filesystem::exists(folder.folder() + c.fileMade)) << c.fileMade;
        }
        runs[joined ? 1 : 0] = result;
    }
    // A many-units upload prints its times; everything else says the very same.
    if (c.option != "--log") {
        EXPECT_EQ(runs[0].err, runs[1].err);
    }
    EXPECT_EQ(runs[0].out, runs[1].out);
}

INSTANTIATE_TEST_SUITE_P(Options, ValueForms, ::testing::ValuesIn(kValueOptions), [](const auto& param) {
    std::string name = describe(param.param) + std::to_string(param.index);
    std::erase_if(name, [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); });
    return name;
});

TEST(CommandLine, VersionOfBothPrograms) {
    const ProgramRun cli = test::runProgram(MMX_CLI_PROGRAM, {"--version"});
    EXPECT_EQ(cli.exitCode, 0);
    EXPECT_EQ(cli.out, "mmx4210-cli " + std::string(kVersion) + "\n");
    const ProgramRun unit = test::runProgram(MMX_UNIT_PROGRAM, {"--version"});
    EXPECT_EQ(unit.exitCode, 0);
    EXPECT_EQ(unit.out, "mmx4210-unit " + std::string(kVersion) + "\n");
}

TEST(CommandLine, HelpListsTheCommandsAndTheExitCodes) {
    const ProgramRun help = test::runProgram(MMX_CLI_PROGRAM, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const auto& command : kCommands) {
        if (command.command.empty()) continue;
        const bool listed = help.out.find("\n  " + command.command + " ") != std::string::npos ||
                            help.out.find("\n  " + command.command + "\n") != std::string::npos;
        EXPECT_TRUE(listed) << command.command;
    }
    EXPECT_NE(help.out.find("\n  2    wrong arguments\n"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("\n  130  interrupted (Ctrl-C)\n"), std::string::npos) << help.out;
    const ProgramRun bare = test::runProgram(MMX_CLI_PROGRAM, {});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_EQ(bare.err, help.out);
    const ProgramRun unknown = test::runProgram(MMX_CLI_PROGRAM, {"frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err, "mmx4210-cli: unknown command 'frobnicate' (try --help)\n");
}

// A switch takes no value ("--full=false" must not quietly turn it off); erase needs its one port
// and upload its set-up.
TEST(CommandLine, UsageErrorsNameTheCommand) {
    const std::vector<std::vector<std::string>> cases = {
        {"upload", "x.cfg", "--port", "Com1", "--full=false"},
        {"upload", "--port", "Com1"},
        {"erase"},
        {"erase", "--port", "tcp://127.0.0.1:4001", "--port", "tcp://127.0.0.1:4002"},
    };
    for (const auto& args : cases) {
        const ProgramRun run = test::runProgram(MMX_CLI_PROGRAM, args);
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_EQ(run.err.rfind("mmx4210-cli " + args[0] + ": ", 0), 0u) << run.err;
    }
}

}  // namespace
}  // namespace mmx

#endif
