#include "link_session.h"

#include <csignal>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <set>
#include <unistd.h>

#include "cli_command.h"
#include "collected_boxes.h"
#include "platform/serial/port_names.h"
#include "storage/settings_file.h"
#include "storage/settings_folder.h"

namespace mmx::cli {

namespace {

std::atomic<bool> g_interrupted{false};
void (*g_handler)() = nullptr;

void onInterrupt(int) {
    g_interrupted.store(true);
    if (g_handler != nullptr) g_handler();
}

}  // namespace

std::optional<LinkSession> openLinkSession(const std::string& command, const std::string& port, bool verbose) {
    LinkSession session;
    session.state.initialise(programFolder());
    session.settingsFolder = chooseSettingsFolder(session.state.appFolder);
    session.state.settingsFolder = session.settingsFolder;
    const std::string ini = settingsFileForReading(session.state.appFolder, session.settingsFolder);
    std::error_code ec;
    if (std::filesystem::exists(ini, ec)) {
        openSettings(session.state, ini);  // a broken settings file leaves the defaults, silently
    }
    auto choice = resolvePortName(port, session.settingsFolder);
    if (!choice) {
        std::cerr << "mmx4210-cli " << command << ": --port takes Com1..Com10, a device path or a network address (rfc2217://HOST:PORT, tcp://HOST:PORT), not '" << port
                  << "'\n";
        return std::nullopt;
    }
    if (choice->comNumber != 0) session.state.settings.port.Commport = static_cast<int16_t>(choice->comNumber);
    session.portLabel = choice->label;
    session.factory = serialPortFactory(session.settingsFolder, choice->path, terminalPortNotes(verbose));
    return session;
}

std::string portFailureText(const LinkSession& session, const Connection& connection) {
    const std::string& error = connection.lastError();
    // The port's own reasons begin with its path; a ComN label adds which path that was.
    if (error.rfind(session.portLabel + ":", 0) == 0) return error;
    return session.portLabel + ": " + error;
}

int exitCodeFor(const app::LinkOutcome& outcome) {
    switch (outcome.verdict) {
        case app::LinkVerdict::Done: return kSuccess;
        case app::LinkVerdict::PortError: return kPortError;
        case app::LinkVerdict::Cancelled: return kInterrupted;
        case app::LinkVerdict::Failed: break;
    }
    if (interrupted()) return kInterrupted;
    return outcome.answer.kind == AnswerKind::NoAnswer ? kNoAnswer : kRefused;
}

PortNoteSink terminalPortNotes(bool verbose, std::function<void(const std::string&)> print) {
    return [verbose, print = std::move(print)](const PortNote& note) {
        static std::mutex lock;
        static std::set<std::string> said;
        if (!note.warning && !verbose) return;
        const std::string text = (note.warning ? "warning: " : "") + note.text;
        {
            std::lock_guard<std::mutex> hold(lock);
            if (!said.insert(text).second) return;
        }
        if (print) {
            print(text);
        } else {
            std::cerr << text << "\n";
        }
    };
}

void TerminalStatus::clearProgressLine() {
    if (progressLine_) {
        std::cerr << "\r\033[K";
        progressLine_ = false;
    }
}

void TerminalStatus::setStatusPanel(const std::string& text) {
    if (text == last_) return;
    last_ = text;
    if (quiet_) return;
    clearProgressLine();
    std::cerr << text << "\n";
}

void TerminalStatus::alert(const std::string& text) {
    clearProgressLine();
    std::cerr << "mmx4210-cli " << command_ << ": " << text << "\n";
}

void installInterruptHandler(void (*handler)()) {
    g_handler = handler;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESETHAND;  // a second Ctrl-C ends the program at once
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool interrupted() { return g_interrupted.load(); }

}  // namespace mmx::cli
