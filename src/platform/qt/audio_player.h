#pragma once
// The sound output the previews play through. The window only needs play, stop, "is it
// playing" and a notice when playback has ended, whatever the reason.
#include <functional>
#include <string>
#include <utility>

namespace mmx {

class AudioPlayer {
public:
    virtual ~AudioPlayer() = default;

    // Start playing the file at the given volume in hundredths of a decibel (-600 is -6 dB).
    // False when the file cannot be played at all; nothing is playing then.
    virtual bool play(const std::string& path, int volumeHundredthsDb) = 0;
    // Stop whatever plays; the stopped handler runs when something was playing.
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;

    // Runs on the window thread each time a playback has ended, was stopped or failed.
    void setStoppedHandler(std::function<void()> handler) { stoppedHandler_ = std::move(handler); }

protected:
    void notifyStopped() {
        if (stoppedHandler_) stoppedHandler_();
    }

private:
    std::function<void()> stoppedHandler_;
};

}  // namespace mmx
