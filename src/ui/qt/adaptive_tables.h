#pragma once
// Holds the message and the trigger table: side by side when the window is wide enough for
// both, one above the other when it is not, and scrollable when even that does not fit. So the
// window fits small screens in every language, and extra width goes to the message table.
#include <QScrollArea>

class QBoxLayout;

namespace mmx {

class AdaptiveTables final : public QScrollArea {
    Q_OBJECT
public:
    AdaptiveTables(QWidget* first, QWidget* second, QWidget* parent = nullptr);

    bool sideBySide() const;
    // Room for both tables side by side without scrolling.
    QSize sizeHint() const override;
    // Small: the window may be as small as the screen needs, the tables then scroll.
    QSize minimumSizeHint() const override { return {240, 160}; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange(int width);
    int sideBySideWidth() const;

    QWidget* first_;
    QWidget* second_;
    QBoxLayout* layout_ = nullptr;
};

}  // namespace mmx
