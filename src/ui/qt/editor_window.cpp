#include "ui/qt/editor_window.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/qt/connection_indicator.h"
#include "ui/qt/memory_gauge.h"
#include "ui/qt/unit_audio_offer.h"
#include "ui/qt/sequence_combo.h"
#include "ui/qt/upload_runner.h"

namespace mmx {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

QLabel* valueLabel(QWidget* parent, const QString& name, int minimumCharacters) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString(minimumCharacters, '0')) + 8);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* headingLabel(QWidget* parent, Qt::Alignment alignment = Qt::AlignCenter) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignBottom);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel* unitLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter | Qt::AlignTop);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QPushButton* playButton(QWidget* parent, const QString& name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    const int side = button->fontMetrics().height() + 12;
    button->setFixedSize(side + 6, side);
    return button;
}

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
    connection_ = std::make_unique<Connection>(state_.port, clock, linkTexts_, services_.portFactory);
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->setSpacing(6);
    auto* tables = new QHBoxLayout;
    tables->setSpacing(8);
    messageFrame_ = new QGroupBox(this);
    messageFrame_->setObjectName(QStringLiteral("Frame1_0"));
    triggerFrame_ = new QGroupBox(this);
    triggerFrame_->setObjectName(QStringLiteral("Frame1_1"));
    buildMessageFrame(messageFrame_);
    buildTriggerFrame(triggerFrame_);
    tables->addWidget(messageFrame_, 0);
    tables->addWidget(triggerFrame_, 1);
    layout->addLayout(tables, 1);
    auto* bottom = new QWidget(this);
    buildBottom(bottom);
    layout->addWidget(bottom);

    sbrStatus_ = new QStatusBar(this);
    sbrStatus_->setObjectName(QStringLiteral("sbrStatus"));
    sbrStatus_->setSizeGripEnabled(false);
    const std::array<const char*, 3> keys{"Status", "Settings", "ConnectTime"};
    const std::array<int, 3> stretch{3, 2, 0};
    for (size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(sbrStatus_);
        panel->setObjectName(QString::fromLatin1(keys[i]));
        // Texts come from language files and file names: never read them as markup.
        panel->setTextFormat(Qt::PlainText);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        sbrStatus_->addPermanentWidget(panel, stretch[i]);
        panels_[i] = panel;
    }
    panels_[0]->setText(QStringLiteral("STATUS :"));
    panels_[1]->setText(QStringLiteral("RS232 PORT :"));
    panels_[2]->setMinimumWidth(panels_[2]->fontMetrics().horizontalAdvance(QStringLiteral("000:00:00 ")) + 12);
    layout->addWidget(sbrStatus_);

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

void EditorWindow::buildMessageFrame(QGroupBox* frame) {
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    lbMessageFile_ = headingLabel(frame, Qt::AlignLeft);
    lbMessagePlay_ = headingLabel(frame);
    lbMessageTime_[0] = headingLabel(frame, Qt::AlignRight);
    lbMessageSize_[0] = headingLabel(frame, Qt::AlignRight);
    lbMessageSample_[0] = headingLabel(frame, Qt::AlignRight);
    lbMessageTime_[1] = unitLabel(frame);
    lbMessageSize_[1] = unitLabel(frame);
    lbMessageSample_[1] = unitLabel(frame);
    for (QLabel* unit : {lbMessageTime_[1], lbMessageSize_[1], lbMessageSample_[1]})
        unit->setAlignment(Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(lbMessageFile_, 0, 1, 1, 2);
    grid->addWidget(lbMessagePlay_, 0, 3);
    grid->addWidget(lbMessageTime_[0], 0, 4);
    grid->addWidget(lbMessageSize_[0], 0, 5);
    grid->addWidget(lbMessageSample_[0], 0, 6);
    grid->addWidget(lbMessageTime_[1], 1, 4);
    grid->addWidget(lbMessageSize_[1], 1, 5);
    grid->addWidget(lbMessageSample_[1], 1, 6);

    for (int k = 1; k <= kSlotCount; ++k) {
        const size_t i = static_cast<size_t>(k - 1);
        const int row = k + 1;
        auto* number = new QLabel(q(captions_.Lb_Msg[i]), frame);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, row, 0);

        auto* name = new QLineEdit(frame);
        name->setObjectName(QStringLiteral("WaveFile_%1").arg(k));
        name->setMinimumWidth(name->fontMetrics().horizontalAdvance(QString(22, 'x')));
        connect(name, &QLineEdit::textEdited, this, [this, k](const QString& text) { WaveFile_Edited(k, text); });
        waveFile_[i] = name;
        grid->addWidget(name, row, 1);

        auto* browse = new QPushButton(frame);
        browse->setObjectName(QStringLiteral("Bt_Browse_%1").arg(k));
        connect(browse, &QPushButton::clicked, this, [this, k] { Bt_Browse_Click(k); });
        browse_[i] = browse;
        grid->addWidget(browse, row, 2);

        auto* play = playButton(frame, QStringLiteral("MsgBt_%1").arg(k));
        play->setText(q(captions_.PlayIdle));
        connect(play, &QPushButton::clicked, this, [this, k] { MsgBt_Click(k); });
        msgBt_[i] = play;
        grid->addWidget(play, row, 3, Qt::AlignCenter);

        msgTime_[i] = valueLabel(frame, QStringLiteral("MsgTime_%1").arg(k), 7);
        msgSize_[i] = valueLabel(frame, QStringLiteral("MsgSize_%1").arg(k), 5);
        msgSample_[i] = valueLabel(frame, QStringLiteral("MsgSample_%1").arg(k), 6);
        grid->addWidget(msgTime_[i], row, 4);
        grid->addWidget(msgSize_[i], row, 5);
        grid->addWidget(msgSample_[i], row, 6);
    }

    auto* rule = new QFrame(frame);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    grid->addWidget(rule, kSlotCount + 2, 0, 1, 7);
    lbTotal_ = headingLabel(frame, Qt::AlignRight);
    lbTotal_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(lbTotal_, kSlotCount + 3, 1, 1, 3);
    totalTime_ = valueLabel(frame, QStringLiteral("TotalTime"), 7);
    totalSize_ = valueLabel(frame, QStringLiteral("TotalSize"), 5);
    QFont bold = totalTime_->font();
    bold.setBold(true);
    totalTime_->setFont(bold);
    totalSize_->setFont(bold);
    grid->addWidget(totalTime_, kSlotCount + 3, 4);
    grid->addWidget(totalSize_, kSlotCount + 3, 5);
    memoryGauge_ = new MemoryGauge(frame);
    grid->addWidget(memoryGauge_, kSlotCount + 4, 1, 1, 6);
    grid->setRowStretch(kSlotCount + 5, 1);
    grid->setColumnStretch(1, 1);
}

void EditorWindow::buildTriggerFrame(QGroupBox* frame) {
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    lbTriggerTime_[0] = headingLabel(frame, Qt::AlignRight);
    lbTriggerTime_[1] = unitLabel(frame);
    lbTriggerTime_[1]->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lbTriggerPlay_ = headingLabel(frame);
    lbTriggerMs_ = headingLabel(frame);
    lbTriggerZones_ = headingLabel(frame);
    grid->addWidget(lbTriggerTime_[0], 0, 1);
    grid->addWidget(lbTriggerTime_[1], 1, 1);
    grid->addWidget(lbTriggerPlay_, 0, 2);
    grid->addWidget(lbTriggerMs_, 0, 3, 1, kEntriesPerTrigger);
    grid->addWidget(lbTriggerZones_, 0, 3 + kEntriesPerTrigger, 1, kZonesPerTrigger);
    for (int z = 1; z <= kZonesPerTrigger; ++z) {
        auto* zone = unitLabel(frame);
        zone->setText(q(captions_.Lb_Trigger_Zones[static_cast<size_t>(z - 1)]));
        lbZone_[static_cast<size_t>(z - 1)] = zone;
        grid->addWidget(zone, 1, 2 + kEntriesPerTrigger + z);
    }

    for (int k = 1; k <= kTriggerCount; ++k) {
        const size_t r = static_cast<size_t>(k - 1);
        const int row = k + 1;
        auto* number = new QLabel(q(captions_.Lb_TRG[r]), frame);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, row, 0);

        trgTime_[r] = valueLabel(frame, QStringLiteral("TrgTime_%1").arg(k), 7);
        grid->addWidget(trgTime_[r], row, 1);

        auto* play = playButton(frame, QStringLiteral("TrgBt_%1").arg(k));
        play->setText(q(captions_.PlayIdle));
        connect(play, &QPushButton::clicked, this, [this, k] { TrgBt_Click(k); });
        trgBt_[r] = play;
        grid->addWidget(play, row, 2, Qt::AlignCenter);

        for (int e = 1; e <= kEntriesPerTrigger; ++e) {
            const int index = entryIndex(k, e);
            auto* combo = new SequenceCombo(frame);
            combo->setObjectName(QStringLiteral("TRG1_%1").arg(index));
            connect(combo, &SequenceCombo::choicePicked, this,
                    [this, index](const QString& choice) { TRG1_Picked(index, choice); });
            trg1_[static_cast<size_t>(index - 1)] = combo;
            grid->addWidget(combo, row, 2 + e);
        }
        for (int z = 1; z <= kZonesPerTrigger; ++z) {
            const int index = zoneIndex(k, z);
            auto* box = new QCheckBox(frame);
            box->setObjectName(QStringLiteral("Check1_%1").arg(index));
            connect(box, &QCheckBox::stateChanged, this,
                    [this, index](int value) { Check1_Click(index, value == Qt::Checked ? 1 : (value == 0 ? 0 : 2)); });
            check1_[static_cast<size_t>(index - 1)] = box;
            grid->addWidget(box, row, 2 + kEntriesPerTrigger + z, Qt::AlignCenter);
        }
    }
    grid->setRowStretch(kTriggerCount + 2, 1);
}

void EditorWindow::buildBottom(QWidget* area) {
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    indicator_ = new ConnectionIndicator(area);
    connect(indicator_, &ConnectionIndicator::clicked, this, &EditorWindow::Indicator_Click);
    row->addWidget(indicator_);
    sendButton_ = new QPushButton(area);
    sendButton_->setObjectName(QStringLiteral("Bt_SendMessage"));
    sendButton_->setMinimumHeight(indicator_->sizeHint().height());
    connect(sendButton_, &QPushButton::clicked, this, &EditorWindow::Bt_SendMessage_Click);
    row->addWidget(sendButton_);
    progressBar_ = new QProgressBar(area);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setTextVisible(false);
    progressBar_->setMinimumWidth(220);
    // Hidden but still holding its place, so the caption beside it does not jump.
    QSizePolicy keep = progressBar_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    progressBar_->setSizePolicy(keep);
    progressBar_->hide();
    row->addWidget(progressBar_, 1);
    percentage_ = new QLabel(area);
    percentage_->setObjectName(QStringLiteral("Lb_Percentage"));
    percentage_->setTextFormat(Qt::PlainText);
    percentage_->setMinimumWidth(percentage_->fontMetrics().horizontalAdvance(
        QStringLiteral("100%    Remaining Time:  00:00:00")) + 8);
    row->addWidget(percentage_, 1);
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
    for (const auto& choice : triggers.choices()) choices << q(choice);
    for (int i = 1; i <= kEntryCount; ++i) {
        SequenceCombo* combo = TRG1(i);
        combo->setChoices(choices);
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

void EditorWindow::Bt_Browse_Click(int slot) {
    editor_.browse(slot);
    refreshFromState();
    Q_EMIT setupEdited();
}

void EditorWindow::MsgBt_Click(int slot) { preview_->messageClicked(slot); }

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

void EditorWindow::TrgBt_Click(int row) { preview_->triggerClicked(row); }

void EditorWindow::Indicator_Click() {
    if (connection_->isConnected())
        connection_->Disconnect();
    else
        connection_->Connect();
}

void EditorWindow::tickClock() {
    if (!uploadRunning() && connection_->clockRunning()) connection_->tickClock();
}

void EditorWindow::Bt_SendMessage_Click() {
    if (uploadRunning()) return;
    progressBar_->hide();
    percentage_->clear();
    uploadRunning_.store(true);
    lockInput(true);
    Q_EMIT uploadActive(true);
    if (!upload_->start(state_)) {
        uploadRunning_.store(false);
        lockInput(false);
        Q_EMIT uploadActive(false);
    }
}

void EditorWindow::uploadFinished(const UploadJobResult& job) {
    lastUpload_ = job.upload;
    job.upload.applyTo(state_);
    if (job.fileProblem) services_.boxes->alert(fileProblemText(state_.texts, *job.fileProblem), captions_.Form1);
    uploadRunning_.store(false);
    lockInput(false);
    refreshFromState();
    Q_EMIT uploadActive(false);
}

void EditorWindow::lockInput(bool locked) {
    messageFrame_->setEnabled(!locked);
    triggerFrame_->setEnabled(!locked);
    indicator_->setEnabled(!locked);
    sendButton_->setEnabled(!locked);
}

}  // namespace mmx
