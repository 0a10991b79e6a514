#pragma once
// A message-sequence entry: its text changes only by picking a choice from its list. Typing,
// the arrow keys and the mouse wheel change nothing, so an entry never takes a value that was
// not chosen. A click anywhere on it opens the list, which names each message ("2 – welcome").
#include <QComboBox>

namespace mmx {

class SequenceCombo final : public QComboBox {
    Q_OBJECT
public:
    // Item data role holding what the list shows for a choice.
    static constexpr int kLabelRole = Qt::UserRole + 1;

    explicit SequenceCombo(QWidget* parent = nullptr);

    // The shown text, which may be one that is not (or no longer) in the list.
    void setEntryText(const QString& text);
    QString entryText() const { return entryText_; }
    // Refill the list without touching the shown text. labels[i], when given, is what the
    // list shows for choices[i].
    void setChoices(const QStringList& choices, const QStringList& labels = {});
    // The entry names a slot that is empty now: its text is drawn as missing.
    void setMissing(bool missing);
    bool missing() const { return missing_; }

Q_SIGNALS:
    // A choice was picked from the list.
    void choicePicked(const QString& choice);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString entryText_;
    bool missing_ = false;
};

}  // namespace mmx
