#include "ui/qt/sequence_combo.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace mmx {

SequenceCombo::SequenceCombo(QWidget* parent) : QComboBox(parent) {
    // Editable only so that any text can be shown; the line itself is read-only.
    setEditable(true);
    lineEdit()->setReadOnly(true);
    lineEdit()->installEventFilter(this);
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(2);
    connect(this, &QComboBox::activated, this, [this](int index) {
        const QString choice = itemText(index);
        setEntryText(choice);
        Q_EMIT choicePicked(choice);
    });
}

void SequenceCombo::setEntryText(const QString& text) {
    if (lineEdit()->text() == text) return;
    const QSignalBlocker block(this);
    setEditText(text);
}

QString SequenceCombo::entryText() const { return lineEdit()->text(); }

void SequenceCombo::setChoices(const QStringList& choices) {
    QStringList current;
    for (int i = 0; i < count(); ++i) current << itemText(i);
    if (current == choices) return;
    const QString shown = entryText();
    const QSignalBlocker block(this);
    clear();
    addItems(choices);
    setEditText(shown);
}

void SequenceCombo::keyPressEvent(QKeyEvent* event) {
    const bool alt = event->modifiers().testFlag(Qt::AltModifier);
    switch (event->key()) {
        case Qt::Key_F4:
        case Qt::Key_Space:
            showPopup();
            return;
        case Qt::Key_Down:
        case Qt::Key_Up:
            if (alt) showPopup();
            return;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            event->ignore();  // focus moves on
            return;
        default:
            return;  // no key changes the entry
    }
}

void SequenceCombo::wheelEvent(QWheelEvent* event) { event->ignore(); }

bool SequenceCombo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit()) {
        if (event->type() == QEvent::MouseButtonPress && isEnabled()) {
            showPopup();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
            keyPressEvent(key);
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

}  // namespace mmx
