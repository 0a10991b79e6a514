#pragma once
// Dialogs of a program without windows: files come from the command line, so no file dialog is
// ever shown, and message-box texts are collected for the caller to print.
#include <optional>
#include <string>
#include <vector>

#include "ui/app/dialogs.h"

namespace mmx::cli {

class NoFileDialog : public FileDialog {
public:
    std::optional<std::string> show(const FileDialogRequest&) override { return std::nullopt; }
};

class CollectedBoxes : public MessageBoxes {
public:
    std::vector<std::string> texts;
    void alert(const std::string& text, const std::string&) override { texts.push_back(text); }
    QuestionAnswer ask(const std::string& text, const std::string&, bool) override {
        texts.push_back(text);
        return QuestionAnswer::No;
    }
};

}  // namespace mmx::cli
