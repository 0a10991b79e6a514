#include "ui/lang/language_menu.h"

#include "ui/app/file_alerts.h"

#include <sys/stat.h>

#include "storage/settings_file.h"
#include "storage/settings_folder.h"
#include "ui/lang/language_file.h"

namespace mmx {

namespace {

bool isFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string builtInLanguageFile(LanguageItem item) {
    switch (item) {
        case LanguageItem::zh_s: return "zh-s.lng";
        case LanguageItem::zh_t: return "zh-t.lng";
        case LanguageItem::en: return "en.lng";
        case LanguageItem::nl: return "nl.lng";
        case LanguageItem::None:
        case LanguageItem::other: break;
    }
    return "";
}

LanguageCommands::LanguageCommands(WindowState& state, CaptionTable& captions, FileDialog& dialog,
                                   MessageBoxes& boxes)
    : state_(state), captions_(captions), dialog_(dialog), boxes_(boxes) {}

bool LanguageCommands::loadLanguageFile(const std::string& path) {
    if (!mmx::loadLanguageFile(state_, captions_, path, boxes_)) return false;
    if (languageApplied_) languageApplied_();
    return true;
}

void LanguageCommands::checkLanguageOf(const std::string& name) {
    const std::string stem = name.substr(0, name.find('.'));
    if (state_.settings.otherLanguage) {
        checked_ = LanguageItem::other;
    } else if (stem == "zh-s") {
        checked_ = LanguageItem::zh_s;
    } else if (stem == "zh-t") {
        checked_ = LanguageItem::zh_t;
    } else if (stem == "en") {
        checked_ = LanguageItem::en;
    } else if (stem == "nl") {
        checked_ = LanguageItem::nl;
    } else {
        checked_ = LanguageItem::other;
    }
}

void LanguageCommands::returnToPrevious(const std::string& previousFile, bool previousType) {
    state_.settings.languageFile = previousFile;
    state_.settings.otherLanguage = previousType;
    if (loadLanguageFile(state_.languageFolder() + state_.settings.languageFile)) checkLanguageOf(state_.settings.languageFile);
}

bool LanguageCommands::chooseBuiltIn(LanguageItem item) {
    const std::string file = builtInLanguageFile(item);
    if (file.empty()) return false;
    const std::string previousFile = state_.settings.languageFile;
    const bool previousType = state_.settings.otherLanguage;
    state_.settings.languageFile = file;
    clearLanguageChecks();
    state_.settings.otherLanguage = false;
    if (loadLanguageFile(state_.settings.builtInLanguageFolder + state_.settings.languageFile)) {
        checked_ = item;
        return true;
    }
    returnToPrevious(previousFile, previousType);
    return false;
}

bool LanguageCommands::chooseOther() {
    const std::string previousFile = state_.settings.languageFile;
    const bool previousType = state_.settings.otherLanguage;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.filter = kLanguageFileFilter;
    request.filterIndex = 2;
    request.fileName = state_.settings.languageFile;
    request.initialFolder = state_.settings.otherLanguageFolder;
    const auto chosen = dialog_.show(request);
    if (!chosen || fileNameOf(*chosen).empty()) return false;

    state_.settings.languageFile = fileNameOf(*chosen);
    state_.settings.otherLanguageFolder = folderOf(*chosen);
    clearLanguageChecks();
    state_.settings.otherLanguage = true;
    if (loadLanguageFile(state_.settings.otherLanguageFolder + state_.settings.languageFile)) {
        checked_ = LanguageItem::other;
        return true;
    }
    returnToPrevious(previousFile, previousType);
    return false;
}

void LanguageCommands::loadStartupLanguage(bool settingsFileRead) {
    if (!settingsFileRead) {
        state_.settings.languageFile = WindowState::kDefaultLanguageFile;
        state_.settings.otherLanguage = false;
    }
    const std::string path = state_.languageFolder() + state_.settings.languageFile;
    if (state_.settings.languageFile.empty() || !isFile(path)) return;
    if (loadLanguageFile(path)) checkLanguageOf(state_.settings.languageFile);
}

std::string LanguageCommands::statusPanel1() const { return state_.texts.status(UiTextTable::StatusPrefix) + " "; }

bool activateEditor(WindowState& state, LanguageCommands& languages, MessageBoxes& boxes) {
    if (state.settingsFolder.empty()) state.settingsFolder = chooseSettingsFolder(state.appFolder);
    const std::string path = settingsFileForReading(state.appFolder, state.settingsFolder);
    const bool exists = isFile(path);
    if (exists) reportFileOutcome(boxes, state.texts, UiTextTable::SettingsFileMissing, path, openSettings(state, path));
    languages.loadStartupLanguage(exists);
    return exists;
}

}  // namespace mmx
