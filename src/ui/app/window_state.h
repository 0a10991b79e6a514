#pragma once
// What the window keeps while it runs: its captions and folders, the settings, the texts in
// the language in use, and the set-up being edited with its undo history. The set-up is a
// value; the window shows it by rendering its rows from it and changes it only through the
// edits of src/app.
#include <string>

#include "core/file_paths.h"
#include "core/settings.h"
#include "core/setup.h"
#include "storage/file_outcome.h"
#include "ui/app/edit_history.h"
#include "ui/lang/ui_text_table.h"

namespace mmx {

struct WindowState {
    static constexpr const char* kVersionText = " Ver. 2.3  ";
    static constexpr const char* kDesignCaption = "MMX 4210 Zanth Message Manager Setup ";
    static constexpr const char* kDefaultSetupFile = Settings::kDefaultSetupFile;
    static constexpr const char* kDefaultLanguageFile = Settings::kDefaultLanguageFile;
    static constexpr const char* kSettingsFileName = "MMX4210.INI";
    static constexpr const char* kMarkerFileName = "~MMX4210Temp";
    static constexpr const char* kEditorCaption = "MMX4210";

    std::string versionText = kVersionText;
    std::string frameCaption;        // caption base (language line 11) + versionText
    std::string frameWindowCaption;  // what the frame window shows now (frameCaption + set-up name)
    std::string appFolder;           // program folder, ends with the separator
    std::string dataFolder;          // language files, translations, help documents; ends with "/"
    std::string markerFolder;        // folder of the single-instance marker file
    std::string settingsFolder;      // folder "MMX4210.INI" is written to; empty: appFolder
    std::string runningCaption;      // caption read from the marker file
    std::string closeText = "Close";

    Settings settings;
    bool messagesUploaded = false;  // the unit holds the messages of this set-up
    UiTextTable texts;

    Setup setup;       // the set-up being edited
    Setup savedSetup;  // as it was last opened or saved (or begun)
    EditHistory history;

    // The set-up differs from the one last opened or saved: undoing back to it clears the mark.
    bool setupChanged() const { return setup != savedSetup; }
    void markSaved() { savedSetup = setup; }
    // A set-up was opened or begun: it is the saved one and nothing before it can be undone.
    void beginSetup(const Setup& opened);

    // Start-up (folders for a program living in appFolder, its data in dataFolder, by default
    // the same) followed by the load-time defaults.
    void initialise(const std::string& programFolder, const std::string& programDataFolder = {});
    // The load-time defaults: port settings, file names, English texts, an empty set-up.
    void loadDefaults();

    std::string languageFolder() const { return settings.languageFolder(); }
    std::string settingsFilePath() const { return (settingsFolder.empty() ? appFolder : settingsFolder) + kSettingsFileName; }
    std::string markerFilePath() const { return markerFolder + kMarkerFileName; }
};

// The window's settings to and from the settings file.
FileOutcome saveSettings(const WindowState& state, const std::string& path);
FileOutcome openSettings(WindowState& state, const std::string& path);
// The splash window's language: both folders and the "other" flag go into the state, the file
// name into splashLanguageFile. False, with nothing changed, when the file gives none.
bool readSplashLanguage(WindowState& state, const std::string& path, std::string& splashLanguageFile);

}  // namespace mmx
