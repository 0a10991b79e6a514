#pragma once
// How a file that could not be read or written is reported to the operator: the message-box
// text of the UI-text table, then the file and what is wrong with it.
#include <string>

#include "core/program_state.h"
#include "storage/file_outcome.h"
#include "ui/app/dialogs.h"

namespace mmx {

// "Configuration file cannot be found!" followed by "morning.cfg, line 12: ...".
inline std::string fileFailureText(const UiTextTable& texts, int messageBoxIndex, const std::string& path,
                                   const FileOutcome& outcome) {
    std::string text = texts.messageBox(messageBoxIndex);
    if (!outcome.problem.empty()) {
        text += "\n\n" + fileNameOf(path);
        text += outcome.line > 0 ? ", " + outcome.reason() : ": " + outcome.problem;
    }
    return text;
}

// Shows the failure, titled with the editor's caption; returns whether the outcome was a success.
inline bool reportFileOutcome(MessageBoxes& boxes, const UiTextTable& texts, int messageBoxIndex,
                              const std::string& path, const FileOutcome& outcome) {
    if (!outcome) boxes.alert(fileFailureText(texts, messageBoxIndex, path, outcome), ProgramState::kEditorCaption);
    return outcome.ok;
}

}  // namespace mmx
