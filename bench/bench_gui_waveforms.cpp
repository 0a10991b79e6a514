// The waveform figure: a set-up of 12 messages of 60 s each is opened in the desktop program;
// measured is the time from the open until every slot shows its waveform, and the longest
// the window thread went without serving a 5 ms timer meanwhile (its responsiveness).
// Run with QT_QPA_PLATFORM=offscreen (or under a display).
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/number_format.h"
#include "audio/unit_wave.h"
#include "app/setup_files.h"
#include "ui/qt/desktop_program.h"
#include "ui/qt/editor_extensions.h"
#include "ui/qt/waveform_strip.h"

namespace {

constexpr uint32_t kRate = 8000;
constexpr int kSeconds = 60;

// A 60 s mono 16-bit WAVE of a gliding tone, so that every column has something to show.
std::string writeTone(const std::filesystem::path& folder, int slot) {
    std::vector<int16_t> samples(kRate * kSeconds);
    for (uint32_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        samples[i] = static_cast<int16_t>(0.5 * std::sin(2 * M_PI * (200 + 20 * slot + 5 * t) * t) * 32767);
    }
    const std::string path = (folder / ("message" + std::to_string(slot) + ".wav")).string();
    std::ofstream(path, std::ios::binary) << mmx::audio::unitWaveBytes(samples, kRate);
    return path;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const auto folder = std::filesystem::temp_directory_path() / ("mmx4210-bench-waveforms-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto fonts = std::filesystem::path(MMX_SOURCE_DIR) / "Font";
    std::filesystem::copy(fonts, folder / "Font", std::filesystem::copy_options::recursive);

    // The set-up file names the twelve files with their shown values (more than the unit holds:
    // only the waveforms are measured here).
    mmx::Setup setup;
    for (int k = 1; k <= mmx::kSlotCount; ++k) {
        mmx::Slot& slot = setup.slot(k);
        slot.path = writeTone(folder, k);
        slot.name = "message" + std::to_string(k);
        slot.wave = mmx::ReadWaveHeader(slot.path).info;
    }
    const std::string setupPath = (folder / "twelve.cfg").string();
    if (const auto saved = mmx::app::saveSetup(setupPath, setup); !saved.ok) {
        std::fprintf(stderr, "cannot write %s\n", setupPath.c_str());
        return 1;
    }
    if (const auto opened = mmx::app::openSetup(setupPath); !opened.setup) {
        std::fprintf(stderr, "%s does not open\n", setupPath.c_str());
        return 1;
    }

    mmx::DesktopProgram program(folder.string() + "/", QStringLiteral("mmx4210-bench-%1").arg(getpid()));
    QElapsedTimer clock;
    qint64 longestGap = 0;
    qint64 lastTick = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    QObject::connect(&program, &mmx::DesktopProgram::editorShown, &app, [&] {
        QObject::connect(&program.extensions().waveforms(), &mmx::WaveformStrip::allShown, &app, [&] {
            const double shownMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            std::printf("12 x 60 s: every waveform shown %.0f ms after the open began; window thread's longest "
                        "pause %.0f ms\n",
                        shownMs, static_cast<double>(longestGap) / 1e6);
            program.state().markSaved();
            QApplication::quit();
        });
        QTimer::singleShot(200, &app, [&] {
            clock.start();
            ticker.start();
            if (!program.extensions().openSetup(setupPath)) {
                std::fprintf(stderr, "the set-up did not open\n");
                QApplication::exit(1);
            }
        });
    });
    if (!program.Main(false)) return 1;
    const int result = QApplication::exec();
    std::filesystem::remove_all(folder);
    return result;
}
