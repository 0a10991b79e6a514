#pragma once
// The program's settings as a value: the serial port and its framing, the reply time-out, the
// language, and the folders and names the file dialogs start from. The settings file holds
// them between runs; its codec refuses a value that does not fit here, by line.
#include <cstdint>
#include <string>
#include <vector>

#include "core/line_settings.h"
#include "core/unit_facts.h"

namespace mmx {

inline constexpr int kComPorts = 10;

struct PortSettings {
    int16_t Commport = 1;  // Com1..Com10
    LineSettings line;
    int CommTimeOut = unit::kDefaultByteTimeOutMs;  // silence allowed per received byte, ms
    // A serial device server's address typed in the port menu ("rfc2217://host:4001"), offered
    // there again; when chosen it is the port instead of Commport.
    std::string networkPort;
    bool networkPortChosen = false;

    // "115200,N,8,2", as the status bar shows the framing.
    std::string settingsText() const {
        return std::to_string(line.baud) + "," + line.parity + "," + std::to_string(line.dataBits) + "," +
               std::to_string(line.stopBits);
    }
    bool operator==(const PortSettings&) const = default;
};

inline constexpr size_t kRecentSetups = 6;

struct Settings {
    static constexpr const char* kDefaultSetupFile = "MessageSetup.cfg";
    static constexpr const char* kDefaultLanguageFile = "en.lng";

    PortSettings port;
    std::string builtInLanguageFolder;  // the shipped language files; every folder ends with "/"
    std::string otherLanguageFolder;    // where a language file chosen with "other" was found
    bool otherLanguage = false;         // the language file lies in otherLanguageFolder
    std::string languageFile = kDefaultLanguageFile;
    std::string setupFolder;            // of the set-up file last opened or saved
    std::string setupFile = kDefaultSetupFile;
    std::string waveFolder;             // of the WAVE file last chosen
    std::vector<std::string> recentSetups;  // set-up files last opened or saved, newest first

    // The defaults for a program living in appPath whose data (the "Font" language files) lies
    // in dataPath; both end with "/", and an empty dataPath is appPath.
    static Settings defaultsFor(const std::string& appPath, const std::string& dataPath = {}) {
        Settings settings;
        settings.builtInLanguageFolder = (dataPath.empty() ? appPath : dataPath) + "Font/";
        settings.otherLanguageFolder = settings.builtInLanguageFolder;
        settings.setupFolder = appPath;
        settings.waveFolder = appPath;
        return settings;
    }
    std::string languageFolder() const { return otherLanguage ? otherLanguageFolder : builtInLanguageFolder; }
    bool operator==(const Settings&) const = default;
};

}  // namespace mmx
