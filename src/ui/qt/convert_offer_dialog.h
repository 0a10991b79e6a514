#pragma once
// The offer for a file the unit cannot play as it is: convert it, at the rate that fits the
// whole set-up or at a chosen one, with loudness normalised (on by default at -16 LUFS).
#include <QDialog>
#include <cstdint>
#include <optional>

class QCheckBox;
class QDoubleSpinBox;
class QRadioButton;
class QSpinBox;

namespace mmx {

struct ConversionChoice {
    std::optional<uint32_t> rate;        // none: the highest that fits beside the other messages
    std::optional<double> loudnessLufs;  // none: levels kept
    bool trim = false;
};

class ConvertOfferDialog final : public QDialog {
    Q_OBJECT
public:
    // reason: the message the WAVE check gave ("The file is not a mono file!").
    ConvertOfferDialog(const QString& fileName, const QString& reason, QWidget* parent = nullptr);
    ConversionChoice choice() const;

private:
    QRadioButton* autoRate_ = nullptr;
    QSpinBox* fixedRate_ = nullptr;
    QCheckBox* loudness_ = nullptr;
    QDoubleSpinBox* lufs_ = nullptr;
    QCheckBox* trim_ = nullptr;
};

}  // namespace mmx
