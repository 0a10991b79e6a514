#pragma once
// The everyday conveniences around the frame and editor windows: files dropped on slots,
// recent set-ups, waveforms, sequence export, spoken drafts and the upload time line. They
// attach to the windows from outside, through the windows' controls and signals.
#include <QObject>
#include <memory>
#include <string>

#include "audio/spoken_draft.h"
#include "ui/app/table_cells.h"
#include "ui/app/window_state.h"
#include "ui/app/dialogs.h"

class QTimer;

namespace mmx {

class DraftCommand;
class FrameWindow;
class RecentSetups;
class SequenceExport;
class SlotDrop;
class UploadEstimateLabel;
class WaveformStrip;

class EditorExtensions final : public QObject {
    Q_OBJECT
public:
    struct Services {
        FileDialog* dialog = nullptr;
        MessageBoxes* boxes = nullptr;
        std::shared_ptr<const audio::SpeechSynthesiser> speech;  // none: the espeak-ng program
    };

    EditorExtensions(FrameWindow& frame, WindowState& state, Services services);
    ~EditorExtensions() override;

    // Opens a set-up file handed over from outside the File menu (dropped, chosen from the
    // recent list, given to another start), asking about unsaved changes first. True when it
    // was opened.
    bool openSetup(const std::string& path);
    // The waveforms and the time line follow the set-up (after any change).
    void follow();

    SlotDrop& drop() { return *drop_; }
    RecentSetups& recent() { return *recent_; }
    WaveformStrip& waveforms() { return *waveforms_; }
    SequenceExport& sequenceExport() { return *export_; }
    DraftCommand& drafts() { return *drafts_; }
    UploadEstimateLabel* estimateLabel() const { return estimate_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void noteNamedSetup();
    void applyTexts();

    FrameWindow& frame_;
    WindowState& state_;
    Services services_;
    SlotDrop* drop_ = nullptr;
    RecentSetups* recent_ = nullptr;
    WaveformStrip* waveforms_ = nullptr;
    SequenceExport* export_ = nullptr;
    DraftCommand* drafts_ = nullptr;
    UploadEstimateLabel* estimate_ = nullptr;
    QTimer* follower_ = nullptr;
};

}  // namespace mmx
