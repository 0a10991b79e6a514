#include "ui/app/setup_commands.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/setup_files.h"
#include "storage/setup_codec.h"
#include "ui/app/file_alerts.h"

namespace mmx {

namespace {

bool endsWithCfg(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    for (auto& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail == kSetupFileExtension;
}

}  // namespace

std::string setupFileNameForSave(const std::string& name) {
    if (name.empty()) return WindowState::kDefaultSetupFile;
    // "my.setup.cfg" stays: cutting at the first "." would write (and overwrite) "my.cfg".
    if (endsWithCfg(name)) return name;
    return name.substr(0, name.find('.')) + kSetupFileExtension;
}

SetupFileCommands::SetupFileCommands(WindowState& state, FileDialog& dialog, MessageBoxes& boxes)
    : state_(state), dialog_(dialog), boxes_(boxes) {}

FileDialogRequest SetupFileCommands::setupDialogRequest(FileDialogRequest::Mode mode) const {
    FileDialogRequest request;
    request.mode = mode;
    request.filter = kSetupFileFilter;
    request.filterIndex = 2;
    request.fileName = state_.settings.setupFile.empty() ? WindowState::kDefaultSetupFile : state_.settings.setupFile;
    request.initialFolder = state_.settings.setupFolder;
    return request;
}

FileDialogRequest SetupFileCommands::printoutDialogRequest() const {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filter = kPrintoutFilter;
    request.filterIndex = 2;
    request.fileName = kDefaultPrintoutFile;
    request.initialFolder = printoutFolder.empty() ? state_.settings.setupFolder : printoutFolder;
    // An installed program's folder is not writable: start in the user's home folder then.
    const char* home = std::getenv("HOME");
    if (access(request.initialFolder.c_str(), W_OK) != 0 && home != nullptr && home[0] == '/') {
        request.initialFolder = withTrailingSeparator(home);
    }
    return request;
}

void SetupFileCommands::showFileInCaption(const std::string& fileName) {
    state_.frameWindowCaption = state_.frameCaption + fileName;
    if (captionChanged_) captionChanged_();
}

FileCommandResult SetupFileCommands::settleUnsavedEdits() {
    if (!state_.setupChanged()) return FileCommandResult::Done;
    // The edits are not given up for the other file unless they were really saved or the
    // operator said No; Cancel (and Esc) keeps them without opening anything.
    switch (boxes_.ask(state_.texts.saveQuestion(), state_.frameWindowCaption, true)) {
        case QuestionAnswer::Yes:
            return saveUnderItsName();
        case QuestionAnswer::No:
            return FileCommandResult::Done;
        case QuestionAnswer::Cancel:
            break;
    }
    return FileCommandResult::Cancelled;
}

FileCommandResult SetupFileCommands::open() {
    if (const FileCommandResult settled = settleUnsavedEdits(); settled != FileCommandResult::Done) return settled;
    if (state_.settings.setupFile.empty()) state_.settings.setupFile = WindowState::kDefaultSetupFile;
    const auto chosen = dialog_.show(setupDialogRequest(FileDialogRequest::Mode::Open));
    if (!chosen || fileNameOf(*chosen).empty()) return FileCommandResult::Cancelled;
    return openFile(*chosen);
}

FileCommandResult SetupFileCommands::openFile(const std::string& chosen) {
    const std::string fileName = fileNameOf(chosen);
    const std::string folder = folderOf(chosen);
    const std::string path = folder + fileName;
    const app::OpenedSetup opened = app::openSetup(path);
    if (!reportFileOutcome(boxes_, state_.texts, UiTextTable::SetupFileMissing, path, opened.outcome))
        return FileCommandResult::Failed;
    state_.settings.setupFile = fileName;
    state_.settings.setupFolder = folder;
    state_.beginSetup(*opened.setup);
    state_.messagesUploaded = true;
    missingFiles_ = slotsWithMissingFiles(state_.setup);
    named_ = true;
    showFileInCaption(state_.settings.setupFile);
    return FileCommandResult::Done;
}

FileCommandResult SetupFileCommands::save() {
    state_.settings.setupFile = setupFileNameForSave(state_.settings.setupFile);
    const std::string path = state_.settings.setupFolder + state_.settings.setupFile;
    if (!reportFileOutcome(boxes_, state_.texts, UiTextTable::SetupFileMissing, path, app::saveSetup(path, state_.setup)))
        return FileCommandResult::Failed;
    state_.markSaved();
    named_ = true;
    lastSavedPath_ = path;
    return FileCommandResult::Done;
}

FileCommandResult SetupFileCommands::saveUnderItsName() { return named_ ? save() : saveAs(); }

FileCommandResult SetupFileCommands::saveAs() {
    const auto chosen = dialog_.show(setupDialogRequest(FileDialogRequest::Mode::Save));
    if (!chosen || fileNameOf(*chosen).empty()) return FileCommandResult::Cancelled;

    const std::string fileName = setupFileNameForSave(fileNameOf(*chosen));
    const std::string folder = folderOf(*chosen);
    if (!reportFileOutcome(boxes_, state_.texts, UiTextTable::SetupFileMissing, folder + fileName,
                           app::saveSetup(folder + fileName, state_.setup)))
        return FileCommandResult::Failed;
    state_.settings.setupFile = fileName;
    state_.settings.setupFolder = folder;
    state_.markSaved();
    named_ = true;
    lastSavedPath_ = folder + fileName;
    showFileInCaption(fileName);
    return FileCommandResult::Done;
}

SetupFileCommands::PrintoutOutcome SetupFileCommands::saveAsTextFile(const PrintoutCaptions& captions) {
    PrintoutOutcome outcome;
    const auto chosen = dialog_.show(printoutDialogRequest());
    if (!chosen) return outcome;
    outcome.path = chosen->empty() ? std::string(kDefaultPrintoutFile) : *chosen;
    // A failed write is never handed to the viewer: it would show an older printout there.
    outcome.written = app::printSetup(outcome.path, state_.setup, captions);
    if (!outcome.written) {
        outcome.result = FileCommandResult::Failed;
        return outcome;
    }
    printoutFolder = folderOf(outcome.path);
    outcome.result = FileCommandResult::Done;
    return outcome;
}

std::vector<int> slotsWithMissingFiles(const Setup& setup) {
    std::vector<int> missing;
    for (int k = 1; k <= unit::kSlots; ++k) {
        const Slot& slot = setup.slot(k);
        std::error_code error;
        if (slot.filled() && !std::filesystem::is_regular_file(slot.path, error)) missing.push_back(k);
    }
    return missing;
}

}  // namespace mmx
