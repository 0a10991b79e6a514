#pragma once
// Previews on the desktop's sound output through Qt Multimedia. Without a sound device, or
// with a file the back end cannot decode, a preview ends at once and quietly.
#include <QObject>

#include "platform/qt/audio_player.h"

class QAudioOutput;
class QMediaPlayer;

namespace mmx {

class QtAudioPlayer final : public QObject, public AudioPlayer {
    Q_OBJECT
public:
    explicit QtAudioPlayer(QObject* parent = nullptr);
    ~QtAudioPlayer() override;

    bool play(const std::string& path, int volumeHundredthsDb) override;
    void stop() override;
    bool isPlaying() const override { return playing_; }

    // Linear gain for a volume in hundredths of a decibel (-600 -> about 0.5).
    static float linearVolume(int volumeHundredthsDb);

private:
    void ensurePlayer();
    void finish();

    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    bool playing_ = false;
};

}  // namespace mmx
