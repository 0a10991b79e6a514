#include "ui/qt/connection_indicator.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>

namespace mmx {

ConnectionIndicator::ConnectionIndicator(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setConnected(false);
}

void ConnectionIndicator::setConnected(bool connected) {
    connected_ = connected;
    setObjectName(QStringLiteral("ConnectionIndicator"));
    showHelpText();
    update();
}

void ConnectionIndicator::setHelpTexts(const QString& notConnected, const QString& connected) {
    notConnectedText_ = notConnected;
    connectedText_ = connected;
    showHelpText();
}

void ConnectionIndicator::showHelpText() {
    const QString& text = connected_ ? connectedText_ : notConnectedText_;
    setAccessibleName(text.isEmpty() ? (connected_ ? QStringLiteral("imgConnected") : QStringLiteral("imgNotConnected"))
                                     : text);
    setToolTip(text);
}

void ConnectionIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    const QColor accent = connected_ ? QColor(0x2e, 0x9d, 0x3a) : QColor(0xc6, 0x28, 0x28);
    const QColor body = isEnabled() ? QColor(0x4a, 0x4f, 0x57) : QColor(0xa0, 0xa0, 0xa0);

    // Rounded frame in the state colour, lighter when the mouse is over it.
    QColor fill = accent.lighter(isDown() ? 150 : (underMouse() ? 175 : 190));
    p.setPen(QPen(accent, 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(area, 6, 6);

    const double midY = area.center().y();
    const double h = area.height() * 0.42;
    const double gap = connected_ ? 0.0 : area.width() * 0.14;
    const double centreX = area.center().x();

    // Left half: the cable and the plug with its two pins.
    p.setPen(QPen(body, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(area.left() + 6, midY), QPointF(centreX - gap / 2 - h * 0.9, midY));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    const QRectF plug(centreX - gap / 2 - h * 0.9, midY - h / 2, h * 0.6, h);
    p.drawRoundedRect(plug, 2, 2);
    p.setPen(QPen(body, 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(plug.right(), midY - h * 0.22), QPointF(plug.right() + h * 0.3, midY - h * 0.22));
    p.drawLine(QPointF(plug.right(), midY + h * 0.22), QPointF(plug.right() + h * 0.3, midY + h * 0.22));

    // Right half: the socket and its cable.
    p.setPen(Qt::NoPen);
    const QRectF socket(centreX + gap / 2 + h * 0.3, midY - h / 2 - 1, h * 0.6, h + 2);
    p.drawRoundedRect(socket, 2, 2);
    p.setPen(QPen(body, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(socket.right(), midY), QPointF(area.right() - 6, midY));

    // A small lightning mark when connected, a cross when apart.
    p.setPen(QPen(accent.darker(120), 2.2, Qt::SolidLine, Qt::RoundCap));
    const QPointF mark(centreX, area.top() + area.height() * 0.16);
    if (connected_) {
        QPainterPath bolt;
        bolt.moveTo(mark + QPointF(2, -3));
        bolt.lineTo(mark + QPointF(-2, 1));
        bolt.lineTo(mark + QPointF(2, 1));
        bolt.lineTo(mark + QPointF(-2, 5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(bolt);
    } else {
        p.drawLine(mark + QPointF(-3, -3), mark + QPointF(3, 3));
        p.drawLine(mark + QPointF(-3, 3), mark + QPointF(3, -3));
    }

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

}  // namespace mmx
