#pragma once
// The set-up file as a codec: 280 positional "key=value" lines <-> a Setup. The lines keep
// every text the editor showed (enabled flags, list count, times, totals); the writer derives
// them from the Setup, the reader checks them and keeps only what the Setup holds. Keys are
// never compared: a line's meaning is its position.
#include <optional>
#include <string>
#include <vector>

#include "core/setup.h"
#include "storage/file_outcome.h"

namespace mmx {

inline constexpr int kSetupFileLines = 280;
inline constexpr const char* kSetupFileExtension = ".cfg";

// The 280 lines of the set-up (UTF-8, without line ends).
std::vector<std::string> setupLines(const Setup& setup);

// The set-up the lines hold (only the first 280 count); nothing when there are fewer or a value
// is refused, and outcome, when given, then says which line and why.
std::optional<Setup> parseSetupLines(const std::vector<std::string>& lines, FileOutcome* outcome = nullptr);

// Reads the set-up file at path.
std::optional<Setup> readSetupFile(const std::string& path, FileOutcome* outcome = nullptr);
// Writes it, replacing the file atomically: on failure the old file is untouched.
FileOutcome writeSetupFile(const std::string& path, const Setup& setup);

// One slot from the texts a table row shows: nothing when a filled slot's time, stored length
// or rate is no value this program writes (why, when given, says which).
std::optional<Slot> slotFromTexts(const std::string& name, const std::string& path, const std::string& time,
                                  int64_t storedBytes, const std::string& rate, FileProblem* why = nullptr);
// A sequence entry's text: " " (or nothing) is no message, " n" is slot n (1..12); anything
// else is refused.
std::optional<uint8_t> sequenceEntryValue(const std::string& text);

}  // namespace mmx
