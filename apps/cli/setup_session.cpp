#include "setup_session.h"

#include <iostream>

#include "cli_command.h"
#include "storage/settings_folder.h"
#include "storage/setup_file.h"
#include "ui/lang/language_menu.h"

namespace mmx::cli {

SetupSession::SetupSession() {
    state.initialise(programFolder());
    state.SettingsFolder = chooseSettingsFolder(state.AppPath);
    NoFileDialog dialog;
    LanguageCommands languages(state, captions, dialog, boxes);
    activateEditor(state, languages, boxes);
    // A broken settings or language file leaves the defaults, as the desktop program does;
    // the command's own result is what counts here.
    boxes.texts.clear();
}

bool SetupSession::open(const std::string& path, const std::string& command) {
    const FileOutcome outcome = OpenConfig(state, path);
    if (outcome) return true;
    // The message the window shows, and what exactly is wrong (with the line number).
    std::cerr << "mmx4210-cli " << command << ": " << path << ": "
              << state.texts.messageBox(UiTextTable::SetupFileMissing) << " (" << outcome.reason() << ")\n";
    return false;
}

}  // namespace mmx::cli
