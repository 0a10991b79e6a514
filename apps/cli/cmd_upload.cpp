// mmx4210-cli upload SETUP.cfg --port ComN|PATH [--full] [--verify] [--quiet]: puts a set-up
// on the unit, with a progress bar, and exits 0 only when the unit acknowledged the end ("L").
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <unistd.h>

#include "cli_command.h"
#include "collected_boxes.h"
#include "ui/lang/ui_text_table.h"
#include "device/upload_driver.h"
#include "ui/link/upload_job.h"
#include "ui/link/link_text_presenter.h"
#include "link_session.h"
#include "platform/serial/port_names.h"
#include "setup_session.h"
#include "unit_board.h"
#include "upload_many.h"

namespace mmx::cli {
namespace {

UploadDriver* g_driver = nullptr;

void cancelUpload() {
    if (g_driver != nullptr) g_driver->cancel();
}

// The link's texts on stderr, one line per slot sent, and the progress: on a terminal a bar
// redrawn in place; otherwise one plain line whenever the percentage moved.
class TerminalUpload : public LinkTextPresenter {
public:
    TerminalUpload(const UiTextTable& texts, TerminalStatus& status, Clock& clock, bool terminal, bool quiet)
        : LinkTextPresenter(texts, status), status_(status), clock_(clock), terminal_(terminal), quiet_(quiet) {}

    void messageSent(int slot, const std::string& name) override {
        if (quiet_) return;
        if (drawn_) {
            std::cerr << "\r\033[K";
            drawn_ = false;
            status_.setProgressLineShown(false);
        }
        std::cerr << "slot " << slot << " (" << name << "): sent\n";
    }
    void progressVisible(bool visible, long maximum) override {
        LinkTextPresenter::progressVisible(visible, maximum);
        maximum_ = maximum;
        if (!visible && drawn_) {
            std::cerr << "\r\033[K";
            drawn_ = false;
            status_.setProgressLineShown(false);
        }
        if (visible) startMs_ = clock_.nowMs();
    }
    void progressValue(long value, long maximum) override {
        LinkTextPresenter::progressValue(value, maximum);
        value_ = value;
        maximum_ = maximum;
        if (!terminal_ || quiet_) return;
        const int64_t now = clock_.nowMs();
        if (now - lastDrawMs_ < 100 && value < maximum) return;  // redraw at most ten times a second
        lastDrawMs_ = now;
        draw();
    }
    void progressTick(const UploadProgress& figures) override {
        LinkTextPresenter::progressTick(figures);
        percent_ = figures.percent;
        remaining_ = figures.remainingSeconds;
        haveEstimate_ = true;
        if (quiet_) return;
        if (terminal_) {
            draw();
        } else if (percent_ != lastPrinted_) {
            lastPrinted_ = percent_;
            std::cerr << "progress " << percent_ << "%, " << value_ << " of " << maximum_ << " bytes, remaining "
                      << clockText(remaining_) << "\n";
        }
    }

private:
    void draw() {
        constexpr int kWidth = 32;
        const double fraction = maximum_ > 0 ? static_cast<double>(value_) / static_cast<double>(maximum_) : 0.0;
        const int filled = static_cast<int>(fraction * kWidth);
        std::string bar(static_cast<size_t>(filled), '#');
        bar.append(static_cast<size_t>(kWidth - filled), '-');
        char line[160];
        std::snprintf(line, sizeof line, "\r\033[K[%s] %3d%%  %s left  %ld/%ld bytes", bar.c_str(),
                      static_cast<int>(fraction * 100.0 + 0.5),
                      haveEstimate_ ? clockText(remaining_).c_str() : "--:--:--", value_, maximum_);
        std::cerr << line << std::flush;
        drawn_ = true;
        status_.setProgressLineShown(true);
    }

    TerminalStatus& status_;
    Clock& clock_;
    bool terminal_;
    bool quiet_;
    long value_ = 0;
    long maximum_ = 0;
    int percent_ = 0;
    int lastPrinted_ = -1;
    int32_t remaining_ = 0;
    bool haveEstimate_ = false;
    bool drawn_ = false;
    int64_t startMs_ = 0;
    int64_t lastDrawMs_ = -1000;
};

int runUpload(const ManyUploadRequest& request) {
    const std::string& setupPath = request.setupPath;
    const UploadOptions& options = request.options;
    const bool quiet = request.quiet;
    if (request.ports.empty() && !request.allPorts) {
        std::cerr << "mmx4210-cli upload: name --port ComN|PATH or --ports all (try --help)\n";
        return kUsage;
    }
    if (request.ports.size() != 1 || request.allPorts || request.repeat || !request.logPath.empty()) {
        return runManyUploads(request);
    }
    const std::string& port = request.ports.front();

    auto session = openLinkSession("upload", port, request.verbose);
    if (!session) return kUsage;
    WindowState& state = session->state;
    const FileOutcome opened = openSetupInto(state, setupPath);
    if (!opened) {
        std::cerr << "mmx4210-cli upload: " << setupPath << ": " << state.texts.messageBox(UiTextTable::SetupFileMissing)
                  << " (" << opened.reason() << ")\n";
        return kFailure;
    }

    SteadyClock clock;
    TerminalStatus status("upload", quiet);
    TerminalUpload link(state.texts, status, clock, ::isatty(STDERR_FILENO) == 1, quiet);
    Connection connection(linkSettingsFrom(state.settings.port), clock, link, session->factory);
    status.onConnected = [&connection, &session, &state, quiet] {
        if (!quiet) {
            std::cerr << "port " << session->portLabel << ": " << connection.portDescription() << ", time-out "
                      << state.settings.port.CommTimeOut << " ms per byte\n";
        }
    };
    UploadDriver driver(connection);

    g_driver = &driver;
    installInterruptHandler(cancelUpload);
    const UploadJobResult job = runUploadJob(driver, snapshotOf(state), options, link);
    const UploadResult& result = job.upload;
    g_driver = nullptr;

    if (job.fileProblem) {
        std::cout << state.texts.statusMessage(UiTextTable::UploadFailed) << "\n";
        std::cerr << "mmx4210-cli upload: " << fileProblemText(state.texts, *job.fileProblem)
                  << "\nmmx4210-cli upload: nothing was sent; the unit is as it was\n";
        return kFailure;
    }
    if (!job.recordError.empty()) {
        std::cerr << "mmx4210-cli upload: warning: cannot keep the record of this upload: " << job.recordError << "\n";
    }
    // The verdict, in the program's own words, is the one line on standard output: a success
    // text only for a success.
    if (result.succeeded()) {
        std::cout << state.texts.statusMessage(result.verdict == UploadVerdict::Succeeded ? UiTextTable::UploadSucceeded
                                                                                          : UiTextTable::ConfigUploadSucceeded)
                  << "\n";
        if (!quiet) {
            std::cerr << (result.fullUpload ? "full upload: " : "configuration only: ") << result.blocksSent
                      << " blocks acknowledged, " << result.frameResends << " frames sent again"
                      << (options.verify ? ", message table read back and equal" : "") << "\n";
        }
        return kSuccess;
    }
    const std::string last = status.lastStatus();
    const bool lastIsFailure = !last.empty() && last != state.texts.statusMessage(UiTextTable::UploadSucceeded) &&
                               last != state.texts.statusMessage(UiTextTable::ConfigUploadSucceeded);
    std::cout << (lastIsFailure ? last : state.texts.statusMessage(UiTextTable::UploadFailed)) << "\n";
    if (result.verdict == UploadVerdict::Cancelled) {
        std::cerr << "mmx4210-cli upload: interrupted; the port is closed and the upload was NOT completed"
                  << (result.unitErased ? " (the unit holds a partial image: upload again)" : "") << "\n";
        return kInterrupted;
    }
    std::cerr << "mmx4210-cli upload: failed at " << stepName(result.failedStep);
    if (result.failedSlot != 0) std::cerr << " (slot " << result.failedSlot << ")";
    if (!result.detail.empty()) std::cerr << ": " << result.detail;
    std::cerr << "\n";
    return exitCodeFor(result);
}

// The request bound to the declarations; "--ports all" is kept as the word given.
struct UploadArgs {
    ManyUploadRequest request;
    std::string portsWord;
};

const CommandRegistration registration({
    "upload",
    "send the messages and configuration of a set-up file to the unit. Every message file is\n"
    "read and checked before anything is erased. Only the two tables are rewritten when this\n"
    "computer's record shows the unit holds exactly these messages; --full always erases and\n"
    "sends everything; --verify reads the message table back afterwards and compares it.\n"
    "Exits 0 only after the unit acknowledged the end of the upload (L). Ctrl-C cancels.\n"
    "-v also tells how the adapter was tuned (low-latency flag, latency timer).\n"
    "Several --port (or --ports all: every USB serial adapter present) upload to every unit at\n"
    "once, one line each, and end with a table; the exit code is 0 only when every unit\n"
    "succeeded, else the worst failure's. --repeat then waits on each line for the next unit\n"
    "(the unit taken off, a new one answering) and uploads again, always in full, until Ctrl-C;\n"
    "--log FILE appends one line per unit: time, port, verdict, seconds.",
    [](CLI::App& app) -> CommandRun {
        auto args = std::make_shared<UploadArgs>();
        ManyUploadRequest& request = args->request;
        app.add_option("SETUP.cfg", request.setupPath, "the set-up file")->required();
        app.add_option("--port", request.ports, "a unit's port: Com1..Com10 or a device path; give it once per unit")
            ->type_name("ComN|PATH")
            ->allow_extra_args(false);
        app.add_option("--ports", args->portsWord, "every USB serial adapter present, one unit each")
            ->type_name("all")
            ->check(CLI::Validator([](const std::string& word) { return word == "all" ? "" : "the only value is all"; }, ""));
        app.add_flag("--repeat", request.repeat, "upload again to each next unit on every line, until Ctrl-C");
        app.add_option("--log", request.logPath, "append one line per unit: time, port, verdict, seconds")
            ->type_name("FILE");
        app.add_flag("--full", request.options.forceFull, "always erase and send everything");
        app.add_flag("--verify", request.options.verify, "read the message table back afterwards and compare it");
        app.add_flag("-q,--quiet", request.quiet, "no status lines or progress on stderr");
        app.add_flag("-v,--verbose", request.verbose, "also tell how the adapter was tuned (low-latency flag, latency timer)");
        return [args] {
            args->request.allPorts = args->portsWord == "all";
            return runUpload(args->request);
        };
    },
});

}  // namespace
}  // namespace mmx::cli
