#pragma once
// The one reader of mmx4210-cli's command line: picks the command, reads its arguments with the
// declarations the command registered, answers --help and --version, and words usage errors.
#include <string>
#include <vector>

namespace mmx::cli {

// args without the program name; returns the exit code.
int runCommandLine(const std::vector<std::string>& args);

}  // namespace mmx::cli
