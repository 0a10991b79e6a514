// The editor window's controls and where they sit: the two tables (side by side or stacked,
// see AdaptiveTables), the connection indicator, the upload button with its progress bar,
// caption and Cancel button, and the status bar.
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>

#include "ui/qt/adaptive_tables.h"
#include "ui/qt/connection_indicator.h"
#include "ui/qt/memory_gauge.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/sequence_combo.h"

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

QPushButton* makePlayButton(QWidget* parent, const QString& name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    const int side = button->fontMetrics().height() + 12;
    button->setFixedSize(side + 6, side);
    return button;
}

}  // namespace

void EditorWindow::buildLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->setSpacing(6);
    messageFrame_ = new QGroupBox(this);
    messageFrame_->setObjectName(QStringLiteral("Frame1_0"));
    triggerFrame_ = new QGroupBox(this);
    triggerFrame_->setObjectName(QStringLiteral("Frame1_1"));
    buildMessageFrame(messageFrame_);
    buildTriggerFrame(triggerFrame_);
    tables_ = new AdaptiveTables(messageFrame_, triggerFrame_, this);
    layout->addWidget(tables_, 1);
    auto* bottom = new QWidget(this);
    buildBottom(bottom);
    layout->addWidget(bottom);
    buildStatusBar();
    layout->addWidget(statusBar_);
}

void EditorWindow::buildStatusBar() {
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("sbrStatus"));
    statusBar_->setSizeGripEnabled(false);
    const std::array<const char*, 3> keys{"Status", "Settings", "ConnectTime"};
    const std::array<int, 3> stretch{3, 2, 0};
    for (size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(statusBar_);
        panel->setObjectName(QString::fromLatin1(keys[i]));
        // Texts come from language files and file names: never read them as markup.
        panel->setTextFormat(Qt::PlainText);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        statusBar_->addPermanentWidget(panel, stretch[i]);
        panels_[i] = panel;
    }
    // A long status or port text must not widen the window: it is cut, and shown whole in
    // the panel's tooltip.
    for (QLabel* panel : {panels_[0], panels_[1]}) {
        panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        panel->setMinimumWidth(80);
    }
    panels_[0]->setText(QStringLiteral("STATUS :"));
    panels_[1]->setText(QStringLiteral("RS232 PORT :"));
    panels_[2]->setMinimumWidth(panels_[2]->fontMetrics().horizontalAdvance(QStringLiteral("000:00:00 ")) + 12);
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
        connect(name, &QLineEdit::textEdited, this, [this, k](const QString& text) { nameEdited(k, text); });
        connect(name, &QLineEdit::editingFinished, this, [this, k] { nameFinished(k); });
        nameFields_[i] = name;
        grid->addWidget(name, row, 1);

        auto* browse = new QPushButton(frame);
        browse->setObjectName(QStringLiteral("Bt_Browse_%1").arg(k));
        connect(browse, &QPushButton::clicked, this, [this, k] { browseSlot(k); });
        browseButtons_[i] = browse;
        grid->addWidget(browse, row, 2);

        auto* play = makePlayButton(frame, QStringLiteral("MsgBt_%1").arg(k));
        play->setText(q(captions_.PlayIdle));
        connect(play, &QPushButton::clicked, this, [this, k] { playSlot(k); });
        playButtons_[i] = play;
        grid->addWidget(play, row, 3, Qt::AlignCenter);

        timeLabels_[i] = valueLabel(frame, QStringLiteral("MsgTime_%1").arg(k), 7);
        sizeLabels_[i] = valueLabel(frame, QStringLiteral("MsgSize_%1").arg(k), 5);
        rateLabels_[i] = valueLabel(frame, QStringLiteral("MsgSample_%1").arg(k), 6);
        grid->addWidget(timeLabels_[i], row, 4);
        grid->addWidget(sizeLabels_[i], row, 5);
        grid->addWidget(rateLabels_[i], row, 6);
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

        triggerTimeLabels_[r] = valueLabel(frame, QStringLiteral("TrgTime_%1").arg(k), 7);
        grid->addWidget(triggerTimeLabels_[r], row, 1);

        auto* play = makePlayButton(frame, QStringLiteral("TrgBt_%1").arg(k));
        play->setText(q(captions_.PlayIdle));
        connect(play, &QPushButton::clicked, this, [this, k] { playTrigger(k); });
        triggerPlayButtons_[r] = play;
        grid->addWidget(play, row, 2, Qt::AlignCenter);

        for (int e = 1; e <= kEntriesPerTrigger; ++e) {
            const int index = entryIndex(k, e);
            auto* combo = new SequenceCombo(frame);
            combo->setObjectName(QStringLiteral("TRG1_%1").arg(index));
            connect(combo, &SequenceCombo::choicePicked, this,
                    [this, index](const QString& choice) { pickEntry(index, choice); });
            sequenceBoxes_[static_cast<size_t>(index - 1)] = combo;
            grid->addWidget(combo, row, 2 + e);
        }
        for (int z = 1; z <= kZonesPerTrigger; ++z) {
            const int index = zoneIndex(k, z);
            auto* box = new QCheckBox(frame);
            box->setObjectName(QStringLiteral("Check1_%1").arg(index));
            connect(box, &QCheckBox::toggled, this, [this, index](bool on) { toggleZone(index, on); });
            zoneBoxes_[static_cast<size_t>(index - 1)] = box;
            grid->addWidget(box, row, 2 + kEntriesPerTrigger + z, Qt::AlignCenter);
        }
    }
    grid->setRowStretch(kTriggerCount + 2, 1);
    // Stacked under the message table the trigger table keeps its columns together.
    grid->setColumnStretch(3 + kEntriesPerTrigger + kZonesPerTrigger, 1);
}

void EditorWindow::buildBottom(QWidget* area) {
    auto* row = new QHBoxLayout(area);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    indicator_ = new ConnectionIndicator(area);
    connect(indicator_, &ConnectionIndicator::clicked, this, &EditorWindow::toggleConnection);
    row->addWidget(indicator_);
    sendButton_ = new QPushButton(area);
    sendButton_->setObjectName(QStringLiteral("Bt_SendMessage"));
    sendButton_->setMinimumHeight(indicator_->sizeHint().height());
    connect(sendButton_, &QPushButton::clicked, this, &EditorWindow::sendToUnit);
    row->addWidget(sendButton_);
    progressBar_ = new QProgressBar(area);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setTextVisible(false);
    progressBar_->setMinimumWidth(120);
    // Hidden but still holding its place, so the caption beside it does not jump.
    QSizePolicy keep = progressBar_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    progressBar_->setSizePolicy(keep);
    progressBar_->hide();
    row->addWidget(progressBar_, 1);
    cancelButton_ = new QPushButton(area);
    cancelButton_->setObjectName(QStringLiteral("Bt_Cancel"));
    connect(cancelButton_, &QPushButton::clicked, this, &EditorWindow::cancelUpload);
    cancelButton_->hide();
    row->addWidget(cancelButton_);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &EditorWindow::cancelUpload);
    percentage_ = new QLabel(area);
    percentage_->setObjectName(QStringLiteral("Lb_Percentage"));
    percentage_->setTextFormat(Qt::PlainText);
    percentage_->setMinimumWidth(percentage_->fontMetrics().horizontalAdvance(
        QStringLiteral("100%  Remaining Time:  00:00:00")) + 8);
    row->addWidget(percentage_, 1);
}

}  // namespace mmx
