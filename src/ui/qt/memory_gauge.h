#pragma once
// The unit memory still free for messages, as "3219 of 8380 kB" beside a bar.
#include <QWidget>
#include <cstdint>

class QLabel;
class QProgressBar;

namespace mmx {

class MemoryGauge final : public QWidget {
    Q_OBJECT
public:
    explicit MemoryGauge(QWidget* parent = nullptr);
    // usedBytes: the stored length of all messages (all slots together).
    void showUsed(int64_t usedBytes);
    QString text() const;

private:
    QLabel* caption_ = nullptr;
    QLabel* figures_ = nullptr;
    QProgressBar* bar_ = nullptr;
};

}  // namespace mmx
