#pragma once
// The File menu commands on the set-up file: Open, Save, Save as and Save as text file.
// The window supplies the dialogs; tests answer them with scripted ones.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/app/dialogs.h"
#include "ui/app/window_state.h"
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
    SetupFileCommands(WindowState& state, FileDialog& dialog, MessageBoxes& boxes);

    // Runs whenever frameWindowCaption changed: the window shows it and rewrites the
    // single-instance marker file.
    void setCaptionChanged(std::function<void()> callback) { captionChanged_ = std::move(callback); }

    // File > Open: asks about unsaved changes first as closing does (Yes saves as
    // saveUnderItsName() does, and a save that fails or is cancelled stops the open; Cancel
    // stops it too), then lets the user pick a set-up file and opens it.
    FileCommandResult open();
    // The question open() asks before another set-up replaces unsaved edits: Done when the
    // edits were saved, given up (No) or there were none; anything else stops the open.
    FileCommandResult settleUnsavedEdits();
    // Opens the set-up file at path as open() does once a file was picked (a file handed to
    // the program when it starts, for example by the file manager). A file that cannot be
    // opened leaves everything as it was: the set-up, its name, the file Save writes to, the
    // unsaved mark and the undo history.
    FileCommandResult openFile(const std::string& path);
    // The filled slots of the set-up last opened whose WAVE file is not there.
    const std::vector<int>& missingFiles() const { return missingFiles_; }
    // Whether the set-up in the editor has a file of its own: it was opened or saved in this
    // run. A set-up that never had one is saved through the dialog (Save as).
    bool named() const { return named_; }
    // Save when the set-up has a file of its own, else Save as (Ctrl+S, the close question).
    FileCommandResult saveUnderItsName();
    // Full path of the last file written by Save or Save as.
    const std::string& lastSavedPath() const { return lastSavedPath_; }
    // File > Save: writes the set-up under setupFileNameForSave(MessageFile) in strMSGFilePath.
    FileCommandResult save();
    // File > Save as: lets the user pick a name; the caption shows it only after the save worked.
    FileCommandResult saveAs();
    // File > Save as text file: lets the user pick a name (default "PrintSetup.txt") and writes
    // the printout. Done: path is the written file, for the text viewer. Failed: path names the
    // file that could not be written, written says why; the viewer must not show anything.
    struct PrintoutOutcome {
        FileCommandResult result = FileCommandResult::Cancelled;
        std::string path;
        FileOutcome written;
    };
    PrintoutOutcome saveAsTextFile(const PrintoutCaptions& captions);
    // Folder the printout dialog starts in (the folder of the last printout); empty: the
    // set-up's folder.
    std::string printoutFolder;

    // The dialog requests the commands make (also used by tests).
    FileDialogRequest setupDialogRequest(FileDialogRequest::Mode mode) const;
    FileDialogRequest printoutDialogRequest() const;

private:
    void showFileInCaption(const std::string& fileName);

    WindowState& state_;
    FileDialog& dialog_;
    MessageBoxes& boxes_;
    std::function<void()> captionChanged_;
    bool named_ = false;
    std::string lastSavedPath_;
    std::vector<int> missingFiles_;
};

// The filled slots whose file is not a regular file now.
std::vector<int> slotsWithMissingFiles(const Setup& setup);

}  // namespace mmx
