#include "ui/qt/draft_command.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

#include "platform/speech/espeak_speech.h"
#include "storage/atomic_file.h"
#include "ui/qt/draft_dialog.h"
#include "ui/qt/editor_window.h"

namespace mmx {

namespace {
QString q(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

DraftCommand::DraftCommand(EditorWindow& editor, WindowState& state, MessageBoxes& boxes,
                           std::shared_ptr<const audio::SpeechSynthesiser> speech)
    : QObject(&editor), editor_(editor), state_(state), boxes_(boxes), speech_(std::move(speech)) {
    if (!speech_) speech_ = std::make_shared<platform::EspeakSpeech>();
    for (int k = 1; k <= kSlotCount; ++k) editor_.nameField(k)->installEventFilter(this);
}

bool DraftCommand::canTake(int slot) const {
    return !state_.setup.slot(slot).filled() && (slot == 1 || state_.setup.slot(slot - 1).filled());
}

QAction* DraftCommand::addEntry(QMenu& menu, int slot) {
    const audio::SpeechOutcome available = speech_->available();
    QAction* entry = nullptr;
    if (available.ok()) {
        entry = menu.addAction(tr("Speak a draft…"), this, [this, slot] { start(slot); });
        entry->setEnabled(canTake(slot));
        entry->setToolTip(tr("Type a message and put a spoken draft of it in this slot"));
    } else {
        entry = menu.addAction(tr("Speak a draft… (install espeak-ng first: %1)").arg(q(available.installHint)));
        entry->setEnabled(false);
        entry->setToolTip(tr("Drafts are spoken by the program espeak-ng, which is not installed"));
    }
    entry->setObjectName(QStringLiteral("SpeakDraft"));
    menu.setToolTipsVisible(true);
    return entry;
}

bool DraftCommand::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu) return false;
    for (int k = 1; k <= kSlotCount; ++k) {
        QLineEdit* name = editor_.nameField(k);
        if (watched != name) continue;
        // The field's own menu (copy, paste…) with the draft entry under it.
        QMenu* menu = name->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addSeparator();
        addEntry(*menu, k);
        menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return false;
}

std::string DraftCommand::folder() const { return state_.settings.setupFolder; }

DraftDialog* DraftCommand::start(int slot) {
    if (dialog_) dialog_->close();
    audio::DraftOptions options;
    // The other slots' memory is taken: the draft's rate is chosen so that it still fits.
    options.reservedBytes = totalStoredLength(state_.setup) - storedLength(state_.setup.slot(slot));
    auto* dialog = new DraftDialog(*speech_, slot, options, &editor_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog_ = dialog;
    connect(dialog, &DraftDialog::spoken, this, [this, slot, dialog](bool ok) {
        if (ok) place(slot, *dialog);
    });
    dialog->open();
    return dialog;
}

void DraftCommand::place(int slot, const DraftDialog& dialog) {
    const std::string path = folder() + audio::draftFileName(slot, dialog.text().toStdString());
    std::string error;
    if (!writeFileAtomically(path, dialog.draft().message.waveBytes, &error)) {
        boxes_.alert(tr("%1 could not be written: %2").arg(q(path), q(error)).toStdString(), WindowState::kEditorCaption);
        return;
    }
    editor_.editor().assignFile(slot, path);
    editor_.refreshFromState();
    Q_EMIT editor_.setupEdited();
    Q_EMIT draftPlaced(slot, q(path));
}

}  // namespace mmx
