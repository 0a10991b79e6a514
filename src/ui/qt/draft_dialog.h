#pragma once
// "Speak a draft…": the operator types a message and picks its language; the speech program
// speaks it off the window thread and the sound goes through the same conversion as imports.
#include <QDialog>
#include <thread>

#include "audio/spoken_draft.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace mmx {

class DraftDialog final : public QDialog {
    Q_OBJECT
public:
    DraftDialog(const audio::SpeechSynthesiser& speech, int slot, audio::DraftOptions options,
                QWidget* parent = nullptr);
    ~DraftDialog() override;  // waits for speech still running

    QPlainTextEdit* textField() const { return text_; }
    QComboBox* languageChoice() const { return language_; }
    QPushButton* speakButton() const { return speak_; }
    QLabel* note() const { return note_; }
    // Starts speaking what was typed; spoken follows (the dialog is accepted when it worked).
    void speak();
    bool speaking() const { return worker_.joinable(); }
    const audio::SpokenDraft& draft() const { return draft_; }
    QString text() const;

Q_SIGNALS:
    void spoken(bool ok);

private:
    void done(audio::SpokenDraft draft);

    const audio::SpeechSynthesiser& speech_;
    audio::DraftOptions options_;
    QPlainTextEdit* text_ = nullptr;
    QComboBox* language_ = nullptr;
    QPushButton* speak_ = nullptr;
    QLabel* note_ = nullptr;
    audio::SpokenDraft draft_;
    std::jthread worker_;
};

}  // namespace mmx
