#pragma once
// The settings file "MMX4210.INI": 13 "key=value" lines (time-out, port and its framing,
// language, folders, set-up file name) read by position into a Settings value. A value that
// does not fit is refused with its line.
#include <optional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "storage/file_outcome.h"

namespace mmx {

inline constexpr int kSettingsFileLines = 13;

// The 13 lines (UTF-8, without line ends), then "Recent1=".."Recent6=" for the recent set-ups
// there are (a path the file's code page cannot hold is left out).
std::vector<std::string> settingsLines(const Settings& settings);
// The 13 lines, and the network address lines when one was typed.
std::vector<std::string> positionalSettingsLines(const Settings& settings);

// The settings the lines hold, read in file order onto `current`: a refused value stops the
// reading there (outcome says which line and why), the values before it are taken and the
// later ones stay as they were. Fewer than 13 lines change nothing. Commport 0, negative or
// above 10 becomes 1; an empty folder is the default for a program in appPath whose data lies in
// dataPath (empty: appPath).
Settings parseSettingsLines(const std::vector<std::string>& lines, const Settings& current, const std::string& appPath,
                            FileOutcome* outcome = nullptr, const std::string& dataPath = {});

// Writes the 13 lines (creating the folder when it is missing); on failure the old file is
// untouched.
FileOutcome writeSettingsFile(const std::string& path, const Settings& settings);
// Reads the file at path onto settings, as parseSettingsLines does.
FileOutcome readSettingsFile(const std::string& path, Settings& settings, const std::string& appPath,
                             const std::string& dataPath = {});

// The language settings alone (lines 7 to 10), for the splash window before the editor exists;
// nothing when the file is missing, short or the "other" flag does not convert.
struct LanguageChoice {
    std::string builtInLanguageFolder;
    std::string otherLanguageFolder;
    bool otherLanguage = false;
    std::string languageFile;
};
std::optional<LanguageChoice> readLanguageChoice(const std::string& path, const std::string& appPath,
                                                 const std::string& dataPath = {});

}  // namespace mmx
