// The editor window's side of the link: the connection indicator, the upload with its Cancel
// button, and what the window says about both.
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "ui/qt/connection_indicator.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/problem_words.h"
#include "ui/qt/upload_runner.h"

namespace mmx {

namespace {
QString q(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

void EditorWindow::toggleConnection() {
    if (uploadRunning()) return;
    if (connection_->isConnected()) {
        connection_->Disconnect();
    } else if (!connection_->Connect() && !connection_->lastError().empty()) {
        // The panel's own text says that the port cannot be opened; the reason follows it.
        panels_[1]->setText(panels_[1]->text() + QStringLiteral(" (") + q(connection_->lastError()) +
                            QStringLiteral(")"));
    }
    showPortState();
}

void EditorWindow::showPortState() {
    indicator_->setConnected(connection_->isConnected());
    panels_[1]->setToolTip(panels_[1]->text());
}

QString EditorWindow::portPanelText() const {
    const std::string prefix = state_.texts.status(UiTextTable::PortPrefix) + " ";
    if (uploadRunning() || !connection_->isConnected()) return q(prefix);
    return q(prefix + "COM" + std::to_string(state_.settings.port.Commport) + " / " + state_.settings.port.settingsText());
}

void EditorWindow::tickClock() {
    if (!uploadRunning() && connection_->clockRunning()) connection_->tickClock();
}

void EditorWindow::sendToUnit() {
    if (uploadRunning()) return;
    // A trigger that would play nothing where its sequence names an emptied slot is no set-up to
    // send: the operator hears of it before anything goes to the unit.
    if (const EntryNamingEmptySlot entry = firstEntryNamingEmptySlot(state_.setup)) {
        services_.boxes->alert(tr("Trigger %1 plays slot %2, which is empty. Choose another message for it "
                                  "or fill the slot, then send again.")
                                   .arg(entry.trigger)
                                   .arg(entry.slot)
                                   .toStdString(),
                               captions_.Form1);
        return;
    }
    // The upload opens the port itself: a port the indicator opened is closed cleanly first,
    // so that the upload does not take it for one already in use.
    if (connection_->isConnected()) connection_->Disconnect();
    showPortState();
    progressBar_->hide();
    percentage_->clear();
    uploadRunning_.store(true);
    lockInput(true);
    Q_EMIT uploadActive(true);
    if (!upload_->start(UploadSnapshot{state_.setup, state_.settingsFolder, state_.messagesUploaded})) {
        uploadRunning_.store(false);
        lockInput(false);
        Q_EMIT uploadActive(false);
    }
}

void EditorWindow::cancelUpload() {
    if (!uploadRunning()) return;
    cancelButton_->setEnabled(false);
    upload_->cancel();
}

void EditorWindow::uploadFinished(const UploadJobResult& job) {
    const UploadResult& result = job.upload;
    lastUpload_ = result;
    // A file sent with other figures than the set-up held is shown as it was sent; the saved
    // set-up follows, since nothing was edited.
    const bool wasSaved = !state_.setupChanged();
    applyUploadResult(result, state_.setup);
    if (wasSaved) state_.markSaved();
    state_.messagesUploaded = result.messagesUploaded;
    if (job.fileProblem) {
        const MessageFileProblem& problem = *job.fileProblem;
        const std::string box = state_.texts.messageBox(problem.messageBoxIndex.value_or(UiTextTable::MessagePathIncorrect));
        services_.boxes->alert(box + "\n\n" + ProblemWords::messageFile(problem).toStdString(), captions_.Form1);
    }
    uploadRunning_.store(false);
    lockInput(false);
    refreshFromState();
    showPortState();
    const UiTextTable& texts = state_.texts;
    if (result.verdict == UploadVerdict::Cancelled) {
        panels_[0]->setText(q(texts.status(UiTextTable::StatusPrefix) + " ") +
                            tr("Upload cancelled: it was not completed, the unit does not hold this set-up."));
    } else if (result.succeeded()) {
        // A full upload takes many minutes: the result waits in a box for whoever looked away.
        const bool full = result.verdict == UploadVerdict::Succeeded;
        services_.boxes->inform(
            trimBlanks(texts.status(full ? UiTextTable::UploadSucceeded : UiTextTable::ConfigUploadSucceeded)),
            captions_.Form1);
    }
    panels_[0]->setToolTip(panels_[0]->text());
    Q_EMIT uploadActive(false);
}

void EditorWindow::lockInput(bool locked) {
    messageFrame_->setEnabled(!locked);
    triggerFrame_->setEnabled(!locked);
    indicator_->setEnabled(!locked);
    sendButton_->setEnabled(!locked);
    cancelButton_->setVisible(locked);
    cancelButton_->setEnabled(locked);
}

}  // namespace mmx
