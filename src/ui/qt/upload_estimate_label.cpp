#include "ui/qt/upload_estimate_label.h"

namespace mmx {

UploadEstimateLabel::UploadEstimateLabel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("UploadEstimate"));
    setTextFormat(Qt::PlainText);
    setForegroundRole(QPalette::PlaceholderText);
    applyTexts();
}

void UploadEstimateLabel::applyTexts() {
    setToolTip(tr("What the next upload will take: the whole memory, or only the two tables when the unit "
                  "holds these messages already"));
    setAccessibleName(tr("Upload time"));
    showEstimate(shown_);
}

QString UploadEstimateLabel::durationText(int seconds) {
    if (seconds < 60) return tr("about %1 s").arg(seconds);
    const int rounded = (seconds + 5) / 10 * 10;
    if (rounded % 60 == 0) return tr("about %1 min").arg(rounded / 60);
    return tr("about %1 min %2 s").arg(rounded / 60).arg(rounded % 60);
}

void UploadEstimateLabel::showEstimate(const UploadEstimate& estimate) {
    shown_ = estimate;
    const QString text = (estimate.full ? tr("full upload, %1") : tr("tables only, %1")).arg(durationText(estimate.seconds));
    if (this->text() != text) setText(text);
    setAccessibleDescription(text);
}

}  // namespace mmx
