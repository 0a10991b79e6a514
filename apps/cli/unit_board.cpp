#include "unit_board.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

#include "cli_command.h"
#include "cli_texts.h"

namespace mmx::cli {

const char* stepName(UploadStep step) {
    switch (step) {
        case UploadStep::None: return "-";
        case UploadStep::Connect: return "opening the port";
        case UploadStep::CheckImage: return "checking the message files";
        case UploadStep::ReadTable: return "reading the unit's message table";
        case UploadStep::Start: return "start command P";
        case UploadStep::Erase: return "erase";
        case UploadStep::SendMessage: return "sending a message";
        case UploadStep::WriteTables: return "writing the tables";
        case UploadStep::Finish: return "end command L";
        case UploadStep::ConfigurationOnly: return "configuration-only upload";
        case UploadStep::Verify: return "verifying the message table";
    }
    return "-";
}

std::string verdictWord(const UploadResult& result) {
    switch (result.verdict) {
        case UploadVerdict::Succeeded: return "succeeded";
        case UploadVerdict::ConfigurationSucceeded: return "succeeded (tables only)";
        case UploadVerdict::PortError: return "port cannot be opened";
        case UploadVerdict::Cancelled: return "interrupted";
        case UploadVerdict::Failed: break;
    }
    switch (result.fault) {
        case UploadFault::NoAnswer: return "no answer";
        case UploadFault::Refused: return "refused";
        case UploadFault::VerifyMismatch: return "verify failed";
        case UploadFault::Cancelled: return "interrupted";
        case UploadFault::PortCannotOpen: return "port cannot be opened";
        case UploadFault::OverCapacity: return "set-up refused";
        case UploadFault::None: break;
    }
    return "failed";
}

std::string clockText(double seconds) {
    const long long whole = seconds < 0 ? 0 : static_cast<long long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

UnitLog::~UnitLog() {
    if (fd_ >= 0) ::close(fd_);
}

bool UnitLog::open(const std::string& path, std::string& error) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0) error = path + ": " + std::strerror(errno);
    return fd_ >= 0;
}

void UnitLog::append(const UnitReport& report, const std::string& port) {
    if (fd_ < 0) return;
    const std::time_t when = std::chrono::system_clock::to_time_t(report.finishedAt);
    struct tm local {};
    ::localtime_r(&when, &local);
    char stamp[40];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S%z", &local);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", report.seconds);
    // One write per line: appends from several lines never interleave.
    const std::string line = std::string(stamp) + "\t" + port + "\t" + verdictWord(report.result) + "\t" + seconds + "\n";
    [[maybe_unused]] ssize_t n = ::write(fd_, line.data(), line.size());
    ::fdatasync(fd_);
}

UnitBoard::UnitBoard(std::vector<std::string> labels, bool terminal, bool quiet, bool repeat, UnitLog* log)
    : labels_(std::move(labels)), rows_(labels_.size()), terminal_(terminal), quiet_(quiet), repeat_(repeat), log_(log) {
    for (const auto& label : labels_) labelWidth_ = std::max(labelWidth_, label.size());
}

std::string UnitBoard::rowText(size_t line) const {
    const Row& row = rows_[line];
    std::string text = labels_[line] + std::string(labelWidth_ - labels_[line].size() + 2, ' ');
    switch (row.phase) {
        case LinePhase::WaitingForUnit:
            return text + "waiting for a unit to answer" + (row.done > 0 ? " (" + std::to_string(row.done) + " done)" : "");
        case LinePhase::WaitingForRemoval: return text + row.status + "  -- take the unit off the line";
        case LinePhase::Finished: return text + row.status;
        case LinePhase::Uploading: break;
    }
    constexpr int kWidth = 20;
    const double fraction = row.maximum > 0 ? static_cast<double>(row.value) / static_cast<double>(row.maximum) : 0.0;
    const int filled = static_cast<int>(fraction * kWidth);
    char figures[96];
    std::snprintf(figures, sizeof figures, "[%s%s] %3d%%  %s left  ", std::string(static_cast<size_t>(filled), '#').c_str(),
                  std::string(static_cast<size_t>(kWidth - filled), '-').c_str(), static_cast<int>(fraction * 100.0 + 0.5),
                  row.remaining >= 0 ? clockText(row.remaining).c_str() : "--:--:--");
    return text + figures + row.status;
}

void UnitBoard::draw(bool force) {
    if (!terminal_ || quiet_) return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - lastDraw_ < std::chrono::milliseconds(100)) return;  // ten redraws a second at most
    lastDraw_ = now;
    struct winsize size {};
    const size_t columns = ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1 ? size.ws_col - 1 : 79;
    std::string frame;
    if (drawnLines_ > 0) frame += "\033[" + std::to_string(drawnLines_) + "A";
    std::vector<std::string> lines;
    for (size_t i = 0; i < rows_.size(); ++i) lines.push_back(rowText(i));
    if (repeat_) {
        lines.push_back("units done: " + std::to_string(succeeded_ + failed_) + " (" + std::to_string(succeeded_) +
                        " succeeded, " + std::to_string(failed_) + " failed); Ctrl-C ends");
    }
    // Cut to the terminal's width: a wrapped line would throw the redraw off.
    for (auto& line : lines) frame += "\r\033[K" + line.substr(0, columns) + "\n";
    drawnLines_ = lines.size();
    std::cerr << frame << std::flush;
}

void UnitBoard::plain(size_t line, const std::string& text) {
    if (quiet_ || terminal_) return;
    std::cerr << labels_[line] << ": " << text << "\n";
}

void UnitBoard::phase(size_t line, LinePhase phase) {
    std::lock_guard<std::mutex> hold(lock_);
    Row& row = rows_[line];
    row.phase = phase;
    if (phase == LinePhase::Uploading) row = Row{LinePhase::Uploading, "", 0, 0, -1, -1, -1, row.done};
    if (phase == LinePhase::WaitingForUnit && repeat_) plain(line, "waiting for a unit to answer");
    draw(true);
}

void UnitBoard::show(size_t line, const std::string& text) {
    std::lock_guard<std::mutex> hold(lock_);
    if (rows_[line].status == text) return;
    rows_[line].status = text;
    plain(line, text);
    draw(false);
}

void UnitBoard::status(size_t line, LinkStatus status) { show(line, statusLine(status)); }

void UnitBoard::sending(size_t line, int, const std::string& name) { show(line, sendingLine(name)); }

void UnitBoard::progress(size_t line, long value, long maximum) {
    std::lock_guard<std::mutex> hold(lock_);
    rows_[line].value = value;
    rows_[line].maximum = maximum;
    draw(false);
}

void UnitBoard::remaining(size_t line, int percent, int32_t seconds) {
    std::lock_guard<std::mutex> hold(lock_);
    Row& row = rows_[line];
    row.percent = percent;
    row.remaining = seconds;
    if (percent / 10 != row.lastPrintedPercent / 10) {
        row.lastPrintedPercent = percent;
        plain(line, std::to_string(percent) + "%, " + clockText(seconds) + " left");
    }
    draw(false);
}

void UnitBoard::finished(const UnitReport& report) {
    std::lock_guard<std::mutex> hold(lock_);
    Row& row = rows_[report.line];
    ++row.done;
    (report.exitCode == kSuccess ? succeeded_ : failed_) += 1;
    row.status = verdictWord(report.result) + " in " + clockText(report.seconds);
    if (log_ != nullptr) log_->append(report, labels_[report.line]);
    plain(report.line, row.status);
    if (repeat_ && !terminal_ && !quiet_) {
        std::cerr << "units done: " << succeeded_ + failed_ << " (" << succeeded_ << " succeeded, " << failed_
                  << " failed)\n";
    }
    draw(true);
}

void UnitBoard::note(const std::string& text) {
    std::lock_guard<std::mutex> hold(lock_);
    // Above the board: clear it, print, draw it again below.
    if (terminal_ && drawnLines_ > 0) std::cerr << "\033[" << drawnLines_ << "A\r\033[J";
    drawnLines_ = 0;
    std::cerr << text << "\n";
    draw(true);
}

void UnitBoard::close() {
    std::lock_guard<std::mutex> hold(lock_);
    draw(true);
}

std::string UnitBoard::table(const std::vector<UnitReport>& reports, const std::vector<std::string>& labels) {
    size_t portWidth = 4;
    for (const auto& label : labels) portWidth = std::max(portWidth, label.size());
    auto cell = [](std::string text, size_t width) { return text.size() >= width ? text + "  " : text.append(width + 2 - text.size(), ' '); };
    std::string out = cell("Port", portWidth) + cell("Verdict", 23) + cell("Time", 8) + "Blocks resent\n";
    for (const auto& report : reports) {
        out += cell(labels[report.line], portWidth) + cell(verdictWord(report.result), 23) + cell(clockText(report.seconds), 8) +
               std::to_string(report.result.frameResends) + "\n";
    }
    return out;
}

}  // namespace mmx::cli
