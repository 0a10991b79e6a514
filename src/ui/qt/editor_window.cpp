#include "ui/qt/editor_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <filesystem>

#include "core/number_format.h"

#include "platform/serial/port_names.h"
#include "ui/qt/connection_indicator.h"
#include "ui/qt/memory_gauge.h"
#include "ui/qt/unit_audio_offer.h"
#include "ui/qt/sequence_combo.h"
#include "ui/qt/upload_runner.h"

namespace mmx {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

void setTextIfChanged(QLabel* label, const std::string& text) {
    const QString value = q(text);
    if (label->text() != value) label->setText(value);
}

}  // namespace

EditorWindow::EditorWindow(WindowState& state, CaptionTable& captions, EditorServices services, QWidget* parent)
    : QWidget(parent),
      state_(state),
      captions_(captions),
      services_(std::move(services)),
      display_(this),
      linkTexts_(state.texts, display_),
      editor_(state, *services_.dialog, *services_.boxes) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(q(captions_.Form1));
    Clock& clock = services_.clock != nullptr ? *services_.clock : steadyClock_;
    connection_ = std::make_unique<Connection>(linkSettingsFrom(state_.settings.port), clock, linkTexts_, services_.portFactory);
    // While the worker owns the connection, the window does not look into it.
    editor_.setPortOpenQuery([this] { return uploadRunning() || connection_->isConnected(); });
    upload_ = new UploadRunner(*connection_, this);
    connect(upload_, &UploadRunner::finished, this, &EditorWindow::uploadFinished);
    preview_ = std::make_unique<PreviewController>(state_, editor_, *services_.player, *services_.boxes);
    audioOffer_ = new UnitAudioOffer(state_, editor_, *services_.boxes, this);
    if (services_.offerConversion) audioOffer_->askWithDialog();
    connect(audioOffer_, &UnitAudioOffer::slotConverted, this, [this] {
        refreshFromState();
        Q_EMIT setupEdited();
    });
    preview_->onMessageButton = [this](int slot, bool playing) {
        playButton(slot)->setText(q(playing ? captions_.PlayActive : captions_.PlayIdle));
    };
    preview_->onTriggerButton = [this](int row, bool playing) {
        triggerPlayButton(row)->setText(q(playing ? captions_.PlayActive : captions_.PlayIdle));
    };
    preview_->onSlotsChanged = [this] { refreshFromState(); };
    preview_->defer = [this](std::function<void()> step) { QTimer::singleShot(0, this, std::move(step)); };

    editor_.setRefusalWords([this](const std::string& file, int index, const WaveCheck& check, int64_t total) {
        return refusalWords(q(file), index, check, total).toStdString();
    });
    buildLayout();

    clockTimer_ = new QTimer(this);
    clockTimer_->setInterval(1000);
    connect(clockTimer_, &QTimer::timeout, this, &EditorWindow::tickClock);
    clockTimer_->start();

    wireStatusDisplay();
    applyCaptions();
    refreshFromState();
}

EditorWindow::~EditorWindow() {
    services_.player->setStoppedHandler({});
    // The worker must be gone before the connection it uses.
    delete upload_;
    upload_ = nullptr;
}


void EditorWindow::wireStatusDisplay() {
    WindowStatusDisplay::Targets targets;
    targets.statusPanel = [this](const std::string& text) { panels_[0]->setText(q(text)); };
    targets.portPanel = [this](const std::string& text) { panels_[1]->setText(q(text)); };
    targets.timePanel = [this](const std::string& text) { panels_[2]->setText(q(text)); };
    targets.progressCaption = [this](const std::string& text) {
        percentage_->setText(q(text));
        Q_EMIT progressCaptionShown(percentage_->text());
    };
    targets.progressBarVisible = [this](bool visible) { progressBar_->setVisible(visible); };
    targets.progressValue = [this](long value, long maximum) {
        // The bar counts in KB so that totals above the int range cannot overflow it.
        const int max = static_cast<int>(std::max<long>(maximum / 1000, 1));
        progressBar_->setRange(0, max);
        progressBar_->setValue(static_cast<int>(std::clamp<long>(value / 1000, 0, max)));
    };
    targets.connectedIndicator = [this](bool connected) { indicator_->setConnected(connected); };
    targets.releaseControls = [this] {
        // An upload gives the controls back itself when its verdict arrives.
        if (!uploadRunning()) sendButton_->setEnabled(true);
        Q_EMIT controlsReleased();
    };
    targets.alert = [this](const std::string& text) { services_.boxes->alert(text, captions_.Form1); };
    display_.setTargets(std::move(targets));
}

void EditorWindow::applyCaptions() {
    setWindowTitle(q(captions_.Form1));
    messageFrame_->setTitle(q(captions_.Frame1_0));
    triggerFrame_->setTitle(q(captions_.Frame1_1));
    lbMessagePlay_->setText(q(captions_.Lb_Message_Play));
    lbMessageFile_->setText(q(captions_.Lb_Message_File));
    lbMessageTime_[0]->setText(q(captions_.Lb_Message_Time_0));
    lbMessageTime_[1]->setText(q(captions_.Lb_Message_Time_1));
    lbMessageSize_[0]->setText(q(captions_.Lb_Message_Size_0));
    lbMessageSize_[1]->setText(q(captions_.Lb_Message_Size_1));
    lbMessageSample_[0]->setText(q(captions_.Lb_Message_Sample_0));
    lbMessageSample_[1]->setText(q(captions_.Lb_Message_Sample_1));
    for (QPushButton* browse : browseButtons_) browse->setText(q(captions_.Bt_Browse));
    lbTotal_->setText(q(captions_.Lb_Total));
    lbTriggerPlay_->setText(q(captions_.Lb_Trigger_Play));
    lbTriggerMs_->setText(q(captions_.Lb_Trigger_Ms));
    lbTriggerTime_[0]->setText(q(captions_.Lb_Trigger_Time_0));
    lbTriggerTime_[1]->setText(q(captions_.Lb_Trigger_Time_1));
    lbTriggerZones_->setText(q(captions_.Lb_Trigger_Zones_0));
    sendButton_->setText(q(captions_.Bt_SendMessage));
    applyHelpTexts();
}

void EditorWindow::applyHelpTexts() {
    cancelButton_->setText(tr("Cancel"));
    cancelButton_->setToolTip(tr("Stop the upload after the frame on the line (Esc)"));
    for (int k = 1; k <= kSlotCount; ++k) {
        const QString play = tr("Play message %1").arg(k);
        playButton(k)->setToolTip(play);
        playButton(k)->setAccessibleName(play);
    }
    for (int row = 1; row <= kTriggerCount; ++row) {
        const QString play = tr("Play the message sequence of trigger %1").arg(row);
        triggerPlayButton(row)->setToolTip(play);
        triggerPlayButton(row)->setAccessibleName(play);
        for (int z = 1; z <= kZonesPerTrigger; ++z)
            zoneBox(zoneIndex(row, z))->setToolTip(tr("Trigger %1 plays into zone %2").arg(row).arg(z));
    }
    indicator_->setHelpTexts(tr("Not connected: click to open the port to the unit"),
                             tr("Connected: click to close the port"));
}

void EditorWindow::resetStatusPanels() {
    panels_[0]->setText(q(state_.texts.status(UiTextTable::StatusPrefix) + " "));
    panels_[1]->setText(q(state_.texts.status(UiTextTable::PortPrefix) + " "));
}

void EditorWindow::refreshFromState() {
    const Setup& setup = state_.setup;
    for (int k = 1; k <= kSlotCount; ++k) {
        const Slot& slot = setup.slot(k);
        QLineEdit* name = nameField(k);
        // The field being typed in keeps what is typed (an empty name clears only when left).
        if (name->text() != q(slot.name) && k != nameBeingEmptied_) {
            const QSignalBlocker block(name);
            name->setText(q(slot.name));
        }
        // Only a filled slot has a name to change; an empty one is filled through Browse.
        name->setReadOnly(!slot.filled());
        const bool missing = slot.filled() && !isRegularFile(slot.path);
        // The name shows only the file's stem: its tooltip gives the whole path.
        name->setToolTip(missing ? tr("The file of this message is missing: %1").arg(q(slot.path)) : q(slot.path));
        if (name->property("missing").toBool() != missing) {
            name->setProperty("missing", missing);
            name->setStyleSheet(missing ? QStringLiteral("QLineEdit { color: #b00020; }") : QString());
        }
        browseButton(k)->setEnabled(k == 1 || setup.slot(k - 1).filled());
        playButton(k)->setEnabled(slot.filled() && !missing);
        setTextIfChanged(timeLabel(k), slot.filled() ? formatHundredths(playHundredths(slot)) : "");
        setTextIfChanged(sizeLabel(k), slot.filled() ? std::to_string(sizeKilobytes(slot)) : "");
        setTextIfChanged(rateLabel(k), slot.filled() ? formatKilohertz(slot.wave.sampleRate) : "");
    }
    setTextIfChanged(totalTime_, formatHundredths(totalPlayHundredths(setup)));
    setTextIfChanged(totalSize_, std::to_string(totalKilobytes(setup)));
    memoryGauge_->showUsed(totalStoredLength(setup));

    // Every list offers " " and the filled slots ("2 – welcome"); none when no slot is filled.
    const int filled = filledCount(setup);
    QStringList choices;
    QStringList labels;
    for (int m = 0; filled > 0 && m <= filled; ++m) {
        choices << (m == 0 ? QStringLiteral(" ") : QStringLiteral(" %1").arg(m));
        labels << (m == 0 ? QStringLiteral(" ") : QStringLiteral("%1 \u2013 %2").arg(m).arg(q(setup.slot(m).name)));
    }
    for (int row = 1; row <= kTriggerCount; ++row) {
        const Trigger& trigger = setup.trigger(row);
        const int length = trigger.length();
        for (int position = 1; position <= kEntriesPerTrigger; ++position) {
            SequenceCombo* combo = sequenceBox(entryIndex(row, position));
            const int k = position <= length ? trigger.sequence[static_cast<size_t>(position - 1)] : 0;
            combo->setChoices(choices, labels);
            combo->setEntryText(k > 0 ? QStringLiteral(" %1").arg(k) : QStringLiteral(" "));
            combo->setEnabled(position == 1 || position - 1 <= length);
            // An entry naming a slot that has since been emptied plays nothing: say so.
            const bool missing = k > 0 && !setup.slot(k).filled();
            combo->setMissing(missing);
            combo->setToolTip(missing ? tr("Trigger %1: slot %2 is empty, so this entry plays nothing").arg(row).arg(k)
                                      : tr("Trigger %1: message %2 of its sequence").arg(row).arg(position));
        }
        for (int z = 1; z <= kZonesPerTrigger; ++z) {
            QCheckBox* box = zoneBox(zoneIndex(row, z));
            const bool on = (trigger.zones >> (z - 1)) & 1u;
            if (box->isChecked() != on) {
                const QSignalBlocker block(box);
                box->setChecked(on);
            }
        }
        setTextIfChanged(triggerTimeLabel(row), formatHundredths(triggerPlayHundredths(setup, row)));
        triggerPlayButton(row)->setEnabled(length > 0);
    }
    Q_EMIT historyChanged(state_.history.canUndo(), state_.history.canRedo());
}

QString EditorWindow::refusalWords(const QString& file, int index, const WaveCheck& check, int64_t total) const {
    switch (index) {
        case UiTextTable::NotWave: return tr("%1: not a WAVE file").arg(file);
        case UiTextTable::NotMono: return tr("%1: %2 channels; the unit plays mono (1 channel)").arg(file).arg(check.channels);
        case UiTextTable::BadSampleRate:
            return tr("%1: %2 kHz; the unit plays 8 to 24 kHz").arg(file).arg(check.headerSampleRate / 1000.0, 0, 'g', 6);
        case UiTextTable::Not16Bit:
            return tr("%1: %2 bits per sample; the unit plays 16 bits").arg(file).arg(check.bitsPerSample);
        case UiTextTable::ExceedsCapacity:
            return tr("%1: the messages would take %2 KB; the unit holds 8380 KB").arg(file).arg(total / 1000);
        default: return {};
    }
}

bool EditorWindow::refuseWhileConnected() {
    if (uploadRunning() || !connection_->isConnected()) return false;
    // Open through the indicator, not by an upload: say so, and how to go on.
    services_.boxes->alert(tr("The port to the unit is open. Close it with the connection indicator first, "
                              "then change or play messages.")
                               .toStdString(),
                           captions_.Form1);
    return true;
}

void EditorWindow::browseSlot(int slot) {
    if (refuseWhileConnected()) return;
    editor_.browseSlot(slot);
    refreshFromState();
    Q_EMIT setupEdited();
}

void EditorWindow::playSlot(int slot) {
    if (!refuseWhileConnected()) preview_->messageClicked(slot);
}

void EditorWindow::nameEdited(int slot, const QString& name) {
    nameBeingEmptied_ = name.isEmpty() ? slot : 0;
    if (name.isEmpty()) return;
    editor_.renameSlot(slot, name.toStdString());
    refreshFromState();
    Q_EMIT setupEdited();
}

void EditorWindow::nameFinished(int slot) {
    if (nameBeingEmptied_ == slot) nameBeingEmptied_ = 0;
    if (!nameField(slot)->text().isEmpty() || !state_.setup.slot(slot).filled()) return;
    editor_.clearSlot(slot);
    refreshFromState();
    Q_EMIT setupEdited();
}

void EditorWindow::pickEntry(int entry, const QString& choice) {
    editor_.pickEntry(rowOfEntry(entry), positionOfEntry(entry), choice.trimmed().toInt());
    refreshFromState();
    Q_EMIT setupEdited();
}

void EditorWindow::toggleZone(int zone, bool on) {
    editor_.toggleZone(rowOfZone(zone), zoneOfBox(zone), on);
    refreshFromState();
    Q_EMIT setupEdited();
}

void EditorWindow::playTrigger(int row) {
    if (!refuseWhileConnected()) preview_->triggerClicked(row);
}

void EditorWindow::undo() {
    if (uploadRunning() || !editor_.undo()) return;
    refreshFromState();
    Q_EMIT setupEdited();
}

void EditorWindow::redo() {
    if (uploadRunning() || !editor_.redo()) return;
    refreshFromState();
    Q_EMIT setupEdited();
}

}  // namespace mmx
