#pragma once
// The File menu commands on the set-up file: Open, Save, Save as and Save as text file.
// The window supplies the dialogs; tests answer them with scripted ones.
#include <functional>
#include <optional>
#include <string>

#include "core/dialogs.h"
#include "core/program_state.h"
#include "storage/printout.h"

namespace mmx {

enum class FileCommandResult { Done, Cancelled, Failed };

// Filter strings of the file dialogs ("label|pattern|label|pattern").
inline constexpr const char* kSetupFileFilter = "All Files (*.*)|*.*|Message Files (*.cfg)|*.cfg";
inline constexpr const char* kPrintoutFilter = "All Files (*.*)|*.*|Text Files (*.txt)|*.txt";

// The name Save writes under: a name ending with ".cfg" (any letter case) stays as it is;
// another name becomes its text before the first "." followed by ".cfg"; a name without "."
// gets ".cfg" appended; an empty name becomes "MessageSetup.cfg".
std::string setupFileNameForSave(const std::string& name);

class SetupFileCommands {
public:
    SetupFileCommands(ProgramState& state, FileDialog& dialog, MessageBoxes& boxes);

    // Runs whenever frameWindowCaption changed: the window shows it and rewrites the
    // single-instance marker file.
    void setCaptionChanged(std::function<void()> callback) { captionChanged_ = std::move(callback); }

    // File > Open: asks to save unsaved changes first (Yes/No), then lets the user pick a
    // set-up file and opens it. SetupChanged is cleared only when the file was opened.
    FileCommandResult open();
    // File > Save: writes the set-up under setupFileNameForSave(MessageFile) in strMSGFilePath.
    FileCommandResult save();
    // File > Save as: lets the user pick a name; the caption shows it only after the save worked.
    FileCommandResult saveAs();
    // File > Save as text file: lets the user pick a name (default "PrintSetup.txt") and writes
    // the printout. Returns the path the text viewer should show (also when writing failed),
    // nothing when the dialog was cancelled.
    std::optional<std::string> saveAsTextFile(const PrintoutCaptions& captions);

    // The dialog requests the commands make (also used by tests).
    FileDialogRequest setupDialogRequest(FileDialogRequest::Mode mode) const;
    FileDialogRequest printoutDialogRequest() const;

private:
    void showFileInCaption(const std::string& fileName);

    ProgramState& state_;
    FileDialog& dialog_;
    MessageBoxes& boxes_;
    std::function<void()> captionChanged_;
};

}  // namespace mmx
