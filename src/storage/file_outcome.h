#pragma once
// What reading or writing one of the program's files came to: success, or what is wrong and on
// which line, in plain English words for a log or a terminal. Which message the operator sees
// is chosen by whoever shows it.
#include <string>
#include <utility>

namespace mmx {

struct FileOutcome {
    bool ok = true;
    int line = 0;         // 1-based line the problem is on; 0: the file as a whole
    std::string problem;  // "'maybe' is not True, False or a number", "has 200 lines, 280 are needed"

    static FileOutcome success() { return {}; }
    static FileOutcome failure(std::string problem, int line = 0) { return {false, line, std::move(problem)}; }
    explicit operator bool() const { return ok; }
    // "line 12: 'maybe' is not True, False or a number", or the problem alone.
    std::string reason() const { return line > 0 ? "line " + std::to_string(line) + ": " + problem : problem; }
};

}  // namespace mmx
