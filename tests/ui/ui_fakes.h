#pragma once
// Scripted stand-ins for what the windows ask of the desktop: the shared scripted dialogs, a
// silent audio player, a recording viewer.
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "support/fake_dialogs.h"
#include "platform/qt/audio_player.h"
#include "platform/qt/document_viewer.h"

namespace mmx::test {

using ScriptedDialog = ScriptedFileDialog;

// The window's boxes: an unanswered question is cancelled.
struct ScriptedBoxes final : RecordingMessageBoxes {
    ScriptedBoxes() { cancelWhenUnanswered = true; }
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
