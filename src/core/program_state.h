#pragma once
// The one state object of the program: the start-up globals, the editor's settings and
// texts, and the set-up being edited. Every layer is handed a reference to it.
#include <cstdint>
#include <string>

#include "core/message_table.h"
#include "core/settings.h"
#include "core/trigger_table.h"
#include "core/ui_text_table.h"

namespace mmx {

inline constexpr char kPathSeparator = '/';

// The folder with exactly one separator at its end ("" stays "").
std::string withTrailingSeparator(const std::string& folder);
// Everything up to and including the last separator ("" when there is none).
std::string folderOf(const std::string& path);
// Everything after the last separator.
std::string fileNameOf(const std::string& path);

struct ProgramState {
    static constexpr const char* kVersionText = " Ver. 2.3  ";
    static constexpr const char* kDesignCaption = "MMX 4210 Zanth Message Manager Setup ";
    static constexpr const char* kDefaultMessageFile = Settings::kDefaultSetupFile;
    static constexpr const char* kDefaultLanguageFile = Settings::kDefaultLanguageFile;
    static constexpr const char* kSettingsFileName = "MMX4210.INI";
    static constexpr const char* kMarkerFileName = "~MMX4210Temp";
    static constexpr const char* kEditorCaption = "MMX4210";

    // Start-up globals.
    bool SetupChanged = false;
    std::string VersionText = kVersionText;
    std::string FrameCaption;        // caption base (language line 11) + VersionText
    std::string frameWindowCaption;  // what the frame window shows now (FrameCaption + set-up name)
    std::string AppPath;             // program folder, ends with the separator
    std::string DataPath;            // language files, translations, help documents; ends with "/"
    std::string MarkerPath;          // folder of the single-instance marker file
    std::string SettingsFolder;      // folder "MMX4210.INI" is written to; empty: AppPath
    std::string RunningCaption;      // caption read from the marker file
    std::string CloseText = "Close";

    // What the settings file keeps.
    Settings settings;
    bool MessagesUploaded = false;  // the unit holds the messages of this set-up
    UiTextTable texts;

    // The set-up being edited.
    MessageTable messages;
    TriggerTable triggers;

    // Start-up (globals and folders for a program living in appFolder, its data in dataFolder,
    // by default the same) followed by the editor's load-time defaults.
    void initialise(const std::string& appFolder, const std::string& dataFolder = {});
    // The editor's load-time defaults: port settings, file names, English texts.
    void loadDefaults();

    // Folder of the current language file.
    std::string languageFolder() const { return settings.languageFolder(); }
    std::string settingsFilePath() const { return (SettingsFolder.empty() ? AppPath : SettingsFolder) + kSettingsFileName; }
    std::string markerFilePath() const { return MarkerPath + kMarkerFileName; }
};

}  // namespace mmx
