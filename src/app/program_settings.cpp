#include "app/program_settings.h"

#include <filesystem>

#include "storage/data_folder.h"
#include "storage/settings_file.h"
#include "storage/settings_folder.h"

namespace mmx::app {

ProgramFolders ProgramFolders::of(const std::string& programFolder) {
    ProgramFolders folders;
    folders.program = programFolder.empty() || programFolder.back() != '/' ? programFolder + "/" : programFolder;
    folders.data = dataFolderFor(folders.program);
    folders.settings = chooseSettingsFolder(folders.program);
    return folders;
}

LoadedSettings loadSettings(const ProgramFolders& folders) {
    LoadedSettings loaded;
    loaded.settings = Settings::defaultsFor(folders.program, folders.data);
    const std::string path = settingsFileForReading(folders.program, folders.settings);
    std::error_code error;
    loaded.found = std::filesystem::exists(path, error);
    if (loaded.found) loaded.outcome = readSettingsFile(path, loaded.settings, folders.program, folders.data);
    return loaded;
}

}  // namespace mmx::app
