#pragma once
// The line beside the upload button that says what the next upload will take:
// "full upload, about 14 min 20 s" or "tables only, about 3 s".
#include <QLabel>

#include "app/upload_estimate.h"

namespace mmx {

class UploadEstimateLabel final : public QLabel {
    Q_OBJECT
public:
    explicit UploadEstimateLabel(QWidget* parent = nullptr);
    void showEstimate(const UploadEstimate& estimate);
    // "about 14 min 20 s": seconds under a minute exactly, longer times to ten seconds.
    static QString durationText(int seconds);
    void applyTexts();

private:
    UploadEstimate shown_;
};

}  // namespace mmx
