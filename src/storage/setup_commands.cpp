#include "storage/setup_commands.h"

#include <unistd.h>

#include <cstdlib>

#include "storage/setup_file.h"

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
    if (name.empty()) return ProgramState::kDefaultMessageFile;
    // "my.setup.cfg" stays: cutting at the first "." would write (and overwrite) "my.cfg".
    if (endsWithCfg(name)) return name;
    return name.substr(0, name.find('.')) + kSetupFileExtension;
}

SetupFileCommands::SetupFileCommands(ProgramState& state, FileDialog& dialog, MessageBoxes& boxes)
    : state_(state), dialog_(dialog), boxes_(boxes) {}

FileDialogRequest SetupFileCommands::setupDialogRequest(FileDialogRequest::Mode mode) const {
    FileDialogRequest request;
    request.mode = mode;
    request.filter = kSetupFileFilter;
    request.filterIndex = 2;
    request.fileName = state_.MessageFile.empty() ? ProgramState::kDefaultMessageFile : state_.MessageFile;
    request.initialFolder = state_.strMSGFilePath;
    return request;
}

FileDialogRequest SetupFileCommands::printoutDialogRequest() const {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filter = kPrintoutFilter;
    request.filterIndex = 2;
    request.fileName = kDefaultPrintoutFile;
    // An installed program's folder is not writable: start in the user's home folder then.
    request.initialFolder = state_.AppPath;
    const char* home = std::getenv("HOME");
    if (access(state_.AppPath.c_str(), W_OK) != 0 && home != nullptr && home[0] == '/') {
        request.initialFolder = withTrailingSeparator(home);
    }
    return request;
}

void SetupFileCommands::showFileInCaption(const std::string& fileName) {
    state_.frameWindowCaption = state_.FrameCaption + fileName;
    if (captionChanged_) captionChanged_();
}

FileCommandResult SetupFileCommands::open() {
    if (state_.SetupChanged) {
        const auto answer = boxes_.ask(state_.texts.saveQuestion(), state_.frameWindowCaption, false);
        if (answer == QuestionAnswer::Yes) save();
    }
    if (state_.MessageFile.empty()) state_.MessageFile = ProgramState::kDefaultMessageFile;
    const auto chosen = dialog_.show(setupDialogRequest(FileDialogRequest::Mode::Open));
    if (!chosen || fileNameOf(*chosen).empty()) return FileCommandResult::Cancelled;

    state_.MessageFile = fileNameOf(*chosen);
    state_.strMSGFilePath = folderOf(*chosen);
    if (!OpenConfig(state_, state_.strMSGFilePath + state_.MessageFile, boxes_)) return FileCommandResult::Failed;
    showFileInCaption(state_.MessageFile);
    state_.SetupChanged = false;
    return FileCommandResult::Done;
}

FileCommandResult SetupFileCommands::save() {
    state_.MessageFile = setupFileNameForSave(state_.MessageFile);
    if (!SaveConfig(state_, state_.strMSGFilePath + state_.MessageFile, boxes_)) return FileCommandResult::Failed;
    state_.SetupChanged = false;
    return FileCommandResult::Done;
}

FileCommandResult SetupFileCommands::saveAs() {
    const auto chosen = dialog_.show(setupDialogRequest(FileDialogRequest::Mode::Save));
    if (!chosen || fileNameOf(*chosen).empty()) return FileCommandResult::Cancelled;

    const std::string fileName = setupFileNameForSave(fileNameOf(*chosen));
    const std::string folder = folderOf(*chosen);
    if (!SaveConfig(state_, folder + fileName, boxes_)) return FileCommandResult::Failed;
    state_.MessageFile = fileName;
    state_.strMSGFilePath = folder;
    state_.SetupChanged = false;
    showFileInCaption(fileName);
    return FileCommandResult::Done;
}

std::optional<std::string> SetupFileCommands::saveAsTextFile(const PrintoutCaptions& captions) {
    const auto chosen = dialog_.show(printoutDialogRequest());
    if (!chosen) return std::nullopt;
    const std::string target = chosen->empty() ? std::string(kDefaultPrintoutFile) : *chosen;
    PrintOutTxt(state_, captions, target);
    return target;
}

}  // namespace mmx
