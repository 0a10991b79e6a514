#pragma once
// Where "MMX4210.INI", the upload record and the single-instance marker live: in the user's
// configuration folder, $XDG_CONFIG_HOME/mmx4210/ or ~/.config/mmx4210/ when that is not set.
// Only a program run from the folder it was built in keeps them beside itself, so a developer's
// runs never touch the account's own settings. An installed program never writes beside itself,
// not even when run as root, where its own folder is writable.
#include <string>

namespace mmx {

// The folder this copy of the program was built in, ending with "/".
std::string buildFolder();

// The folder, ending with "/", in which the program's own files are written. The user's
// folder is created when it does not exist yet (on an account's first start).
std::string chooseSettingsFolder(const std::string& appPath, const std::string& builtIn = buildFolder());

// The user's configuration folder for this program, ending with "/" ("" when neither
// XDG_CONFIG_HOME nor HOME is set to an absolute path).
std::string userSettingsFolder();

// The settings file to read: the one in the chosen folder when it exists, else one left
// beside the program (shipped with it), else the chosen folder's (which does not exist yet).
std::string settingsFileForReading(const std::string& appPath, const std::string& settingsFolder);

}  // namespace mmx
