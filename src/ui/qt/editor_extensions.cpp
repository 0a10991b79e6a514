#include "ui/qt/editor_extensions.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "ui/qt/draft_command.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/frame_window.h"
#include "ui/qt/recent_setups.h"
#include "ui/qt/sequence_export.h"
#include "ui/qt/slot_drop.h"
#include "ui/qt/upload_estimate_label.h"
#include "ui/qt/waveform_strip.h"

namespace mmx {

EditorExtensions::EditorExtensions(FrameWindow& frame, WindowState& state, Services services)
    : QObject(&frame), frame_(frame), state_(state), services_(std::move(services)) {
    EditorWindow& editor = frame_.editorWindow();
    const auto open = [this](const std::string& path) { openSetup(path); };
    drop_ = new SlotDrop(editor, state_, open);
    recent_ = new RecentSetups(*frame_.menu(QStringLiteral("File")), state_, *services_.boxes, open, this);
    waveforms_ = new WaveformStrip(editor, state_, this);
    export_ = new SequenceExport(editor, state_, *services_.dialog, *services_.boxes);
    drafts_ = new DraftCommand(editor, state_, *services_.boxes, services_.speech);

    // The time line sits right of the upload button, and gives way to the progress bar.
    estimate_ = new UploadEstimateLabel(editor.sendButton()->parentWidget());
    if (auto* row = qobject_cast<QBoxLayout*>(editor.sendButton()->parentWidget()->layout()))
        row->insertWidget(row->indexOf(editor.sendButton()) + 1, estimate_);
    estimate_->setVisible(!editor.uploadRunning());
    connect(&editor, &EditorWindow::uploadActive, estimate_, [this](bool active) {
        estimate_->setVisible(!active);
        follow();
    });

    connect(&editor, &EditorWindow::setupEdited, this, &EditorExtensions::follow);
    connect(&frame_, &QWidget::windowTitleChanged, this, [this] {
        noteNamedSetup();
        follow();
    });
    // Some changes reach the editor without a signal (a set-up opened again under the same
    // name, an upload's verdict): a light look every half second catches them.
    follower_ = new QTimer(this);
    follower_->setInterval(500);
    connect(follower_, &QTimer::timeout, this, &EditorExtensions::follow);
    follower_->start();
    frame_.installEventFilter(this);
    follow();
}

EditorExtensions::~EditorExtensions() = default;

bool EditorExtensions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &frame_ && event->type() == QEvent::LanguageChange) applyTexts();
    return false;
}

void EditorExtensions::applyTexts() {
    recent_->applyTexts();
    estimate_->applyTexts();
}

void EditorExtensions::follow() {
    waveforms_->refresh();
    int messages = 0;
    for (int k = 1; k <= kSlotCount; ++k) messages += state_.setup.slot(k).filled() ? 1 : 0;
    estimate_->showEstimate(totalStoredLength(state_.setup), messages, state_.messagesUploaded, state_.settings.port.line);
}

void EditorExtensions::noteNamedSetup() {
    if (!frame_.setupCommands().named()) return;
    const std::string path = state_.settings.setupFolder + state_.settings.setupFile;
    if (QFileInfo(QString::fromStdString(path)).isFile()) recent_->note(path);
}

bool EditorExtensions::openSetup(const std::string& path) {
    if (frame_.editorWindow().uploadRunning()) return false;
    if (frame_.setupCommands().settleUnsavedEdits() != FileCommandResult::Done) return false;
    const std::string absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
    const bool opened = frame_.openSetupFile(absolute) == FileCommandResult::Done;
    if (opened) recent_->note(absolute);
    follow();
    return opened;
}

}  // namespace mmx
