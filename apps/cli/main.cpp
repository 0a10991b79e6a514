#include <filesystem>
#include <string>
#include <vector>

#include "cli_command.h"
#include "command_line.h"

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

}  // namespace mmx::cli

int main(int argc, char** argv) { return mmx::cli::runCommandLine(std::vector<std::string>(argv + 1, argv + argc)); }
