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
#include "ui/app/table_cells.h"
#include "ui/app/window_state.h"
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
    EditorWindow(WindowState& state, CaptionTable& captions, EditorServices services, QWidget* parent = nullptr);
    ~EditorWindow() override;

    Editor& editor() { return editor_; }
    Connection& connection() { return *connection_; }
    PreviewController& preview() { return *preview_; }
    WindowStatusDisplay& statusDisplay() { return display_; }

    // Shows the window's set-up: every row is rendered from the value (after every edit, an
    // opened file, an upload, an undo).
    void refreshFromState();
    // Shows the current captions (after a language change).
    void applyCaptions();
    // Status-bar panels 1 and 2 back to their bare prefixes.
    void resetStatusPanels();

    // What the controls do, callable by the frame window and by tests.
    void browseSlot(int slot);
    void playSlot(int slot);
    // A name typed into slot's field: a new name renames the slot at once; an empty field
    // clears nothing until the typing is finished (nameFinished), so that typing a new name
    // over the old one never empties slots on the way.
    void nameEdited(int slot, const QString& name);
    // The name field was left (or Enter pressed): an empty one clears the slot and every later one.
    void nameFinished(int slot);
    // Sequence entry `entry` (1..48) takes the picked choice (" " or " n").
    void pickEntry(int entry, const QString& choice);
    // Zone box `zone` (1..72) ticked or not.
    void toggleZone(int zone, bool on);
    void playTrigger(int row);
    void toggleConnection();
    // Send: checks that every sequence entry names a filled slot, then uploads the set-up.
    void sendToUnit();
    // Edit > Undo and Redo.
    void undo();
    void redo();
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
    QLineEdit* nameField(int slot) const { return nameFields_.at(static_cast<size_t>(slot - 1)); }
    QPushButton* browseButton(int slot) const { return browseButtons_.at(static_cast<size_t>(slot - 1)); }
    QPushButton* playButton(int slot) const { return playButtons_.at(static_cast<size_t>(slot - 1)); }
    QLabel* timeLabel(int slot) const { return timeLabels_.at(static_cast<size_t>(slot - 1)); }
    QLabel* sizeLabel(int slot) const { return sizeLabels_.at(static_cast<size_t>(slot - 1)); }
    QLabel* rateLabel(int slot) const { return rateLabels_.at(static_cast<size_t>(slot - 1)); }
    QLabel* totalTimeLabel() const { return totalTime_; }
    QLabel* totalSizeLabel() const { return totalSize_; }
    SequenceCombo* sequenceBox(int entry) const { return sequenceBoxes_.at(static_cast<size_t>(entry - 1)); }
    QCheckBox* zoneBox(int zone) const { return zoneBoxes_.at(static_cast<size_t>(zone - 1)); }
    QLabel* triggerTimeLabel(int row) const { return triggerTimeLabels_.at(static_cast<size_t>(row - 1)); }
    QPushButton* triggerPlayButton(int row) const { return triggerPlayButtons_.at(static_cast<size_t>(row - 1)); }
    ConnectionIndicator* indicator() const { return indicator_; }
    MemoryGauge* memoryGauge() const { return memoryGauge_; }
    UnitAudioOffer& audioOffer() { return *audioOffer_; }
    QPushButton* sendButton() const { return sendButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    AdaptiveTables* tables() const { return tables_; }
    QProgressBar* progressBar() const { return progressBar_; }
    QLabel* progressCaption() const { return percentage_; }
    // Panels 1..3: "Status", "Settings", "ConnectTime".
    QLabel* statusPanel(int panel) const { return panels_.at(static_cast<size_t>(panel - 1)); }

Q_SIGNALS:
    // true while an upload runs: the frame window takes no input until it is false again.
    void uploadActive(bool active);
    // The port was given up: menus and the upload button take input again.
    void controlsReleased();
    // The set-up changed (an edit, an undo or a redo).
    void setupEdited();
    // Whether Undo and Redo have a step to take (after every change of the set-up).
    void historyChanged(bool canUndo, bool canRedo);
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

    // The first trigger row whose sequence names an empty slot (0: none), with the slot.
    std::pair<int, int> sequenceNamingEmptySlot() const;

    WindowState& state_;
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
    QTimer* clockTimer_ = nullptr;
    UploadResult lastUpload_;
    int nameBeingEmptied_ = 0;  // the slot whose name field was emptied and is still being typed in

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

    std::array<QLineEdit*, kSlotCount> nameFields_{};
    std::array<QPushButton*, kSlotCount> browseButtons_{};
    std::array<QPushButton*, kSlotCount> playButtons_{};
    std::array<QLabel*, kSlotCount> timeLabels_{};
    std::array<QLabel*, kSlotCount> sizeLabels_{};
    std::array<QLabel*, kSlotCount> rateLabels_{};
    QLabel* totalTime_ = nullptr;
    QLabel* totalSize_ = nullptr;
    std::array<SequenceCombo*, kEntryCount> sequenceBoxes_{};
    std::array<QCheckBox*, kZoneCount> zoneBoxes_{};
    std::array<QLabel*, kTriggerCount> triggerTimeLabels_{};
    std::array<QPushButton*, kTriggerCount> triggerPlayButtons_{};

    ConnectionIndicator* indicator_ = nullptr;
    MemoryGauge* memoryGauge_ = nullptr;
    UnitAudioOffer* audioOffer_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* percentage_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    std::array<QLabel*, 3> panels_{};
};

}  // namespace mmx
