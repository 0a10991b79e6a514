// mmx4210-cli read-tables --port ComN|PATH: reads the unit's message table (command R) and
// prints it decoded.
#include <CLI/CLI.hpp>

#include <iostream>

#include "cli_command.h"
#include "cli_texts.h"
#include "device/connection.h"
#include "image/unit_tables.h"
#include "link_session.h"
#include "platform/serial/port_names.h"
#include "terminal_link.h"

namespace mmx::cli {
namespace {

UnitSession* g_session = nullptr;

void cancelRead() {
    if (g_session != nullptr) g_session->requestCancel();
}

int runReadTables(const std::string& port, bool verbose) {
    if (port.empty()) {
        std::cerr << "mmx4210-cli read-tables: name the port with --port ComN|PATH\n";
        return kUsage;
    }
    auto session = openLinkSession("read-tables", port, verbose);
    if (!session) return kUsage;

    SteadyClock clock;
    TerminalLink link(clock, false, false);
    Connection connection(linkSettingsFrom(session->settings.port), clock, link, session->factory);
    link.portDescription = [&connection] { return connection.portDescription(); };
    g_session = &connection.session();
    installInterruptHandler(cancelRead);
    const app::TablesOutcome outcome = app::readUnitTables(connection);
    g_session = nullptr;

    switch (outcome.verdict) {
        case app::LinkVerdict::Done: break;
        case app::LinkVerdict::PortError:
            std::cerr << "mmx4210-cli read-tables: " << boxText(kPortCannotOpen) << " "
                      << portFailureText(*session, connection) << "\n";
            return kPortError;
        case app::LinkVerdict::Cancelled:
            std::cerr << "mmx4210-cli read-tables: interrupted; the port is closed\n";
            return kInterrupted;
        case app::LinkVerdict::Failed:
            std::cerr << "mmx4210-cli read-tables: " << statusLine(LinkStatus::ReadingFailed) << " ";
            if (outcome.answer.acknowledged()) {
                std::cerr << "the answer holds " << outcome.payloadBytes << " bytes, not 128\n";
            } else if (outcome.answer.kind == AnswerKind::NoAnswer || outcome.answer.code == ResultCode::TimeOut) {
                std::cerr << answerFailureWords(outcome.answer, outcome.byteTimeOutMs, outcome.answerTimeOutMs) << "\n";
            } else {
                std::cerr << "result code " << static_cast<int>(outcome.answer.code) << "\n";
            }
            return exitCodeFor(outcome);
    }
    std::cout << messageTableReport(image::decodeMessageTable(*outcome.messageTable));
    std::cout.flush();
    return std::cout ? kSuccess : kFailure;
}

struct ReadTablesArgs {
    std::string port;
    bool verbose = false;
};

const CommandRegistration registration({
    "read-tables",
    "read the message table back from the unit (command R) and print it decoded",
    [](CLI::App& app) -> CommandRun {
        auto args = std::make_shared<ReadTablesArgs>();
        app.add_option("--port", args->port, "the unit's port: Com1..Com10 or a device path")
            ->type_name("ComN|PATH")
            ->required();
        app.add_flag("-v,--verbose", args->verbose, "also tell how the adapter was tuned (low-latency flag, latency timer)");
        return [args] { return runReadTables(args->port, args->verbose); };
    },
});

}  // namespace
}  // namespace mmx::cli
