#include "core/program_state.h"

namespace mmx {

std::string withTrailingSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == kPathSeparator) return folder;
    return folder + kPathSeparator;
}

std::string folderOf(const std::string& path) {
    const auto cut = path.rfind(kPathSeparator);
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string fileNameOf(const std::string& path) {
    const auto cut = path.rfind(kPathSeparator);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void ProgramState::initialise(const std::string& appFolder, const std::string& dataFolder) {
    SetupChanged = false;
    VersionText = kVersionText;
    FrameCaption = std::string(kDesignCaption) + VersionText;
    frameWindowCaption = FrameCaption;
    AppPath = withTrailingSeparator(appFolder.empty() ? std::string(".") : appFolder);
    DataPath = dataFolder.empty() ? AppPath : withTrailingSeparator(dataFolder);
    settings = Settings::defaultsFor(AppPath, DataPath);
    MarkerPath = AppPath;
    RunningCaption.clear();
    loadDefaults();
}

void ProgramState::loadDefaults() {
    settings.port = PortSettings{};
    settings.setupFile = kDefaultMessageFile;
    settings.languageFile = kDefaultLanguageFile;
    texts.fillDefaults();
    CloseText = "Close";
    messages.clear();
    triggers.clear();
}

}  // namespace mmx
