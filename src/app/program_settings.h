#pragma once
// Where a front end finds its files, and the settings it starts with: the folder the program
// runs from, the folder of its shipped data, the folder its own files are written to, and the
// settings file read from there (the defaults when there is none).
#include <string>

#include "core/settings.h"
#include "storage/file_outcome.h"

namespace mmx::app {

struct ProgramFolders {
    std::string program;   // the executable's folder, ending with "/"
    std::string data;      // the shipped language files live in data + "Font/"
    std::string settings;  // "MMX4210.INI" and the upload record (created when missing)

    static ProgramFolders of(const std::string& programFolder);
};

struct LoadedSettings {
    Settings settings;    // the defaults where the file gave nothing
    FileOutcome outcome;  // a refused line, when the file had one (the values before it are taken)
    bool found = false;   // a settings file was there to read
};

LoadedSettings loadSettings(const ProgramFolders& folders);

}  // namespace mmx::app
