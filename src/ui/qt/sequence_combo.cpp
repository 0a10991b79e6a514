#include "ui/qt/sequence_combo.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace mmx {

namespace {

// The list shows each choice's label; the choice itself stays the item's text.
class LabelDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant label = index.data(SequenceCombo::kLabelRole);
        if (label.isValid()) option->text = label.toString();
    }
};

}  // namespace

SequenceCombo::SequenceCombo(QWidget* parent) : QComboBox(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(2);
    view()->setItemDelegate(new LabelDelegate(view()));
    connect(this, &QComboBox::activated, this, [this](int index) {
        const QString choice = itemText(index);
        setEntryText(choice);
        Q_EMIT choicePicked(choice);
    });
}

void SequenceCombo::setEntryText(const QString& text) {
    if (entryText_ == text && currentText() == text) return;
    entryText_ = text;
    const QSignalBlocker block(this);
    setCurrentIndex(findText(text));  // -1 for a text that is not in the list
    update();
}

void SequenceCombo::setChoices(const QStringList& choices, const QStringList& labels) {
    QStringList current;
    QStringList currentLabels;
    for (int i = 0; i < count(); ++i) {
        current << itemText(i);
        currentLabels << itemData(i, kLabelRole).toString();
    }
    QStringList wantedLabels = labels;
    while (wantedLabels.size() < choices.size()) wantedLabels << choices[wantedLabels.size()];
    if (current == choices && currentLabels == wantedLabels) return;
    const QSignalBlocker block(this);
    clear();
    int widest = 0;
    for (int i = 0; i < choices.size(); ++i) {
        addItem(choices[i]);
        setItemData(i, wantedLabels[i], kLabelRole);
        setItemData(i, wantedLabels[i], Qt::ToolTipRole);
        widest = std::max(widest, fontMetrics().horizontalAdvance(wantedLabels[i]));
    }
    // The list is wider than the entry so that the names fit.
    view()->setMinimumWidth(widest + 40);
    setCurrentIndex(findText(entryText_));
}

void SequenceCombo::setMissing(bool missing) {
    if (missing_ == missing) return;
    missing_ = missing;
    update();
}

void SequenceCombo::paintEvent(QPaintEvent*) {
    // The entry's own text, also one that is not (or no longer) in the list.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = missing_ ? entryText_ + QStringLiteral(" !") : entryText_;
    if (missing_) option.palette.setColor(QPalette::ButtonText, QColor(0xb0, 0x00, 0x20));
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
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

}  // namespace mmx
