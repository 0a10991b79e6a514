#pragma once
// How a file that could not be read or written is reported to the operator: the message-box
// text of the UI-text table, then the file and what is wrong with it.
#include <functional>
#include <string>

#include "core/file_paths.h"
#include "storage/file_outcome.h"
#include "ui/app/dialogs.h"
#include "ui/app/window_state.h"
#include "ui/lang/ui_text_table.h"

namespace mmx {

// The words for what is wrong with a file ("line 12: ..."). The window sets words in the
// language in use; without them the outcome's own English reason is shown.
using FileProblemWording = std::function<std::string(const FileOutcome&)>;
inline FileProblemWording& fileProblemWording() {
    static FileProblemWording wording;
    return wording;
}

inline std::string fileReasonText(const FileOutcome& outcome) {
    return fileProblemWording() ? fileProblemWording()(outcome) : outcome.reason();
}

// "Configuration file cannot be found!" followed by "morning.cfg, line 12: ...".
inline std::string fileFailureText(const UiTextTable& texts, int messageBoxIndex, const std::string& path,
                                   const FileOutcome& outcome) {
    std::string text = texts.messageBox(messageBoxIndex);
    if (!outcome.problem.empty()) {
        text += "\n\n" + fileNameOf(path) + (outcome.line > 0 ? ", " : ": ") + fileReasonText(outcome);
    }
    return text;
}

// Shows the failure, titled with the editor's caption; returns whether the outcome was a success.
inline bool reportFileOutcome(MessageBoxes& boxes, const UiTextTable& texts, int messageBoxIndex,
                              const std::string& path, const FileOutcome& outcome) {
    if (!outcome) boxes.alert(fileFailureText(texts, messageBoxIndex, path, outcome), WindowState::kEditorCaption);
    return outcome.ok;
}

}  // namespace mmx
