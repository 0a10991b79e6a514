#pragma once
// Scripted stand-ins for what the windows ask of the desktop: the shared scripted dialogs, a
// silent audio player, a recording viewer, and a gate on the line to the unit.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "device/byte_port.h"

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

// While held, whatever is written to a gated port waits: an upload stays in progress until the
// test has done what it does during one, however fast the machine is.
class PortGate {
public:
    void hold() { set(false); }
    void release() { set(true); }
    void pass() {
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
    }

private:
    void set(bool open) {
        const std::lock_guard lock(mutex_);
        open_ = open;
        opened_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = true;
};

class GatedPort final : public BytePort {
public:
    GatedPort(std::unique_ptr<BytePort> line, PortGate& gate) : line_(std::move(line)), gate_(gate) {}
    bool open(std::string& error) override { return line_->open(error); }
    void close() override { line_->close(); }
    bool isOpen() const override { return line_->isOpen(); }
    bool write(std::span<const uint8_t> bytes) override {
        gate_.pass();
        return line_->write(bytes);
    }
    long read(std::span<uint8_t> out, int timeoutMs) override { return line_->read(out, timeoutMs); }
    std::string description() const override { return line_->description(); }

private:
    std::unique_ptr<BytePort> line_;
    PortGate& gate_;
};

}  // namespace mmx::test
