#pragma once
// The editor window: the 12 message rows, the 12 trigger rows, the connection indicator, the
// upload button with its progress bar and caption, and the three-panel status bar. It wires
// the controls to the editor, the connection and the previews; the rules live there.
#include <QWidget>
#include <array>
#include <atomic>
#include <functional>
#include <memory>

#include "ui/app/dialogs.h"
#include "ui/app/editor.h"
#include "core/program_state.h"
#include "device/clock.h"
#include "device/connection.h"
#include "device/upload_driver.h"
#include "platform/qt/audio_player.h"
#include "ui/lang/caption_table.h"
#include "ui/qt/preview_controller.h"
#include "ui/link/link_text_presenter.h"
#include "ui/link/upload_job.h"
#include "ui/qt/window_status_display.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;

namespace mmx {

class AdaptiveTables;
class ConnectionIndicator;
class MemoryGauge;
class UnitAudioOffer;
class SequenceCombo;
class UploadRunner;

// What the editor needs from the desktop (real dialogs and sound in the program; scripted
// ones in tests).
struct EditorServices {
    FileDialog* dialog = nullptr;
    MessageBoxes* boxes = nullptr;
    AudioPlayer* player = nullptr;
    PortFactory portFactory;
    Clock* clock = nullptr;  // the connection clock; a steady clock when not given
    bool offerConversion = false;  // a file the unit cannot play gets "Convert for the unit"
};

class EditorWindow final : public QWidget {
    Q_OBJECT
public:
    EditorWindow(ProgramState& state, CaptionTable& captions, EditorServices services, QWidget* parent = nullptr);
    ~EditorWindow() override;

    Editor& editor() { return editor_; }
    Connection& connection() { return *connection_; }
    PreviewController& preview() { return *preview_; }
    WindowStatusDisplay& statusDisplay() { return display_; }

    // Shows the set-up held in the program state (after every edit, an opened file, an upload).
    void refreshFromState();
    // Shows the current captions (after a language change).
    void applyCaptions();
    // Status-bar panels 1 and 2 back to their bare prefixes.
    void resetStatusPanels();

    // The control events, callable by the frame window and by tests.
    void Bt_Browse_Click(int slot);
    void MsgBt_Click(int slot);
    void WaveFile_Edited(int slot, const QString& name);
    void TRG1_Picked(int entry, const QString& choice);
    void Check1_Click(int zone, int value);
    void TrgBt_Click(int row);
    void Indicator_Click();
    void Bt_SendMessage_Click();
    // What the port panel shows in the port's present state (the description when connected).
    QString portPanelText() const;
    // Cancel (or Esc) during an upload: it stops at the next frame and closes the port.
    void cancelUpload();
    // The one-second timer: connection clock and upload progress.
    void tickClock();
    bool uploadRunning() const { return uploadRunning_.load(); }
    UploadRunner& uploadRunner() { return *upload_; }
    // The verdict of the last upload (for the status line and tests).
    const UploadResult& lastUpload() const { return lastUpload_; }

    // Controls, for the frame window's printout and for tests.
    QLineEdit* WaveFile(int slot) const { return waveFile_.at(static_cast<size_t>(slot - 1)); }
    QPushButton* Bt_Browse(int slot) const { return browse_.at(static_cast<size_t>(slot - 1)); }
    QPushButton* MsgBt(int slot) const { return msgBt_.at(static_cast<size_t>(slot - 1)); }
    QLabel* MsgTime(int slot) const { return msgTime_.at(static_cast<size_t>(slot - 1)); }
    QLabel* MsgSize(int slot) const { return msgSize_.at(static_cast<size_t>(slot - 1)); }
    QLabel* MsgSample(int slot) const { return msgSample_.at(static_cast<size_t>(slot - 1)); }
    QLabel* TotalTime() const { return totalTime_; }
    QLabel* TotalSize() const { return totalSize_; }
    SequenceCombo* TRG1(int entry) const { return trg1_.at(static_cast<size_t>(entry - 1)); }
    QCheckBox* Check1(int zone) const { return check1_.at(static_cast<size_t>(zone - 1)); }
    QLabel* TrgTime(int row) const { return trgTime_.at(static_cast<size_t>(row - 1)); }
    QPushButton* TrgBt(int row) const { return trgBt_.at(static_cast<size_t>(row - 1)); }
    ConnectionIndicator* indicator() const { return indicator_; }
    MemoryGauge* memoryGauge() const { return memoryGauge_; }
    UnitAudioOffer& audioOffer() { return *audioOffer_; }
    QPushButton* Bt_SendMessage() const { return sendButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    AdaptiveTables* tables() const { return tables_; }
    QProgressBar* ProgressBar1() const { return progressBar_; }
    QLabel* Lb_Percentage() const { return percentage_; }
    // Panels 1..3: "Status", "Settings", "ConnectTime".
    QLabel* statusPanel(int panel) const { return panels_.at(static_cast<size_t>(panel - 1)); }

Q_SIGNALS:
    // true while an upload runs: the frame window takes no input until it is false again.
    void uploadActive(bool active);
    // The port was given up: menus and the upload button take input again.
    void controlsReleased();
    // The editor's data changed.
    void setupEdited();
    // The upload progress caption was shown ("45%    Remaining Time:  00:01:23").
    void progressCaptionShown(const QString& caption);

private:
    void buildLayout();
    // Tooltips and accessible names of the controls without a caption (translated).
    void applyHelpTexts();
    void buildStatusBar();
    void buildMessageFrame(QGroupBox* frame);
    void buildTriggerFrame(QGroupBox* frame);
    void buildBottom(QWidget* area);
    void wireStatusDisplay();
    void uploadFinished(const UploadJobResult& job);
    // The file and the value a refused file is about, in the language in use.
    QString refusalWords(const QString& file, int index, const WaveCheck& check, int64_t total) const;
    // True (after saying why) when the indicator holds the port open: slots and previews wait.
    bool refuseWhileConnected();
    // The indicator follows the port's real state.
    void showPortState();
    // Takes away (or gives back) every control that could change the set-up or the port.
    void lockInput(bool locked);

    ProgramState& state_;
    CaptionTable& captions_;
    EditorServices services_;
    SteadyClock steadyClock_;
    WindowStatusDisplay display_;
    LinkTextPresenter linkTexts_;
    Editor editor_;
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<PreviewController> preview_;
    UploadRunner* upload_ = nullptr;
    std::atomic<bool> uploadRunning_{false};
    QTimer* timer1_ = nullptr;
    UploadResult lastUpload_;

    AdaptiveTables* tables_ = nullptr;
    QGroupBox* messageFrame_ = nullptr;
    QGroupBox* triggerFrame_ = nullptr;
    QLabel* lbMessagePlay_ = nullptr;
    QLabel* lbMessageFile_ = nullptr;
    std::array<QLabel*, 2> lbMessageTime_{};
    std::array<QLabel*, 2> lbMessageSize_{};
    std::array<QLabel*, 2> lbMessageSample_{};
    QLabel* lbTotal_ = nullptr;
    QLabel* lbTriggerPlay_ = nullptr;
    QLabel* lbTriggerMs_ = nullptr;
    std::array<QLabel*, 2> lbTriggerTime_{};
    QLabel* lbTriggerZones_ = nullptr;
    std::array<QLabel*, kZonesPerTrigger> lbZone_{};

    std::array<QLineEdit*, kSlotCount> waveFile_{};
    std::array<QPushButton*, kSlotCount> browse_{};
    std::array<QPushButton*, kSlotCount> msgBt_{};
    std::array<QLabel*, kSlotCount> msgTime_{};
    std::array<QLabel*, kSlotCount> msgSize_{};
    std::array<QLabel*, kSlotCount> msgSample_{};
    QLabel* totalTime_ = nullptr;
    QLabel* totalSize_ = nullptr;
    std::array<SequenceCombo*, kEntryCount> trg1_{};
    std::array<QCheckBox*, kZoneCount> check1_{};
    std::array<QLabel*, kTriggerCount> trgTime_{};
    std::array<QPushButton*, kTriggerCount> trgBt_{};

    ConnectionIndicator* indicator_ = nullptr;
    MemoryGauge* memoryGauge_ = nullptr;
    UnitAudioOffer* audioOffer_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* percentage_ = nullptr;
    QStatusBar* sbrStatus_ = nullptr;
    std::array<QLabel*, 3> panels_{};
};

}  // namespace mmx
