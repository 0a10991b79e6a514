#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli_command.h"

namespace mmx::cli {

std::vector<Command>& commandRegistry() {
    static std::vector<Command> commands;
    return commands;
}

std::string programFolder() {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return "./";
    return self.parent_path().string() + "/";
}

namespace {

void printHelp(std::ostream& out) {
    auto commands = commandRegistry();
    std::sort(commands.begin(), commands.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    out << "Usage: mmx4210-cli COMMAND [ARGS...]\n\n"
           "Set-up tool for the MMX4210 message manager, without a window.\n\nCommands:\n";
    for (const auto& command : commands) {
        out << "  " << command.usage << "\n      " << command.summary << "\n";
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

}  // namespace
}  // namespace mmx::cli

int main(int argc, char** argv) {
    using namespace mmx::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        printHelp(std::cerr);
        return kUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(std::cout);
        return kSuccess;
    }
    for (const auto& command : commandRegistry()) {
        if (command.name == args[0]) {
            std::vector<std::string> rest(args.begin() + 1, args.end());
            if (!rest.empty() && (rest[0] == "--help" || rest[0] == "-h")) {
                std::cout << "Usage: mmx4210-cli " << command.usage << "\n" << command.summary << "\n";
                return kSuccess;
            }
            return command.run(rest);
        }
    }
    std::cerr << "mmx4210-cli: unknown command '" << args[0] << "' (try --help)\n";
    return kUsage;
}
