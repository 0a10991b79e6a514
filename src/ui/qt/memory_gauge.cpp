#include "ui/qt/memory_gauge.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "core/unit_facts.h"

namespace mmx {

MemoryGauge::MemoryGauge(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MemoryGauge"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    caption_ = new QLabel(tr("Free memory:"), this);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, unit::kCapacityBytes / 1000);
    bar_->setTextVisible(false);
    bar_->setMaximumHeight(caption_->sizeHint().height());
    figures_ = new QLabel(this);
    figures_->setTextFormat(Qt::PlainText);
    row->addWidget(caption_);
    row->addWidget(bar_, 1);
    row->addWidget(figures_);
    showUsed(0);
}

void MemoryGauge::showUsed(int64_t usedBytes) {
    // Whole kB of 1000 bytes, as the table counts; never below 0 for a set-up over capacity.
    const int64_t freeKb = std::max<int64_t>(0, unit::kCapacityBytes - usedBytes) / 1000;
    const int64_t totalKb = unit::kCapacityBytes / 1000;
    bar_->setValue(static_cast<int>(freeKb));
    // Worded at every refresh, so a language chosen after the window was built shows here too.
    caption_->setText(tr("Free memory:"));
    figures_->setText(tr("%1 of %2 kB").arg(freeKb).arg(totalKb));
}

QString MemoryGauge::text() const { return figures_->text(); }

}  // namespace mmx
