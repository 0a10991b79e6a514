#pragma once
// The line beside the upload button that says what the next upload will take:
// "full upload, about 14 min 20 s" or "tables only, about 3 s".
#include <QLabel>
#include <cstdint>

#include "core/line_settings.h"

namespace mmx {

class UploadEstimateLabel final : public QLabel {
    Q_OBJECT
public:
    explicit UploadEstimateLabel(QWidget* parent = nullptr);
    // messageBytes: the stored length of all messages in `messages` slots. With the messages on
    // the unit already, only the tables are rewritten (read back and vouched for at the upload).
    void showEstimate(int64_t messageBytes, int messages, bool messagesOnUnit, const LineSettings& line);
    // "about 14 min 20 s" for a line time in seconds.
    static QString durationText(double seconds);
    void applyTexts();

private:
    QString shownText() const;

    bool full_ = true;
    double seconds_ = 0;
};

}  // namespace mmx
