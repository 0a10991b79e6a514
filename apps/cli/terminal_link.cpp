#include "terminal_link.h"

#include <cstdio>
#include <iostream>

#include "cli_texts.h"
#include "unit_board.h"

namespace mmx::cli {

namespace {

// The verdicts end a command; the command prints its own verdict once, from the result.
bool isVerdict(LinkStatus status) {
    switch (status) {
        case LinkStatus::UploadSucceeded:
        case LinkStatus::UploadFailed:
        case LinkStatus::ConfigurationSucceeded:
        case LinkStatus::ConfigurationFailed:
        case LinkStatus::EraseSucceeded:
        case LinkStatus::EraseFailed:
        case LinkStatus::CheckFailed: return true;
        default: return false;
    }
}

}  // namespace

void TerminalLink::line(const std::string& text) {
    if (quiet_) return;
    clearBar();
    std::cerr << text << "\n";
}

void TerminalLink::clearBar() {
    if (!barDrawn_) return;
    std::cerr << "\r\033[K";
    barDrawn_ = false;
}

void TerminalLink::status(LinkStatus status) {
    if (isVerdict(status)) return;
    // The unit reports every step of an erase; the operator needs to hear of it once.
    if (status == LinkStatus::Erasing) {
        if (erasingShown_) return;
        erasingShown_ = true;
    }
    const std::string text = statusLine(status);
    if (text == lastStatus_) return;
    lastStatus_ = text;
    line(text);
}

void TerminalLink::sendingMessage(int, const std::string& name) {
    lastStatus_ = sendingLine(name);
    line(lastStatus_);
}

void TerminalLink::messageSent(int slot, const std::string& name) {
    line("slot " + std::to_string(slot) + " (" + name + "): sent");
}

void TerminalLink::connectedIndicator(bool connected) {
    if (connected && portDescription) line(portLine(portDescription()));
}

void TerminalLink::progressVisible(bool visible, long maximum) {
    maximum_ = maximum;
    if (visible) {
        value_ = 0;
    } else if (!quiet_) {
        clearBar();
    }
}

void TerminalLink::progressValue(long value, long maximum) {
    value_ = value;
    maximum_ = maximum;
    if (!terminal_ || quiet_) return;
    const int64_t now = clock_.nowMs();
    if (now - lastDrawMs_ < 100 && value < maximum) return;  // redraw at most ten times a second
    lastDrawMs_ = now;
    drawBar();
}

void TerminalLink::progressTick(const UploadProgress& figures) {
    percent_ = figures.percent;
    remaining_ = figures.remainingSeconds;
    haveEstimate_ = true;
    if (quiet_) return;
    if (terminal_) {
        drawBar();
    } else if (percent_ != lastPrinted_) {
        lastPrinted_ = percent_;
        std::cerr << "progress " << percent_ << "%, " << value_ << " of " << maximum_ << " bytes, remaining "
                  << clockText(remaining_) << "\n";
    }
}

void TerminalLink::drawBar() {
    constexpr int kWidth = 32;
    const double fraction = maximum_ > 0 ? static_cast<double>(value_) / static_cast<double>(maximum_) : 0.0;
    const int filled = static_cast<int>(fraction * kWidth);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kWidth - filled), '-');
    char text[160];
    std::snprintf(text, sizeof text, "\r\033[K[%s] %3d%%  %s left  %ld/%ld bytes", bar.c_str(),
                  static_cast<int>(fraction * 100.0 + 0.5), haveEstimate_ ? clockText(remaining_).c_str() : "--:--:--",
                  value_, maximum_);
    std::cerr << text << std::flush;
    barDrawn_ = true;
}

}  // namespace mmx::cli
