#pragma once
// Scripted stand-ins for what the windows ask of the desktop: file dialogs answered from a
// list, message boxes that record and answer, a silent audio player, a recording viewer.
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/app/dialogs.h"
#include "platform/qt/audio_player.h"
#include "platform/qt/document_viewer.h"

namespace mmx::test {

class ScriptedDialog final : public FileDialog {
public:
    std::optional<std::string> show(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<std::string>> answers;  // nothing: the user cancels
    std::vector<FileDialogRequest> requests;
};

class ScriptedBoxes final : public MessageBoxes {
public:
    struct Shown {
        std::string text;
        std::string title;
        bool question = false;
    };
    void alert(const std::string& text, const std::string& title) override { shown.push_back({text, title, false}); }
    QuestionAnswer ask(const std::string& text, const std::string& title, bool withCancel) override {
        shown.push_back({text, title, true});
        lastQuestionHadCancel = withCancel;
        if (answers.empty()) return QuestionAnswer::Cancel;
        const QuestionAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void inform(const std::string& text, const std::string&) override { notices.push_back(text); }
    std::vector<Shown> shown;
    std::vector<std::string> notices;  // boxes that hold nothing up
    std::deque<QuestionAnswer> answers;
    bool lastQuestionHadCancel = false;
};

// Plays nothing: a preview "plays" until finish() or stop().
class FakePlayer final : public AudioPlayer {
public:
    bool play(const std::string& path, int volume) override {
        played.push_back(path);
        volumes.push_back(volume);
        if (unplayable.count(path) != 0 || path.empty()) return false;
        playing_ = true;
        return true;
    }
    void stop() override {
        if (!playing_) return;
        playing_ = false;
        notifyStopped();
    }
    bool isPlaying() const override { return playing_; }
    // The message that plays has come to its end.
    void finish() { stop(); }

    std::vector<std::string> played;
    std::vector<int> volumes;
    std::set<std::string> unplayable;

private:
    bool playing_ = false;
};

class RecordingViewer final : public DocumentViewer {
public:
    bool show(const std::string& path) override {
        shown.push_back(path);
        return starts;
    }
    std::vector<std::string> shown;
    bool starts = true;
};

}  // namespace mmx::test
