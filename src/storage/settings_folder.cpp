#include "storage/settings_folder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

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

// The folder's real path with a trailing "/" ("" when it does not exist).
std::string realFolder(const std::string& folder) {
    std::error_code error;
    const auto real = std::filesystem::canonical(folder.empty() ? "." : folder, error);
    return error ? std::string() : withSlash(real.string());
}

bool isWithin(const std::string& folder, const std::string& outer) {
    return !folder.empty() && !outer.empty() && folder.compare(0, outer.size(), outer) == 0;
}

}  // namespace

std::string buildFolder() { return withSlash(MMX_BUILD_FOLDER); }

std::string userSettingsFolder() {
    std::string base;
    if (absoluteVariable("XDG_CONFIG_HOME", base)) return withSlash(base) + "mmx4210/";
    if (absoluteVariable("HOME", base)) return withSlash(base) + ".config/mmx4210/";
    return "";
}

std::string chooseSettingsFolder(const std::string& appPath, const std::string& builtIn) {
    const std::string programFolder = withSlash(appPath.empty() ? "./" : appPath);
    if (isWithin(realFolder(programFolder), realFolder(builtIn))) return programFolder;
    const std::string user = userSettingsFolder();
    if (user.empty()) return programFolder;
    // Private to the account, as the rest of ~/.config is; a failure shows when a file is written.
    std::error_code ignored;
    if (std::filesystem::create_directories(user, ignored))
        std::filesystem::permissions(user, std::filesystem::perms::owner_all, ignored);
    return user;
}

std::string settingsFileForReading(const std::string& appPath, const std::string& settingsFolder) {
    const std::string chosen = withSlash(settingsFolder) + "MMX4210.INI";
    if (exists(chosen)) return chosen;
    const std::string beside = withSlash(appPath) + "MMX4210.INI";
    if (exists(beside)) return beside;
    return chosen;
}

}  // namespace mmx
