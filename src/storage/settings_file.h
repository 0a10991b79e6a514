#pragma once
// The settings file "MMX4210.INI": 13 "key=value" lines (port, time-out, language, folders,
// set-up file name), read back by position.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/program_state.h"
#include "storage/file_outcome.h"

namespace mmx {

inline constexpr int kSettingsFileLines = 13;

// A hand-edited time-out outside this range would make a receive wait too long (or, read as
// unsigned somewhere, forever); it is clamped into it. The device layer uses the same bounds.
inline constexpr int kMinCommTimeOutMs = 0;
inline constexpr int kMaxCommTimeOutMs = 60000;

// The 13 lines from the program state (UTF-8, without line ends).
std::vector<std::string> settingsFileLines(const ProgramState& state);

// Writes the 13 lines (creating the settings folder when it is missing); on failure the old
// file is untouched.
FileOutcome SaveIni(const ProgramState& state, const std::string& path);

// Reads all 13 lines, then applies them in file order. A short or unreadable file changes
// nothing; a value that does not convert stops the applying there (earlier values stay).
// Both are failures. Commport 0, negative or above 10 becomes 1; CommTimeOut is clamped to
// [kMinCommTimeOutMs, kMaxCommTimeOutMs].
FileOutcome OpenIni(ProgramState& state, const std::string& path);

// OpenIni's work on lines already read: false (without a message) when there are fewer than
// 13 or a value does not convert, with the values before that one applied.
bool applySettingsLines(ProgramState& state, const std::vector<std::string>& lines);

// For the splash window: reads lines 1 to 10 and applies only the language settings
// (both language folders, the "other" flag, and the splash window's own language-file name).
// Silent; false and nothing applied on any failure.
bool Open_Logo_Ini(ProgramState& state, const std::string& path, std::string& splashLanguageFile);

// Settings-file value conversions: a 16-bit integer (blanks around allowed) and a Boolean
// ("True"/"False" in any letter case, or a number, 0 being false).
std::optional<int16_t> settingsInteger(const std::string& value);
std::optional<bool> settingsBoolean(const std::string& value);

}  // namespace mmx
