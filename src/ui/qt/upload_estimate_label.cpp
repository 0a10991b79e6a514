#include "ui/qt/upload_estimate_label.h"

#include "core/unit_facts.h"
#include "core/upload_time.h"

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
    setText(shownText());
    setAccessibleDescription(text());
}

QString UploadEstimateLabel::durationText(double seconds) {
    const int64_t about = aboutSeconds(seconds);
    if (about < 60) return tr("about %1 s").arg(about);
    if (about % 60 == 0) return tr("about %1 min").arg(about / 60);
    return tr("about %1 min %2 s").arg(about / 60).arg(about % 60);
}

QString UploadEstimateLabel::shownText() const {
    return (full_ ? tr("full upload, %1") : tr("tables only, %1")).arg(durationText(seconds_));
}

void UploadEstimateLabel::showEstimate(int64_t messageBytes, int messages, bool messagesOnUnit, const LineSettings& line) {
    full_ = !messagesOnUnit;
    const auto blocks = static_cast<uint64_t>((messageBytes + unit::kBlockBytes - 1) / unit::kBlockBytes);
    seconds_ = full_ ? fullUploadSeconds(line, blocks, messages) : tablesUploadSeconds(line);
    const QString text = shownText();
    if (this->text() == text) return;
    setText(text);
    setAccessibleDescription(text);
}

}  // namespace mmx
