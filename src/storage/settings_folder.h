#pragma once
// Where "MMX4210.INI" lives: beside the program when its folder is writable (a program run
// from its build or unpacked folder), else in the user's configuration folder (an installed
// program): $XDG_CONFIG_HOME/mmx4210/, or ~/.config/mmx4210/ when that is not set.
#include <string>

namespace mmx {

// The folder, ending with "/", in which the settings file is written.
std::string chooseSettingsFolder(const std::string& appPath);

// The user's configuration folder for this program, ending with "/" ("" when neither
// XDG_CONFIG_HOME nor HOME is set to an absolute path).
std::string userSettingsFolder();

// The settings file to read: the one in the chosen folder when it exists, else one left
// beside the program (shipped with it), else the chosen folder's (which does not exist yet).
std::string settingsFileForReading(const std::string& appPath, const std::string& settingsFolder);

}  // namespace mmx
