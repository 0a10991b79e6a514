#pragma once
// Dialogs answered by the test: a queue of chosen paths (nothing = cancel) and a record of
// every message box shown, with scripted answers to questions.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/app/dialogs.h"

namespace mmx::test {

class ScriptedFileDialog : public FileDialog {
public:
    std::deque<std::optional<std::string>> answers;
    std::vector<FileDialogRequest> requests;

    void choose(const std::string& path) { answers.emplace_back(path); }
    void cancel() { answers.emplace_back(std::nullopt); }

    std::optional<std::string> show(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        std::string title;
        bool question = false;
    };
    std::vector<Shown> shown;
    std::vector<std::string> notices;  // boxes that hold nothing up
    std::deque<QuestionAnswer> answers;
    bool lastQuestionHadCancel = false;
    bool cancelWhenUnanswered = false;  // else No to a Yes/No question

    void alert(const std::string& text, const std::string& title) override { shown.push_back({text, title, false}); }
    QuestionAnswer ask(const std::string& text, const std::string& title, bool withCancel) override {
        shown.push_back({text, title, true});
        lastQuestionHadCancel = withCancel;
        if (answers.empty()) return withCancel || cancelWhenUnanswered ? QuestionAnswer::Cancel : QuestionAnswer::No;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void inform(const std::string& text, const std::string&) override { notices.push_back(text); }
    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const auto& s : shown) result.push_back(s.text);
        return result;
    }
};

}  // namespace mmx::test
