#pragma once
// A message-sequence entry: its text changes only by picking a choice from its list. Typing,
// the arrow keys and the mouse wheel change nothing, so an entry never takes a value that was
// not chosen.
#include <QComboBox>

namespace mmx {

class SequenceCombo final : public QComboBox {
    Q_OBJECT
public:
    explicit SequenceCombo(QWidget* parent = nullptr);

    // The shown text, which may be one that is not (or no longer) in the list.
    void setEntryText(const QString& text);
    QString entryText() const;
    // Refill the list without touching the shown text.
    void setChoices(const QStringList& choices);

Q_SIGNALS:
    // A choice was picked from the list.
    void choicePicked(const QString& choice);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace mmx
