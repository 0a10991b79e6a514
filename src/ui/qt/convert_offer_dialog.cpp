#include "ui/qt/convert_offer_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "audio/rate_plan.h"

namespace mmx {

ConvertOfferDialog::ConvertOfferDialog(const QString& fileName, const QString& reason, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ConvertOfferDialog"));
    setWindowTitle(tr("Convert for the unit"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("%1\n\n\"%2\" cannot be played by the unit as it is. It can be converted into a "
                                "WAVE file the unit plays (mono, 16 bit, 8 to 24 kHz).")
                                 .arg(reason, fileName),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* options = new QGridLayout;
    autoRate_ = new QRadioButton(tr("Sample rate: the highest at which the whole set-up fits"), this);
    autoRate_->setChecked(true);
    auto* fixed = new QRadioButton(tr("Sample rate in Hz:"), this);
    fixedRate_ = new QSpinBox(this);
    fixedRate_->setRange(static_cast<int>(audio::kUnitMinRate), static_cast<int>(audio::kUnitMaxRate));
    fixedRate_->setValue(16000);
    fixedRate_->setEnabled(false);
    connect(fixed, &QRadioButton::toggled, fixedRate_, &QSpinBox::setEnabled);
    loudness_ = new QCheckBox(tr("Loudness in LUFS (EBU R128):"), this);
    loudness_->setChecked(true);
    lufs_ = new QDoubleSpinBox(this);
    lufs_->setRange(-40.0, -6.0);
    lufs_->setDecimals(1);
    lufs_->setValue(-16.0);
    connect(loudness_, &QCheckBox::toggled, lufs_, &QDoubleSpinBox::setEnabled);
    trim_ = new QCheckBox(tr("Cut silence at the start and the end"), this);
    options->addWidget(autoRate_, 0, 0, 1, 2);
    options->addWidget(fixed, 1, 0);
    options->addWidget(fixedRate_, 1, 1);
    options->addWidget(loudness_, 2, 0);
    options->addWidget(lufs_, 2, 1);
    options->addWidget(trim_, 3, 0, 1, 2);
    layout->addLayout(options);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* convert = buttons->addButton(tr("Convert for the unit"), QDialogButtonBox::AcceptRole);
    convert->setObjectName(QStringLiteral("ConvertButton"));
    convert->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

ConversionChoice ConvertOfferDialog::choice() const {
    ConversionChoice choice;
    if (!autoRate_->isChecked()) choice.rate = static_cast<uint32_t>(fixedRate_->value());
    if (loudness_->isChecked()) choice.loudnessLufs = lufs_->value();
    choice.trim = trim_->isChecked();
    return choice;
}

}  // namespace mmx
