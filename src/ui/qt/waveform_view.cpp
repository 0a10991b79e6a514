#include "ui/qt/waveform_view.h"

#include <QPainter>
#include <cmath>

namespace mmx {

namespace {

QString decibels(double value) {
    return std::isfinite(value) ? QString::number(value, 'f', 1) : QStringLiteral("-\u221e");
}

}  // namespace

QString waveformToolTip(const audio::WaveformSummary& summary, bool draft) {
    if (!summary.ok) return WaveformView::tr("The waveform cannot be read: %1").arg(QString::fromStdString(summary.error));
    QStringList lines;
    if (summary.loudnessMeasured)
        lines << WaveformView::tr("Loudness %1 LUFS, true peak %2 dBTP")
                     .arg(decibels(summary.integratedLufs), decibels(summary.truePeakDb));
    else
        lines << WaveformView::tr("Measuring loudness and true peak…");
    if (summary.clips()) lines << WaveformView::tr("The sound clips where the waveform is red.");
    if (draft) lines << WaveformView::tr("A spoken draft: replace it with the real recording.");
    return lines.join(QLatin1Char('\n'));
}

WaveformView::WaveformView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(tr("Waveform"));
}

QSize WaveformView::sizeHint() const { return {kColumns + 2, fontMetrics().height() + 6}; }

void WaveformView::clear() {
    summary_.reset();
    reading_ = false;
    setToolTip(QString());
    setAccessibleDescription(QString());
    update();
}

void WaveformView::showReading() {
    reading_ = true;
    update();
}

void WaveformView::showSummary(std::shared_ptr<const audio::WaveformSummary> summary, bool draft) {
    summary_ = std::move(summary);
    reading_ = false;
    const QString tip = summary_ ? waveformToolTip(*summary_, draft) : QString();
    setToolTip(tip);
    setAccessibleDescription(tip);
    update();
}

void WaveformView::paintEvent(QPaintEvent*) {
    if (!summary_ && !reading_) return;  // an empty slot shows nothing
    QPainter painter(this);
    const QRect area = rect().adjusted(0, 1, -1, -2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(area);
    if (!summary_ || !summary_->ok || summary_->columns.empty()) {
        if (reading_ || (summary_ && !summary_->ok)) {
            painter.setPen(palette().color(QPalette::PlaceholderText));
            painter.drawText(area, Qt::AlignCenter, reading_ ? QStringLiteral("\u2026") : QStringLiteral("?"));
        }
        return;
    }
    const double middle = area.center().y() + 0.5;
    const double half = (area.height() - 2) / 2.0;
    const QColor ink = palette().color(QPalette::Highlight);
    const QColor clip(210, 30, 30);
    const auto& columns = summary_->columns;
    const double step = static_cast<double>(area.width() - 1) / static_cast<double>(columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        const auto& column = columns[i];
        const int x = area.left() + 1 + static_cast<int>(static_cast<double>(i) * step);
        const int top = static_cast<int>(std::floor(middle - column.high * half));
        const int bottom = static_cast<int>(std::ceil(middle - column.low * half));
        painter.setPen(column.clipped ? clip : ink);
        painter.drawLine(x, top, x, std::max(top, bottom));
    }
}

}  // namespace mmx
