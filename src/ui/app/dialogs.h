#pragma once
// What the editor asks of the window: file dialogs and message boxes. The window answers
// with real dialogs; tests answer with scripted ones.
#include <optional>
#include <string>

namespace mmx {

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    // "Name (*.ext)|*.ext|Name (*.x)|*.x", pairs of label and pattern separated by "|".
    std::string filter;
    int filterIndex = 1;         // 1-based preselected filter
    std::string fileName;        // proposed name
    std::string initialFolder;   // empty: wherever the dialog was last
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<std::string> show(const FileDialogRequest& request) = 0;
};

enum class QuestionAnswer { Yes, No, Cancel };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Beep, then a modal box with one OK button.
    virtual void alert(const std::string& text, const std::string& title) = 0;
    // Beep, then a modal box with Yes/No (withCancel false) or Yes/No/Cancel.
    virtual QuestionAnswer ask(const std::string& text, const std::string& title, bool withCancel) = 0;
    // A result worth a box that does not hold anything up (no beep, no waiting for OK).
    virtual void inform(const std::string& text, const std::string& title) { alert(text, title); }
};

}  // namespace mmx
