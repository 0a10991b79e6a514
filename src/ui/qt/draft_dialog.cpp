#include "ui/qt/draft_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mmx {

DraftDialog::DraftDialog(const audio::SpeechSynthesiser& speech, int slot, audio::DraftOptions options, QWidget* parent)
    : QDialog(parent), speech_(speech), options_(options) {
    setObjectName(QStringLiteral("DraftDialog"));
    setWindowTitle(tr("Spoken draft for message %1").arg(slot));
    auto* layout = new QVBoxLayout(this);
    auto* explain = new QLabel(tr("Type the message as it should be heard. The draft stands in for the real "
                                  "recording until that exists."),
                               this);
    explain->setWordWrap(true);
    layout->addWidget(explain);
    auto* form = new QFormLayout;
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("DraftText"));
    text_->setTabChangesFocus(true);
    text_->setMinimumSize(360, 80);
    text_->setToolTip(tr("The words of the message"));
    text_->setAccessibleName(tr("Text"));
    form->addRow(tr("&Text:"), text_);
    language_ = new QComboBox(this);
    language_->setObjectName(QStringLiteral("DraftLanguage"));
    language_->addItem(QStringLiteral("English"), QStringLiteral("en"));
    language_->addItem(QStringLiteral("Nederlands"), QStringLiteral("nl"));
    language_->addItem(QStringLiteral("中文 (普通话)"), QStringLiteral("zh"));
    language_->setToolTip(tr("The language the text is written in"));
    language_->setAccessibleName(tr("Language"));
    form->addRow(tr("&Language:"), language_);
    layout->addLayout(form);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("DraftNote"));
    note_->setWordWrap(true);
    layout->addWidget(note_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    speak_ = buttons->addButton(tr("&Speak"), QDialogButtonBox::AcceptRole);
    speak_->setObjectName(QStringLiteral("DraftSpeak"));
    speak_->setToolTip(tr("Make the draft and put it in the slot"));
    speak_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &DraftDialog::speak);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

DraftDialog::~DraftDialog() {
    if (worker_.joinable()) worker_.join();
}

QString DraftDialog::text() const { return text_->toPlainText().trimmed(); }

void DraftDialog::speak() {
    if (speaking()) return;
    const std::string text = this->text().toStdString();
    if (text.empty()) {
        note_->setText(tr("Type the text to speak first."));
        return;
    }
    const auto language = audio::speechLanguageFromCode(language_->currentData().toString().toStdString());
    speak_->setEnabled(false);
    text_->setReadOnly(true);
    note_->setText(tr("Speaking…"));
    worker_ = std::jthread([this, text, language = language.value_or(audio::SpeechLanguage::English)] {
        audio::SpokenDraft draft = audio::makeSpokenDraft(speech_, text, language, options_);
        QMetaObject::invokeMethod(this, [this, draft = std::move(draft)]() mutable { done(std::move(draft)); },
                                  Qt::QueuedConnection);
    });
}

void DraftDialog::done(audio::SpokenDraft draft) {
    if (worker_.joinable()) worker_.join();
    draft_ = std::move(draft);
    speak_->setEnabled(true);
    text_->setReadOnly(false);
    if (draft_.outcome.ok()) {
        note_->clear();
        Q_EMIT spoken(true);
        accept();
        return;
    }
    note_->setText(draft_.outcome.problem == audio::SpeechProblem::SynthesiserMissing
                       ? tr("The speech program espeak-ng is not installed. Install it with: %1")
                             .arg(QString::fromStdString(draft_.outcome.installHint))
                       : tr("No draft could be made: %1").arg(QString::fromStdString(draft_.outcome.detail)));
    Q_EMIT spoken(false);
}

}  // namespace mmx
