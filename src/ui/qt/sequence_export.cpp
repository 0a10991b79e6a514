#include "ui/qt/sequence_export.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <filesystem>

#include "audio/sequence_render.h"
#include "core/wave_header.h"
#include "storage/atomic_file.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/sequence_combo.h"

namespace mmx {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

bool samePath(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

SequenceExport::SequenceExport(EditorWindow& editor, const WindowState& state, FileDialog& dialog, MessageBoxes& boxes)
    : QObject(&editor), editor_(editor), state_(state), dialog_(dialog), boxes_(boxes) {
    frame_ = editor_.triggerTimeLabel(1)->parentWidget();
    // The row's own controls have no menu of their own: a right click anywhere on it comes here.
    frame_->installEventFilter(this);
}

int SequenceExport::rowAt(const QPoint& pos) const {
    for (int row = 1; row <= kTriggerCount; ++row) {
        const QWidget* time = editor_.triggerTimeLabel(row);
        const int top = time->mapTo(frame_, QPoint(0, 0)).y() - 2;
        if (pos.y() >= top && pos.y() <= top + editor_.sequenceBox(entryIndex(row, 1))->height() + 3) return row;
    }
    return 0;
}

bool SequenceExport::eventFilter(QObject* watched, QEvent* event) {
    if (watched != frame_ || event->type() != QEvent::ContextMenu) return false;
    auto* request = static_cast<QContextMenuEvent*>(event);
    const int row = rowAt(request->pos());
    if (row == 0) return false;
    QMenu* menu = menuFor(row, frame_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(request->globalPos());
    return true;
}

QMenu* SequenceExport::menuFor(int row, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("TriggerMenu"));
    QAction* item = menu->addAction(tr("Export sequence…"), this, [this, row] { exportRow(row); });
    item->setObjectName(QStringLiteral("ExportSequence"));
    item->setEnabled(state_.setup.trigger(row).length() > 0);
    item->setToolTip(tr("Write the messages of trigger %1 one after the other as one WAVE file").arg(row));
    menu->setToolTipsVisible(true);
    return menu;
}

QString SequenceExport::refusal(int row, std::vector<std::string>& paths) const {
    paths.clear();
    const Trigger& trigger = state_.setup.trigger(row);
    for (int position = 0; position < trigger.length(); ++position) {
        const int message = trigger.sequence.at(static_cast<size_t>(position));
        const Slot& slot = state_.setup.slot(message);
        if (!slot.filled() || slot.path.empty())
            return tr("Trigger %1 plays message %2, but that slot holds no file; nothing was written.")
                .arg(row)
                .arg(message);
        paths.push_back(slot.path);
    }
    if (paths.empty()) return tr("Trigger %1 plays no message; nothing was written.").arg(row);
    return {};
}

bool SequenceExport::exportRow(int row) {
    const std::string title = WindowState::kEditorCaption;
    std::vector<std::string> paths;
    if (const QString refused = refusal(row, paths); !refused.isEmpty()) {
        boxes_.alert(refused.toStdString(), title);
        return false;
    }
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filter = "All Files (*.*)|*.*|WAVE Files (*.wav)|*.wav";
    request.filterIndex = 2;
    request.fileName = "trigger-" + std::to_string(row) + ".wav";
    request.initialFolder = state_.settings.setupFolder;
    const auto chosen = dialog_.show(request);
    if (!chosen || chosen->empty()) return false;
    bool partOfSetup = samePath(*chosen, state_.settings.setupFolder + state_.settings.setupFile);
    for (const std::string& path : paths) partOfSetup = partOfSetup || samePath(*chosen, path);
    if (partOfSetup) {
        boxes_.alert(tr("%1 is the set-up file or one of its messages; it is never overwritten.").arg(q(*chosen)).toStdString(),
                     title);
        return false;
    }
    const audio::RenderedSequence rendered = audio::renderSequence(paths);
    if (!rendered.ok()) {
        // A message the unit cannot play is refused in the words the message table uses.
        const WaveCheck check = ReadWaveHeader(rendered.path);
        const QString why = check.messageBoxIndex ? q(state_.texts.messageBox(*check.messageBoxIndex)) : q(rendered.reason);
        boxes_.alert(tr("%1: %2\nNothing was written.").arg(QFileInfo(q(rendered.path)).fileName(), why).toStdString(),
                     title);
        return false;
    }
    std::string error;
    if (!writeFileAtomically(*chosen, rendered.waveBytes, &error)) {
        boxes_.alert(tr("%1 could not be written: %2").arg(q(*chosen), q(error)).toStdString(), title);
        return false;
    }
    editor_.statusPanel(1)->setText(q(state_.texts.status(UiTextTable::StatusPrefix) + " ") +
                                    tr("Trigger %1: %2 s written to %3")
                                        .arg(row)
                                        .arg(rendered.seconds(), 0, 'f', 2)
                                        .arg(q(*chosen)));
    return true;
}

}  // namespace mmx
