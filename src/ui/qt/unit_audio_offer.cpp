#include "ui/qt/unit_audio_offer.h"

#include <unistd.h>

#include <QProgressDialog>
#include <QWidget>
#include <filesystem>

#include "storage/atomic_file.h"
#include "ui/qt/conversion_worker.h"
#include "ui/qt/problem_words.h"

namespace mmx {

namespace fs = std::filesystem;

UnitAudioOffer::UnitAudioOffer(WindowState& state, Editor& editor, MessageBoxes& boxes, QWidget* window)
    : QObject(window), state_(state), editor_(editor), boxes_(boxes), window_(window) {
    worker_ = new ConversionWorker(this);
    connect(worker_, &ConversionWorker::finished, this, &UnitAudioOffer::conversionFinished);
}

void UnitAudioOffer::setAsk(Ask ask) {
    ask_ = std::move(ask);
    editor_.setUnplayableFileHandler([this](int k, const std::string& path, int text) { offer(k, path, text); });
}

void UnitAudioOffer::askWithDialog() {
    setAsk([this](const QString& fileName, const QString& reason) -> std::optional<ConversionChoice> {
        ConvertOfferDialog dialog(fileName, reason, window_);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.choice();
    });
}

UnitAudioOffer::~UnitAudioOffer() = default;

bool UnitAudioOffer::converting() const { return worker_->running(); }

std::string UnitAudioOffer::outputFolder(const WindowState& state, const std::string& input) {
    for (const fs::path& base : {fs::path(state.settings.setupFolder), fs::path(input).parent_path()}) {
        if (base.empty()) continue;
        const fs::path folder = base / "unit-audio";
        std::error_code error;
        fs::create_directories(folder, error);
        if (!error && ::access(folder.c_str(), W_OK) == 0) return folder.string() + "/";
    }
    return {};
}

std::filesystem::path UnitAudioOffer::freshOutputPath(const std::string& folder, const std::string& input) {
    // Never over a file that is there already: a slot (or an undo step) may use it, and two
    // sources of the same name ("a/stereo.wav", "b/stereo.wav") must stay two files.
    const std::string stem = fs::path(input).stem().string();
    fs::path output = fs::path(folder) / (stem + ".wav");
    std::error_code error;
    for (int n = 2; fs::exists(output, error) || fs::equivalent(output, input, error); ++n)
        output = fs::path(folder) / (stem + "-" + std::to_string(n) + ".wav");
    return output;
}

void UnitAudioOffer::offer(int k, const std::string& path, int messageBoxIndex) {
    if (converting()) return;
    const QString reason = QString::fromStdString(state_.texts.messageBox(messageBoxIndex));
    const auto choice = ask_(QString::fromStdString(fs::path(path).filename().string()), reason);
    if (!choice) return;

    audio::ConvertOptions options;
    options.rate = choice->rate;
    options.loudnessLufs = choice->loudnessLufs;
    options.trim = choice->trim;
    // "Auto" means the highest rate at which this file fits beside the other messages.
    for (int i = 1; i <= unit::kSlots; ++i) {
        if (i != k) options.reservedBytes += storedLength(state_.setup.slot(i));
    }
    slot_ = k;
    input_ = path;
    progress_ = new QProgressDialog(tr("Converting \"%1\" for the unit...").arg(QString::fromStdString(fs::path(path).filename().string())),
                                    QString(), 0, 100, window_);
    progress_->setObjectName(QStringLiteral("ConversionProgress"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    connect(worker_, &ConversionWorker::progressed, progress_.data(), &QProgressDialog::setValue);
    progress_->show();
    worker_->start({path}, options);
}

void UnitAudioOffer::conversionFinished() {
    if (progress_) progress_->deleteLater();
    const audio::BatchResult& result = worker_->result();
    const auto alert = [this](const QString& text) { boxes_.alert(text.toStdString(), Editor::kTitle); };
    const QString name = QString::fromStdString(fs::path(input_).filename().string());
    if (result.files.size() != 1 || !result.files[0].ok) {
        const QString why = result.files.empty() ? QString() : QString::fromStdString(result.files[0].error);
        alert(tr("\"%1\" cannot be converted: %2").arg(name, why));
        return;
    }
    if (!result.rate) {
        alert(tr("\"%1\" is %2 s too long for the unit's memory of 8380 KB, even at 8000 Hz.")
                  .arg(name)
                  .arg(result.secondsTooLong, 0, 'f', 1));
        return;
    }
    const std::string folder = outputFolder(state_, input_);
    const fs::path output = freshOutputPath(folder, input_);
    if (folder.empty()) {
        alert(tr("The converted file cannot be saved: %1").arg(tr("no folder can be written")));
        return;
    }
    if (const FileOutcome saved = replaceFile(output.string(), result.files[0].message.waveBytes); !saved) {
        alert(tr("The converted file cannot be saved: %1")
                  .arg(QString::fromStdString(output.filename().string()) + QStringLiteral(": ") +
                       ProblemWords::fileReason(saved)));
        return;
    }
    editor_.assignFile(slot_, output.string());
    Q_EMIT slotConverted(slot_);
}

}  // namespace mmx
