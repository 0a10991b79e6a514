#include "ui/app/window_state.h"

#include "storage/settings_file.h"

namespace mmx {

void WindowState::beginSetup(const Setup& opened) {
    setup = opened;
    savedSetup = opened;
    history.clear();
}

void WindowState::initialise(const std::string& programFolder, const std::string& programDataFolder) {
    versionText = kVersionText;
    frameCaption = std::string(kDesignCaption) + versionText;
    frameWindowCaption = frameCaption;
    appFolder = withTrailingSeparator(programFolder.empty() ? std::string(".") : programFolder);
    dataFolder = programDataFolder.empty() ? appFolder : withTrailingSeparator(programDataFolder);
    settings = Settings::defaultsFor(appFolder, dataFolder);
    markerFolder = appFolder;
    runningCaption.clear();
    loadDefaults();
}

void WindowState::loadDefaults() {
    settings.port = PortSettings{};
    settings.setupFile = kDefaultSetupFile;
    settings.languageFile = kDefaultLanguageFile;
    texts.fillDefaults();
    closeText = "Close";
    beginSetup(Setup{});
}

FileOutcome saveSettings(const WindowState& state, const std::string& path) {
    return writeSettingsFile(path, state.settings);
}

FileOutcome openSettings(WindowState& state, const std::string& path) {
    return readSettingsFile(path, state.settings, state.appFolder, state.dataFolder);
}

bool readSplashLanguage(WindowState& state, const std::string& path, std::string& splashLanguageFile) {
    const auto choice = readLanguageChoice(path, state.appFolder, state.dataFolder);
    if (!choice) return false;
    state.settings.builtInLanguageFolder = choice->builtInLanguageFolder;
    state.settings.otherLanguageFolder = choice->otherLanguageFolder;
    state.settings.otherLanguage = choice->otherLanguage;
    splashLanguageFile = choice->languageFile;
    return true;
}

}  // namespace mmx
