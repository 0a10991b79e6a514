#include "many_units.h"

#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

#include "cli_command.h"
#include "app/link/unit_commands.h"
#include "platform/serial/port_names.h"
#include "ui/link/link_text_presenter.h"
#include "ui/link/upload_job.h"

namespace mmx::cli {

namespace {

// One line's status texts and progress, handed on to the observer with the line's index.
class LineStatus final : public StatusDisplay {
public:
    LineStatus(size_t line, ManyUnitsObserver& observer) : line_(line), observer_(observer) {}
    void setStatusPanel(const std::string& text) override {
        if (text == last_) return;
        last_ = text;
        observer_.status(line_, text);
    }
    const std::string& lastStatus() const { return last_; }
    void clear() { last_.clear(); }

private:
    size_t line_;
    ManyUnitsObserver& observer_;
    std::string last_;
};

class LineEvents final : public LinkTextPresenter {
public:
    LineEvents(const UiTextTable& texts, LineStatus& status, size_t line, ManyUnitsObserver& observer)
        : LinkTextPresenter(texts, status), line_(line), observer_(observer) {}
    void progressValue(long value, long maximum) override {
        LinkTextPresenter::progressValue(value, maximum);
        observer_.progress(line_, value, maximum);
    }
    void progressTick(const UploadProgress& figures) override {
        LinkTextPresenter::progressTick(figures);
        observer_.remaining(line_, figures.percent, figures.remainingSeconds);
    }

private:
    size_t line_;
    ManyUnitsObserver& observer_;
};

}  // namespace

int exitCodeFor(const UploadResult& result) {
    switch (result.verdict) {
        case UploadVerdict::Succeeded:
        case UploadVerdict::ConfigurationSucceeded: return kSuccess;
        case UploadVerdict::PortError: return kPortError;
        case UploadVerdict::Cancelled: return kInterrupted;
        case UploadVerdict::Failed: break;
    }
    switch (result.fault) {
        case UploadFault::NoAnswer: return kNoAnswer;
        case UploadFault::Refused: return kRefused;
        case UploadFault::VerifyMismatch: return kVerifyFailed;
        case UploadFault::Cancelled: return kInterrupted;
        case UploadFault::PortCannotOpen: return kPortError;
        case UploadFault::OverCapacity:
        case UploadFault::None: return kFailure;
    }
    return kFailure;
}

int worstExitCode(const std::vector<UnitReport>& reports) {
    int worst = kSuccess;
    for (const auto& report : reports) {
        if (report.exitCode == kInterrupted) return kInterrupted;
        worst = std::max(worst, report.exitCode);
    }
    return worst;
}

// A line's connection and driver live as long as the run, so that cancel() (from a signal
// handler too) never meets a driver that is going away.
struct ManyUnits::Line {
    Line(size_t index, UnitLine line, const WindowState& setup, ManyUnitsObserver& observer)
        : unit(std::move(line)),
          status(index, observer),
          events(setup.texts, status, index, observer),
          connection(linkSettingsFrom(setup.settings.port), clock, events, unit.factory),
          driver(connection) {}
    UnitLine unit;
    SteadyClock clock;
    LineStatus status;
    LineEvents events;
    Connection connection;
    UploadDriver driver;
};

ManyUnits::ManyUnits(const WindowState& setup, const image::UnitImage& image, std::vector<UnitLine> lines,
                     ManyUnitsOptions options, ManyUnitsObserver& observer)
    : setup_(setup), image_(image), options_(std::move(options)), observer_(observer) {
    for (size_t i = 0; i < lines.size(); ++i) {
        lines_.push_back(std::make_unique<Line>(i, std::move(lines[i]), setup_, observer_));
    }
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) wake_[0] = wake_[1] = -1;
}

ManyUnits::~ManyUnits() {
    for (int fd : wake_) {
        if (fd >= 0) ::close(fd);
    }
}

void ManyUnits::cancel() {
    cancelled_.store(true);
    for (const auto& line : lines_) line->driver.cancel();
    // Nobody reads the byte: every poll() on the pipe sees it from now on.
    if (wake_[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = ::write(wake_[1], &byte, 1);
    }
}

bool ManyUnits::waitCancelled(int ms) const {
    if (cancelled_.load()) return true;
    struct pollfd p {wake_[0], POLLIN, 0};
    ::poll(&p, wake_[0] >= 0 ? 1 : 0, ms);
    return cancelled_.load();
}

std::vector<UnitReport> ManyUnits::run() {
    std::vector<std::thread> threads;
    threads.reserve(lines_.size());
    for (size_t i = 0; i < lines_.size(); ++i) threads.emplace_back([this, i] { runLine(i); });
    for (auto& thread : threads) thread.join();
    std::lock_guard<std::mutex> hold(reportsLock_);
    return reports_;
}

void ManyUnits::runLine(size_t index) {
    do {
        if (options_.repeat) {
            observer_.phase(index, LinePhase::WaitingForUnit);
            while (!unitAnswers(index)) {
                if (waitCancelled(options_.probeIntervalMs)) break;
            }
            if (cancelled_.load()) break;
        }
        observer_.phase(index, LinePhase::Uploading);
        UnitReport report = uploadUnit(index);
        observer_.finished(report);
        {
            std::lock_guard<std::mutex> hold(reportsLock_);
            reports_.push_back(std::move(report));
        }
        if (!options_.repeat || cancelled_.load()) break;
        // The unit just done stays until it is taken off the line (or its adapter unplugged).
        observer_.phase(index, LinePhase::WaitingForRemoval);
        while (unitAnswers(index)) {
            if (waitCancelled(options_.probeIntervalMs)) break;
        }
    } while (!cancelled_.load());
    observer_.phase(index, LinePhase::Finished);
}

// One unit's whole upload on its own line: its own port, connection and driver; only the
// image (and the record of what each unit holds) is shared.
UnitReport ManyUnits::uploadUnit(size_t index) {
    Line& line = *lines_[index];
    line.status.clear();
    const int64_t startMs = line.clock.nowMs();
    UnitReport report;
    report.line = index;
    report.result = runUploadJob(line.driver, image_, UploadSnapshot{setup_.setup, setup_.settingsFolder, setup_.messagesUploaded}, options_.upload, report.recordError, &recordLock_);
    report.seconds = static_cast<double>(line.clock.nowMs() - startMs) / 1000.0;
    report.exitCode = exitCodeFor(report.result);
    report.statusText = line.status.lastStatus();
    report.finishedAt = std::chrono::system_clock::now();
    return report;
}

// Whether a unit answers "P" on the line now; false also when the adapter is not there.
bool ManyUnits::unitAnswers(size_t index) {
    if (cancelled_.load()) return false;
    LinkSettings quick;
    std::string unusable;
    if (!linkSettingsFor(setup_.settings.port, quick, unusable)) return false;
    quick.byteTimeOutMs = options_.probeTimeOutMs;
    return app::unitAnswers(quick, lines_[index]->unit.factory);
}

}  // namespace mmx::cli
