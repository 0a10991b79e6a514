#include "ui/qt/editor_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "platform/serial/port_names.h"
#include "ui/qt/connection_indicator.h"
#include "ui/qt/memory_gauge.h"
#include "ui/qt/unit_audio_offer.h"
#include "ui/qt/sequence_combo.h"
#include "ui/qt/upload_runner.h"

namespace mmx {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

void setTextIfChanged(QLabel* label, const std::string& text) {
    const QString value = q(text);
    if (label->text() != value) label->setText(value);
}

}  // namespace

EditorWindow::EditorWindow(ProgramState& state, CaptionTable& captions, EditorServices services, QWidget* parent)
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
        MsgBt(slot)->setText(q(playing ? captions_.PlayActive : captions_.PlayIdle));
    };
    preview_->onTriggerButton = [this](int row, bool playing) {
        TrgBt(row)->setText(q(playing ? captions_.PlayActive : captions_.PlayIdle));
    };
    preview_->onSlotsChanged = [this] { refreshFromState(); };
    preview_->defer = [this](std::function<void()> step) { QTimer::singleShot(0, this, std::move(step)); };

    editor_.setRefusalWords([this](const std::string& file, int index, const WaveCheck& check, int64_t total) {
        return refusalWords(q(file), index, check, total).toStdString();
    });
    buildLayout();

    timer1_ = new QTimer(this);
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, &EditorWindow::tickClock);
    timer1_->start();

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
    for (QPushButton* browse : browse_) browse->setText(q(captions_.Bt_Browse));
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
        MsgBt(k)->setToolTip(play);
        MsgBt(k)->setAccessibleName(play);
    }
    for (int row = 1; row <= kTriggerCount; ++row) {
        const QString play = tr("Play the message sequence of trigger %1").arg(row);
        TrgBt(row)->setToolTip(play);
        TrgBt(row)->setAccessibleName(play);
        for (int e = 1; e <= kEntriesPerTrigger; ++e)
            TRG1(entryIndex(row, e))->setToolTip(tr("Trigger %1: message %2 of its sequence").arg(row).arg(e));
        for (int z = 1; z <= kZonesPerTrigger; ++z)
            Check1(zoneIndex(row, z))->setToolTip(tr("Trigger %1 plays into zone %2").arg(row).arg(z));
    }
    indicator_->setHelpTexts(tr("Not connected: click to open the port to the unit"),
                             tr("Connected: click to close the port"));
}

void EditorWindow::resetStatusPanels() {
    panels_[0]->setText(q(state_.texts.status(UiTextTable::StatusPrefix) + " "));
    panels_[1]->setText(q(state_.texts.status(UiTextTable::PortPrefix) + " "));
}

void EditorWindow::refreshFromState() {
    const MessageTable& messages = state_.messages;
    for (int k = 1; k <= kSlotCount; ++k) {
        const MessageSlot& slot = messages.slot(k);
        QLineEdit* name = WaveFile(k);
        if (name->text() != q(slot.WaveFile)) {
            const QSignalBlocker block(name);
            name->setText(q(slot.WaveFile));
        }
        // The name shows only the file's stem: its tooltip gives the whole path.
        name->setToolTip(q(slot.FilePath));
        Bt_Browse(k)->setEnabled(k == 1 || slot.BrowseEnabled);
        MsgBt(k)->setEnabled(slot.MsgBtEnabled);
        setTextIfChanged(MsgTime(k), slot.MsgTime);
        setTextIfChanged(MsgSize(k), slot.MsgSize);
        setTextIfChanged(MsgSample(k), slot.MsgSample);
    }
    setTextIfChanged(totalTime_, messages.TotalTime);
    setTextIfChanged(totalSize_, messages.TotalSize);
    memoryGauge_->showUsed(messages.TFileLength);

    const TriggerTable& triggers = state_.triggers;
    QStringList choices;
    QStringList labels;
    for (const auto& choice : triggers.choices()) {
        choices << q(choice);
        // "2 – welcome": the slot number and its message's name.
        const int number = QString::fromStdString(choice).trimmed().toInt();
        labels << (number >= 1 && number <= kSlotCount
                       ? QStringLiteral("%1 \u2013 %2").arg(number).arg(q(messages.slot(number).WaveFile))
                       : q(choice));
    }
    for (int i = 1; i <= kEntryCount; ++i) {
        SequenceCombo* combo = TRG1(i);
        combo->setChoices(choices, labels);
        combo->setEntryText(q(triggers.entry(i).text));
        combo->setEnabled(triggers.entry(i).enabled);
    }
    for (int i = 1; i <= kZoneCount; ++i) {
        QCheckBox* box = Check1(i);
        const int value = triggers.zone(i);
        const Qt::CheckState wanted = value == 1 ? Qt::Checked : (value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
        if (box->checkState() != wanted) {
            const QSignalBlocker block(box);
            box->setTristate(value == 2);
            box->setCheckState(wanted);
        }
    }
    for (int row = 1; row <= kTriggerCount; ++row) {
        setTextIfChanged(TrgTime(row), triggers.time(row));
        TrgBt(row)->setEnabled(triggers.playEnabled(row));
    }
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

void EditorWindow::Bt_Browse_Click(int slot) {
    if (refuseWhileConnected()) return;
    editor_.browse(slot);
    refreshFromState();
    Q_EMIT setupEdited();
}

void EditorWindow::MsgBt_Click(int slot) {
    if (!refuseWhileConnected()) preview_->messageClicked(slot);
}

void EditorWindow::WaveFile_Edited(int slot, const QString& name) {
    editor_.setShownName(slot, name.toStdString());
    refreshFromState();
    Q_EMIT setupEdited();
}

void EditorWindow::TRG1_Picked(int entry, const QString& choice) {
    editor_.chooseEntry(entry, choice.toStdString());
    refreshFromState();
    Q_EMIT setupEdited();
}

void EditorWindow::Check1_Click(int zone, int value) {
    editor_.setZone(zone, value);
    if (value != 2) Check1(zone)->setTristate(false);
    Q_EMIT setupEdited();
}

void EditorWindow::TrgBt_Click(int row) {
    if (!refuseWhileConnected()) preview_->triggerClicked(row);
}

}  // namespace mmx
