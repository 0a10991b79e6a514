#include "platform/qt/qt_audio_player.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace mmx {

QtAudioPlayer::QtAudioPlayer(QObject* parent) : QObject(parent) {}

QtAudioPlayer::~QtAudioPlayer() {
    if (player_ != nullptr) {
        // No notices to a handler whose owner may already be gone.
        player_->disconnect(this);
        player_->stop();
    }
}

float QtAudioPlayer::linearVolume(int volumeHundredthsDb) {
    const double gain = std::pow(10.0, static_cast<double>(volumeHundredthsDb) / 2000.0);
    return static_cast<float>(std::clamp(gain, 0.0, 1.0));
}

void QtAudioPlayer::ensurePlayer() {
    if (player_ != nullptr) return;
    // Created on first use: the media back end costs start-up time the editor need not pay.
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    connect(player_, &QMediaPlayer::playbackStateChanged, this, [this](QMediaPlayer::PlaybackState state) {
        if (state == QMediaPlayer::StoppedState) finish();
    });
    connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString&) {
        player_->stop();
        finish();
    });
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia || status == QMediaPlayer::EndOfMedia) finish();
    });
}

bool QtAudioPlayer::play(const std::string& path, int volumeHundredthsDb) {
    const QString file = QString::fromStdString(path);
    if (path.empty() || !QFileInfo(file).isFile()) return false;
    if (QMediaDevices::audioOutputs().isEmpty()) return false;  // nowhere to play: end quietly
    ensurePlayer();
    if (player_ == nullptr) return false;
    output_->setVolume(linearVolume(volumeHundredthsDb));
    player_->setSource(QUrl::fromLocalFile(file));
    playing_ = true;
    player_->play();
    if (player_->error() != QMediaPlayer::NoError) {
        player_->stop();
        playing_ = false;
        return false;
    }
    return playing_;
}

void QtAudioPlayer::stop() {
    if (player_ == nullptr || !playing_) return;
    player_->stop();
    finish();
}

void QtAudioPlayer::finish() {
    if (!playing_) return;
    playing_ = false;
    notifyStopped();
}

}  // namespace mmx
