#include "ui/qt/splash_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

#include "mmx_version.h"
#include "ui/lang/language_file.h"

namespace mmx {

QPixmap splashPicture(double scale) {
    const QSize size(static_cast<int>(200 * scale), static_cast<int>(200 * scale));
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);

    // A rounded tile with the unit's loudspeaker and its sound waves.
    QLinearGradient tile(0, 0, 0, 200);
    tile.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
    tile.setColorAt(1, QColor(0x0f, 0x2a, 0x4f));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(4, 4, 192, 192), 22, 22);

    QPainterPath speaker;
    speaker.moveTo(42, 78);
    speaker.lineTo(66, 78);
    speaker.lineTo(98, 50);
    speaker.lineTo(98, 150);
    speaker.lineTo(66, 122);
    speaker.lineTo(42, 122);
    speaker.closeSubpath();
    p.setBrush(QColor(0xf2, 0xf5, 0xfa));
    p.drawPath(speaker);

    p.setBrush(Qt::NoBrush);
    for (int wave = 0; wave < 3; ++wave) {
        const double r = 22 + wave * 18;
        QColor colour(0x7f, 0xd3, 0xff);
        colour.setAlpha(255 - wave * 60);
        p.setPen(QPen(colour, 7, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(100 - r, 100 - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
    }

    QFont font = QGuiApplication::font();
    font.setBold(true);
    font.setPixelSize(22);
    p.setFont(font);
    p.setPen(QColor(0xf2, 0xf5, 0xfa));
    p.drawText(QRectF(4, 156, 192, 32), Qt::AlignCenter, QStringLiteral("MMX 4210"));
    return picture;
}

SplashWindow::SplashWindow(WindowState& state, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), state_(state) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(22, 22, 26, 18);
    layout->setSpacing(24);
    auto* pictureArea = new QWidget(this);
    pictures_ = new QStackedLayout(pictureArea);
    image1_ = new QLabel(pictureArea);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setPixmap(splashPicture(1.0));
    image1_->setAlignment(Qt::AlignCenter);
    image2_ = new QLabel(pictureArea);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->setPixmap(splashPicture(1.25));
    image2_->setAlignment(Qt::AlignCenter);
    pictures_->addWidget(image1_);
    pictures_->addWidget(image2_);
    pictures_->setCurrentWidget(image1_);
    layout->addWidget(pictureArea, 0, Qt::AlignVCenter);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    for (size_t i = 0; i < labels_.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Lb_Logo_%1").arg(i));
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        QFont font = label->font();
        if (i == 0) {
            font.setPointSizeF(font.pointSizeF() * 1.7);
            font.setBold(true);
        } else if (i == 1) {
            font.setPointSizeF(font.pointSizeF() * 1.35);
            font.setBold(true);
        } else if (i <= 3) {
            font.setPointSizeF(font.pointSizeF() * 1.1);
        } else {
            font.setPointSizeF(font.pointSizeF() * 0.9);
        }
        label->setFont(font);
        if (i == 4) texts->addSpacing(14);
        labels_[i] = label;
        texts->addWidget(label);
    }
    texts->addStretch(1);
    version_ = new QLabel(QStringLiteral("mmx4210 %1").arg(QLatin1String(kVersion.data(), kVersion.size())), this);
    version_->setObjectName(QStringLiteral("Lb_Version"));
    version_->setAlignment(Qt::AlignRight);
    texts->addWidget(version_);
    layout->addLayout(texts, 1);
    setMinimumWidth(700);

    for (size_t i = 0; i < labels_.size(); ++i) labels_[i]->setText(QString::fromStdString(captions_.Lb_Logo[i]));

    // The timer runs from the moment the window is made, as long as it shows.
    timer1_ = new QTimer(this);
    timer1_->setSingleShot(true);
    timer1_->setInterval(kShowMs);
    connect(timer1_, &QTimer::timeout, this, &SplashWindow::finish);
    timer1_->start();
}

int SplashWindow::pictureInFront() const { return pictures_->currentWidget() == image2_ ? 2 : 1; }

void SplashWindow::showPictureFor(int dotsPerInch) {
    if (dotsPerInch == 96) pictures_->setCurrentWidget(image1_);
    if (dotsPerInch == 120) pictures_->setCurrentWidget(image2_);
}

void SplashWindow::loadTexts() {
    if (!loadSplashTexts(state_, captions_)) return;
    for (size_t i = 0; i < labels_.size(); ++i) labels_[i]->setText(QString::fromStdString(captions_.Lb_Logo[i]));
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (activated_) return;
    activated_ = true;
    showPictureFor(logicalDpiX());
    loadTexts();
    adjustSize();
    if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    activateWindow();
    setFocus();
    // A key anywhere in the program ends the splash, even where the window manager did not
    // give this frameless window the keyboard focus.
    qApp->installEventFilter(this);
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !finished_) {
        finish();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    event->accept();
    finish();
}

void SplashWindow::mousePressEvent(QMouseEvent*) { finish(); }

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(QPen(palette().mid().color(), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // A thin accent line along the top.
    p.fillRect(QRect(1, 1, width() - 2, 4), QColor(0x1f, 0x4e, 0x8c));
}

void SplashWindow::finish() {
    if (finished_) return;
    finished_ = true;
    timer1_->stop();
    qApp->removeEventFilter(this);
    close();
    Q_EMIT closed();
}

}  // namespace mmx
