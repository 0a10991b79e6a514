// The desktop program's two figures:
//  1. time from the start of the program to the editor window painted on the screen (without
//     the 2000 ms splash), median of fresh processes;
//  2. CPU time the window thread uses while an upload runs against a unit counterpart paced
//     like a 115200 baud line, as a share of one core.
// Run under a display (xvfb-run) or with QT_QPA_PLATFORM=offscreen.
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "device/unit_emulator.h"
#include "audio/unit_wave.h"
#include "platform/serial/pty_unit_server.h"
#include "ui/qt/desktop_program.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point programStart = Clock::now();

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// A program folder with the built-in language files, as the installed program has.
std::filesystem::path programFolder() {
    const auto folder = std::filesystem::temp_directory_path() / ("mmx4210-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto fonts = std::filesystem::path(MMX_SOURCE_DIR) / "Font";
    std::filesystem::copy(fonts, folder / "Font", std::filesystem::copy_options::recursive |
                                                      std::filesystem::copy_options::skip_existing);
    return folder;
}

std::string writeWave(const std::filesystem::path& folder, const std::string& name, uint32_t rate, uint32_t bytes) {
    // Any sound will do: a byte pattern, as 16-bit little-endian samples.
    std::vector<int16_t> samples(bytes / 2);
    for (uint32_t i = 0; i < samples.size(); ++i) {
        const auto low = static_cast<uint8_t>(2 * i * 7), high = static_cast<uint8_t>((2 * i + 1) * 7);
        samples[i] = static_cast<int16_t>(low | high << 8);
    }
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary) << mmx::audio::unitWaveBytes(samples, rate);
    return path;
}

// One start in this process: prints the milliseconds to the first paint of the editor.
int startOnce(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const auto folder = programFolder();
    double shownMs = -1;
    {
        mmx::DesktopProgram program(folder.string(), QStringLiteral("mmx4210-bench-%1").arg(getpid()));
        QObject::connect(&program, &mmx::DesktopProgram::editorShown, [&] {
            // Measured once the window has been painted: after the events of the show.
            QTimer::singleShot(0, [&] {
                program.frame().editorWindow().repaint();
                shownMs = std::chrono::duration<double, std::milli>(Clock::now() - programStart).count();
                QApplication::quit();
            });
        });
        if (!program.Main(false)) return 1;
        QApplication::exec();
        program.state().markSaved();
        program.frame().close();
    }
    std::filesystem::remove_all(folder);
    std::printf("%.1f\n", shownMs);
    return 0;
}

double medianStartMs(const char* self, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) return -1;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        char* childArgs[] = {const_cast<char*>(self), const_cast<char*>("--start-once"), nullptr};
        pid_t child = 0;
        if (posix_spawn(&child, self, &actions, nullptr, childArgs, environ) != 0) return -1;
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        char buffer[64] = {};
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer - 1);
        close(pipeEnds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (got > 0) times.push_back(std::atof(buffer));
    }
    if (times.empty()) return -1;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The upload figure: the window thread's CPU share while the worker uploads.
int uploadCpu(int argc, char* argv[]) {
    mmx::UnitOptions options;
    options.baud = 115200;
    mmx::UnitEmulator unit(options);
    mmx::PtyUnitServer server(unit);
    std::string error;
    if (!server.open(error)) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", error.c_str());
        return 1;
    }
    std::thread line([&server] { server.run(); });
    setenv("MMX4210_COM1", server.slavePath().c_str(), 1);

    QApplication app(argc, argv);
    const auto folder = programFolder();
    double wallSeconds = 0;
    double cpuSeconds = 0;
    bool succeeded = false;
    long bytes = 0;
    {
        mmx::DesktopProgram program(folder.string(), QStringLiteral("mmx4210-bench-up-%1").arg(getpid()));
        if (!program.Main(false)) return 1;
        auto& editor = program.frame().editorWindow();
        editor.editor().assignFile(1, writeWave(folder, "a.wav", 16000, 40000));
        editor.editor().assignFile(2, writeWave(folder, "b.wav", 8000, 30000));
        editor.refreshFromState();
        bytes = totalStoredLength(program.state().setup);
        Clock::time_point begin;
        double cpuBegin = 0;
        QObject::connect(&editor, &mmx::EditorWindow::uploadActive, [&](bool active) {
            if (active) return;
            wallSeconds = std::chrono::duration<double>(Clock::now() - begin).count();
            cpuSeconds = threadCpuSeconds() - cpuBegin;
            succeeded = editor.lastUpload().succeeded();
            // Quitting closes the windows, which would ask about the unsaved set-up.
            program.state().markSaved();
            QApplication::quit();
        });
        QTimer::singleShot(200, [&] {
            begin = Clock::now();
            cpuBegin = threadCpuSeconds();
            editor.sendToUnit();
        });
        QApplication::exec();
        program.state().markSaved();
        program.frame().close();
    }
    server.stop();
    line.join();
    std::filesystem::remove_all(folder);
    std::printf("upload of %ld bytes at 115200 baud: %.1f s, %s\n", bytes, wallSeconds,
                succeeded ? "succeeded" : "FAILED");
    std::printf("window thread CPU during the upload: %.3f s = %.2f %% of a core (target < 5 %%)\n", cpuSeconds,
                wallSeconds > 0 ? 100.0 * cpuSeconds / wallSeconds : 0.0);
    return succeeded ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::string(argv[1]) == "--start-once") return startOnce(argc, argv);
    if (argc > 1 && std::string(argv[1]) == "--upload") return uploadCpu(argc, argv);
    const int runs = 7;
    const double start = medianStartMs("/proc/self/exe", runs);
    std::printf("start to editor window painted (no splash), median of %d starts: %.1f ms (target < 500 ms)\n", runs,
                start);
    char* uploadArgs[] = {argv[0], const_cast<char*>("--upload"), nullptr};
    int uploadArgc = 2;
    return uploadCpu(uploadArgc, uploadArgs);
}
