// The manual pages and the bash completion say what the programs' --help says: every option
// --help prints (top level and every command's) appears in the page and in the completion,
// and every command too, so neither can fall behind the programs.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/run_program.h"
#include "support/test_support.h"

namespace mmx {
namespace {

// The page as a reader sees its words: "\-" is a hyphen, font changes vanish.
std::string pageText(const std::string& path) {
    std::string roff = test::readText(path);
    roff = std::regex_replace(roff, std::regex(R"(\\f[BIRP])"), "");
    roff = std::regex_replace(roff, std::regex(R"(\\-)"), "-");
    return roff;
}

// Options are the words of program's --help that start with "-" (after a blank, "[", "(", "|"
// or ","), but for those of another program named right before them ("mmx4210-unit --dump").
std::set<std::string> optionsIn(const std::string& help, const std::string& program) {
    static const std::regex option(R"((?:^|[\s\[(|,])(--?[A-Za-z][A-Za-z0-9-]*))");
    static const std::regex programBefore(R"((mmx4210[a-z-]*)\s+$)");
    std::set<std::string> found;
    for (std::sregex_iterator it(help.begin(), help.end(), option), end; it != end; ++it) {
        const size_t at = static_cast<size_t>(it->position(1));
        const std::string before = help.substr(at > 40 ? at - 40 : 0, at > 40 ? 40 : at);
        std::smatch named;
        if (std::regex_search(before, named, programBefore) && named[1] != program) continue;
        found.insert((*it)[1]);
    }
    return found;
}

// word stands alone in text: no letter, digit or hyphen right before or after it.
bool mentions(const std::string& text, const std::string& word) {
    const auto isWordChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-'; };
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const bool before = at == 0 || !isWordChar(text[at - 1]);
        const bool after = at + word.size() == text.size() || !isWordChar(text[at + word.size()]);
        if (before && after) return true;
    }
    return false;
}

std::string helpOf(const std::string& program, const std::vector<std::string>& args) {
    const test::ProgramRun run = test::runProgram(program, args, {"QT_QPA_PLATFORM=offscreen"});
    EXPECT_EQ(run.exitCode, 0) << program << " --help: " << run.err;
    return run.out;
}

// The commands of the command-line tool: the first word of an indented line of its --help
// whose own --help names it ("mmx4210-cli upload ...").
std::vector<std::string> cliCommands(const std::string& cli, const std::string& help) {
    std::vector<std::string> commands;
    static const std::regex line(R"(^\s+([a-z][a-z-]*)\b)");
    std::set<std::string> tried;
    std::istringstream lines(help);
    for (std::string text; std::getline(lines, text);) {
        std::smatch match;
        if (!std::regex_search(text, match, line) || !tried.insert(match[1]).second) continue;
        const test::ProgramRun run = test::runProgram(cli, {match[1], "--help"});
        if (run.exitCode == 0 && run.out.find("mmx4210-cli " + match[1].str()) != std::string::npos)
            commands.push_back(match[1]);
    }
    return commands;
}

struct Program {
    const char* name;
    const char* path;
};

class ManualPage : public ::testing::TestWithParam<Program> {};

TEST_P(ManualPage, NamesEveryOptionOfTheHelp) {
    const Program& program = GetParam();
    if (std::string(program.path).empty()) GTEST_SKIP() << program.name << " is not built";
    const std::string page = pageText(std::string(MMX_MANUAL_PAGES_DIR) + "/" + program.name + ".1");
    ASSERT_FALSE(page.empty()) << program.name << ".1 is missing";
    EXPECT_NE(page.find("mmx4210 " MMX_VERSION), std::string::npos) << "the page shows another version";

    const std::string help = helpOf(program.path, {"--help"});
    const std::set<std::string> options = optionsIn(help, program.name);
    ASSERT_FALSE(options.empty()) << help;
    for (const std::string& option : options)
        EXPECT_TRUE(mentions(page, option)) << option << " (" << program.name << " --help) is not in the page";
}

INSTANTIATE_TEST_SUITE_P(Programs, ManualPage,
                         ::testing::Values(Program{"mmx4210-cli", MMX_CLI}, Program{"mmx4210-unit", MMX_UNIT},
                                           Program{"mmx4210", MMX_GUI}),
                         [](const ::testing::TestParamInfo<Program>& param) {
                             return std::regex_replace(param.param.name, std::regex("-"), "_");
                         });

// Every command of mmx4210-cli, with the options its own --help prints, in the page and in
// the completion.
TEST(CommandLineTool, EveryCommandAndItsOptionsAreInThePageAndTheCompletion) {
    const std::string page = pageText(std::string(MMX_MANUAL_PAGES_DIR) + "/mmx4210-cli.1");
    const std::string completion = test::readText(MMX_COMPLETION);
    ASSERT_FALSE(completion.empty());
    const std::vector<std::string> commands = cliCommands(MMX_CLI, helpOf(MMX_CLI, {"--help"}));
    ASSERT_GE(commands.size(), 9u) << "the commands were not found in --help";
    for (const std::string& command : commands) {
        EXPECT_TRUE(mentions(page, command)) << command << " is not in the page";
        EXPECT_TRUE(mentions(completion, command)) << command << " is not in the completion";
        for (const std::string& option : optionsIn(helpOf(MMX_CLI, {command, "--help"}), "mmx4210-cli")) {
            EXPECT_TRUE(mentions(page, option)) << command << " " << option << " is not in the page";
            EXPECT_TRUE(mentions(completion, option)) << command << " " << option << " is not in the completion";
        }
    }
}

}  // namespace
}  // namespace mmx
