#include "storage/settings_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace mmx {

namespace {

std::string withSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

bool exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

bool absoluteVariable(const char* name, std::string& value) {
    const char* text = std::getenv(name);
    if (text == nullptr || text[0] != '/') return false;
    value = text;
    return true;
}

}  // namespace

std::string userSettingsFolder() {
    std::string base;
    if (absoluteVariable("XDG_CONFIG_HOME", base)) return withSlash(base) + "mmx4210/";
    if (absoluteVariable("HOME", base)) return withSlash(base) + ".config/mmx4210/";
    return "";
}

std::string chooseSettingsFolder(const std::string& appPath) {
    const std::string programFolder = withSlash(appPath.empty() ? "./" : appPath);
    if (access(programFolder.c_str(), W_OK) == 0) return programFolder;
    const std::string user = userSettingsFolder();
    return user.empty() ? programFolder : user;
}

std::string settingsFileForReading(const std::string& appPath, const std::string& settingsFolder) {
    const std::string chosen = withSlash(settingsFolder) + "MMX4210.INI";
    if (exists(chosen)) return chosen;
    const std::string beside = withSlash(appPath) + "MMX4210.INI";
    if (exists(beside)) return beside;
    return chosen;
}

}  // namespace mmx
