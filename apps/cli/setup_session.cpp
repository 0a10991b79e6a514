#include "setup_session.h"

#include <iostream>

#include "app/setup_files.h"
#include "cli_command.h"
#include "storage/settings_folder.h"
#include "ui/lang/language_menu.h"

namespace mmx::cli {

SetupSession::SetupSession() {
    state.initialise(programFolder());
    state.settingsFolder = chooseSettingsFolder(state.appFolder);
    NoFileDialog dialog;
    LanguageCommands languages(state, captions, dialog, boxes);
    activateEditor(state, languages, boxes);
    // A broken settings or language file leaves the defaults, as the desktop program does;
    // the command's own result is what counts here.
    boxes.texts.clear();
}

FileOutcome openSetupInto(WindowState& state, const std::string& path) {
    app::OpenedSetup opened = app::openSetup(path);
    if (!opened.setup) return opened.outcome;
    state.beginSetup(*opened.setup);
    state.messagesUploaded = true;
    return FileOutcome::success();
}

bool SetupSession::open(const std::string& path, const std::string& command) {
    const FileOutcome outcome = openSetupInto(state, path);
    if (outcome) return true;
    // The message the window shows, and what exactly is wrong (with the line number).
    std::cerr << "mmx4210-cli " << command << ": " << path << ": "
              << state.texts.messageBox(UiTextTable::SetupFileMissing) << " (" << outcome.reason() << ")\n";
    return false;
}

}  // namespace mmx::cli
