#pragma once
// A slot's sound at a glance: a small picture of its waveform beside the slot's name, with
// the places where it clips in red. Its tooltip gives loudness and true peak, and says when
// the slot holds a spoken draft.
#include <QWidget>
#include <memory>

#include "audio/waveform.h"

namespace mmx {

class WaveformView final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 72;

    explicit WaveformView(QWidget* parent = nullptr);

    // Nothing to show (an empty slot).
    void clear();
    // The file is being read.
    void showReading();
    void showSummary(std::shared_ptr<const audio::WaveformSummary> summary, bool draft);

    bool showsWaveform() const { return summary_ && summary_->ok; }
    const audio::WaveformSummary* summary() const { return summary_.get(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const audio::WaveformSummary> summary_;
    bool reading_ = false;
};

// "Loudness -16.0 LUFS, true peak -1.2 dBTP" and what else the tooltip says.
QString waveformToolTip(const audio::WaveformSummary& summary, bool draft);

}  // namespace mmx
