#include "ui/qt/adaptive_tables.h"

#include <QBoxLayout>
#include <QResizeEvent>
#include <QScrollBar>

namespace mmx {

namespace {
constexpr int kSpacing = 8;
}

AdaptiveTables::AdaptiveTables(QWidget* first, QWidget* second, QWidget* parent)
    : QScrollArea(parent), first_(first), second_(second) {
    setObjectName(QStringLiteral("Tables"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    auto* content = new QWidget(this);
    layout_ = new QBoxLayout(QBoxLayout::LeftToRight, content);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(kSpacing);
    layout_->addWidget(first_, 1);
    layout_->addWidget(second_, 0);
    setWidget(content);
}

bool AdaptiveTables::sideBySide() const { return layout_->direction() == QBoxLayout::LeftToRight; }

int AdaptiveTables::sideBySideWidth() const {
    return first_->minimumSizeHint().width() + kSpacing + second_->minimumSizeHint().width();
}

QSize AdaptiveTables::sizeHint() const {
    // Side by side with room to spare: the width arrange() keeps free for a scroll bar, and a
    // little more, since a table may ask for a few pixels more once it stands beside the other.
    const int frame = 2 * frameWidth() + 2 * kSpacing;
    const int height = std::max(first_->sizeHint().height(), second_->sizeHint().height());
    return {first_->sizeHint().width() + kSpacing + second_->sizeHint().width() +
                verticalScrollBar()->sizeHint().width() + frame,
            height + frame};
}

void AdaptiveTables::arrange(int width) {
    const auto direction = width >= sideBySideWidth() ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (layout_->direction() == direction) return;
    layout_->setDirection(direction);
    // Stacked, both tables take the whole width; side by side the extra goes to the first.
    layout_->setStretchFactor(second_, direction == QBoxLayout::TopToBottom ? 1 : 0);
}

void AdaptiveTables::resizeEvent(QResizeEvent* event) {
    // The width a vertical scroll bar would take is kept free, so the choice does not flip
    // back and forth as the bar comes and goes.
    arrange(event->size().width() - verticalScrollBar()->sizeHint().width());
    QScrollArea::resizeEvent(event);
}

}  // namespace mmx
