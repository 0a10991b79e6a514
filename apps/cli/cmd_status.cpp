// mmx4210-cli status SETUP.cfg --port P [--port Q ...] | --ports all: what each unit holds, from
// one table read each (command R), all ports at once; one line per unit.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <ctime>
#include <iostream>
#include <thread>

#include "app/link/unit_status.h"
#include "app/setup_files.h"
#include "cli_command.h"
#include "cli_texts.h"
#include "core/upload_time.h"
#include "link_session.h"
#include "platform/serial/port_names.h"
#include "port_list.h"
#include "setup_reading.h"

namespace mmx::cli {
namespace {

std::vector<Connection*> g_connections;

void cancelAll() {
    for (Connection* connection : g_connections) connection->session().requestCancel();
}

std::string hexAddress(int32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(std::max(address, 0)));
    return text;
}

std::string localTime(std::time_t time) {
    std::tm parts{};
    localtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &parts);
    return text;
}

// "14 min 20 s", "3 s"
std::string durationWords(double seconds) {
    const int64_t about = aboutSeconds(seconds);
    if (about < 60) return std::to_string(about) + " s";
    const std::string minutes = std::to_string(about / 60) + " min";
    return about % 60 == 0 ? minutes : minutes + " " + std::to_string(about % 60) + " s";
}

std::string holdingWords(const app::StatusOutcome& status) {
    switch (status.holding) {
        case app::UnitHolding::ThisSetup:
            return status.writtenAt ? "holds this set-up (written from here " + localTime(*status.writtenAt) + ")"
                                    : "holds this set-up (written from here)";
        case app::UnitHolding::TheseMessages:
            return "holds these messages, but this computer's record cannot vouch for the configuration";
        case app::UnitHolding::OtherMessages:
            return "holds other messages (" + std::to_string(status.unitTable->directory.count) + ", end address " +
                   hexAddress(status.unitTable->directory.endAddress) + ")";
        case app::UnitHolding::DamagedTable: return "holds a message table whose checksum is wrong";
        case app::UnitHolding::Erased: return "erased";
        case app::UnitHolding::Unknown: break;
    }
    return "";
}

std::string forecastWords(const app::UploadForecast& forecast) {
    return forecast.road == app::UploadRoad::TablesOnly ? "upload: tables only, about " + durationWords(forecast.seconds)
                                                        : "upload: full, about " + durationWords(forecast.seconds);
}

std::string failureWords(const app::StatusOutcome& status, const std::string& path) {
    switch (status.verdict) {
        case app::LinkVerdict::PortError:
            return "the port cannot be opened: " +
                   (status.portError.rfind(path + ":", 0) == 0 ? status.portError.substr(path.size() + 2) : status.portError);
        case app::LinkVerdict::Cancelled: return "interrupted";
        default: break;
    }
    if (status.answer.acknowledged()) {
        return "no table read: the answer holds " + std::to_string(status.payloadBytes) + " bytes, not 128";
    }
    const bool silent = status.answer.kind == AnswerKind::NoAnswer || status.answer.code == ResultCode::TimeOut;
    return std::string(silent ? "no answer: " : "garbled answer: ") +
           answerFailureWords(status.answer, status.byteTimeOutMs, status.answerTimeOutMs);
}

int exitCodeOf(const app::StatusOutcome& status) {
    if (status.verdict != app::LinkVerdict::Done) return exitCodeFor(status);
    return status.holdsSetup() ? kSuccess : kFailure;
}

struct StatusArgs {
    std::string setupPath;
    std::vector<std::string> ports;
    std::string portsWord;
    bool verbose = false;
};

int runStatus(const StatusArgs& args) {
    const std::optional<PortList> ports = resolvePortList("status", args.ports, args.portsWord == "all", args.verbose);
    if (!ports) return kUsage;
    if (ports->lines.empty()) return kPortError;
    const LinkSession& session = *ports->session;

    const std::optional<image::UnitImage> loaded = readSetupImage("status", args.setupPath, ImageUse::Look);
    if (!loaded) return kFailure;

    // One line each, all at once: a silent unit costs its time-out once, not once per unit.
    const size_t count = ports->lines.size();
    std::vector<std::unique_ptr<SteadyClock>> clocks;
    std::vector<std::unique_ptr<NoLinkEvents>> events;
    std::vector<std::unique_ptr<Connection>> connections;
    const PortNoteSink notes = terminalPortNotes(args.verbose);
    for (const auto& line : ports->lines) {
        clocks.push_back(std::make_unique<SteadyClock>());
        events.push_back(std::make_unique<NoLinkEvents>());
        connections.push_back(std::make_unique<Connection>(linkSettingsFrom(session.settings.port), *clocks.back(),
                                                           *events.back(),
                                                           serialPortFactory(session.folders.settings, line.path, notes)));
        g_connections.push_back(connections.back().get());
    }
    installInterruptHandler(cancelAll);
    std::vector<app::StatusOutcome> outcomes(count);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < count; ++i) {
        threads.emplace_back([&, i] { outcomes[i] = app::unitStatus(*connections[i], *loaded, session.folders.settings); });
    }
    for (auto& thread : threads) thread.join();

    int worst = kSuccess;
    for (size_t i = 0; i < count; ++i) {
        const app::StatusOutcome& status = outcomes[i];
        const std::string what = status.verdict == app::LinkVerdict::Done ? holdingWords(status)
                                                                          : failureWords(status, ports->lines[i].path);
        std::cout << ports->lines[i].label << ": " << what;
        if (status.verdict == app::LinkVerdict::Done) std::cout << "; " << forecastWords(status.upload);
        std::cout << "\n";
        const int code = exitCodeOf(status);
        worst = (worst == kInterrupted || code == kInterrupted) ? kInterrupted : std::max(worst, code);
    }
    g_connections.clear();
    return worst;
}

const CommandRegistration registration({
    "status",
    "tell what each unit holds, from one read of its message table (command R), every port at\n"
    "once: this set-up (and when this computer wrote it), these messages without a record that\n"
    "vouches for them, other messages, or nothing (erased); and what an upload would do and how\n"
    "long it would take. Exits 0 only when every unit holds the set-up, 1 when one differs, else\n"
    "the worst port or line failure's code.",
    [](CLI::App& app) -> CommandRun {
        auto args = std::make_shared<StatusArgs>();
        app.add_option("SETUP.cfg", args->setupPath, "the set-up file")->required();
        app.add_option("--port", args->ports, "a unit's port: Com1..Com10, a device path or a network address; once per unit")
            ->type_name("ComN|PATH")
            ->allow_extra_args(false);
        app.add_option("--ports", args->portsWord, "every USB serial adapter present, one unit each")
            ->type_name("all")
            ->check(CLI::Validator([](const std::string& word) { return word == "all" ? "" : "the only value is all"; }, ""));
        app.add_flag("-v,--verbose", args->verbose, "also tell how the adapter was tuned (low-latency flag, latency timer)");
        return [args] { return runStatus(*args); };
    },
});

}  // namespace
}  // namespace mmx::cli
