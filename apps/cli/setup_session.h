#pragma once
// What the set-up commands share: the program state as the desktop program would have it
// (settings file and language loaded, silently), and a set-up file opened into it.
#include <string>
#include <vector>

#include "core/dialogs.h"
#include "core/program_state.h"
#include "ui/lang/caption_table.h"

namespace mmx::cli {

// Message boxes of a program without windows: the texts are collected for the caller to print.
class CollectedBoxes : public MessageBoxes {
public:
    std::vector<std::string> texts;
    void alert(const std::string& text, const std::string&) override { texts.push_back(text); }
    QuestionAnswer ask(const std::string& text, const std::string&, bool) override {
        texts.push_back(text);
        return QuestionAnswer::No;
    }
};

struct SetupSession {
    ProgramState state;
    CaptionTable captions;
    CollectedBoxes boxes;

    // Settings and language of the installed program, as at its start.
    SetupSession();
    // Opens the set-up file; on failure prints "<path>: <the system's text>" to stderr.
    bool open(const std::string& path, const std::string& command);
};

}  // namespace mmx::cli
