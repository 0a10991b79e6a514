// mmx4210-cli read-tables --port ComN|PATH: reads the unit's message table (command R) and
// prints it decoded.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

#include "cli_command.h"
#include "device/connection.h"
#include "device/upload_result.h"
#include "platform/serial/port_names.h"
#include "image/unit_tables.h"
#include "link_session.h"
#include "ui/link/link_text_presenter.h"

namespace mmx::cli {
namespace {

UnitSession* g_session = nullptr;

void cancelRead() {
    if (g_session != nullptr) g_session->requestCancel();
}

std::string address(int32_t value) {
    if (value < 0) return "none";
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(value));
    return text;
}

void printTable(const image::DecodedMessageTable& table) {
    const image::MessageDirectory& directory = table.directory;
    std::cout << "Slot  Address   Length [bytes]\n";
    for (size_t i = 0; i < unit::kSlots; ++i) {
        char line[64];
        const bool counted = i < directory.count;
        std::snprintf(line, sizeof line, "%4zu  %-8s  %s", i + 1, address(directory.address[i]).c_str(),
                      counted ? std::to_string(table.lengths[i]).c_str() : "-");
        std::cout << line << "\n";
    }
    std::cout << "End address      " << address(directory.endAddress) << "\n";
    std::cout << "Messages         " << static_cast<int>(table.countByte) << "\n";
    std::cout << "Table checksum   " << (table.sealed ? "ok" : "wrong") << "\n";
    int32_t end = directory.endAddress < 0 ? 0 : directory.endAddress;
    std::cout << "Memory used      " << static_cast<int64_t>(end) * 2 << " of " << unit::kCapacityBytes << " bytes\n";
    if (table.erased) std::cout << "(the table area is erased: nothing was uploaded, or an upload did not finish)\n";
    else if (!table.sealed) std::cout << "(the table's checksum is wrong: its contents cannot be trusted)\n";
}

int runReadTables(const std::string& port, bool verbose) {
    if (port.empty()) {
        std::cerr << "mmx4210-cli read-tables: name the port with --port ComN|PATH\n";
        return kUsage;
    }
    auto session = openLinkSession("read-tables", port, verbose);
    if (!session) return kUsage;
    WindowState& state = session->state;

    SteadyClock clock;
    TerminalStatus status("read-tables", false);
    LinkTextPresenter presenter(state.texts, status);
    Connection connection(linkSettingsFrom(state.settings.port), clock, presenter, session->factory);
    status.onConnected = [&connection, &session] {
        std::cerr << "port " << session->portLabel << ": " << connection.portDescription() << "\n";
    };
    g_session = &connection.session();
    installInterruptHandler(cancelRead);
    const app::TablesOutcome outcome = app::readUnitTables(connection);
    g_session = nullptr;

    switch (outcome.verdict) {
        case app::LinkVerdict::Done: break;
        case app::LinkVerdict::PortError:
            std::cerr << "mmx4210-cli read-tables: " << state.texts.messageBox(UiTextTable::PortCannotOpen) << " "
                      << portFailureText(*session, connection) << "\n";
            return kPortError;
        case app::LinkVerdict::Cancelled:
            std::cerr << "mmx4210-cli read-tables: interrupted; the port is closed\n";
            return kInterrupted;
        case app::LinkVerdict::Failed:
            std::cerr << "mmx4210-cli read-tables: " << state.texts.statusMessage(UiTextTable::ReadingFailed) << " ";
            if (outcome.answer.acknowledged()) {
                std::cerr << "the answer holds " << outcome.payloadBytes << " bytes, not 128\n";
            } else if (outcome.answer.kind == AnswerKind::NoAnswer || outcome.answer.code == ResultCode::TimeOut) {
                std::cerr << answerFailureWords(outcome.answer, outcome.byteTimeOutMs, outcome.answerTimeOutMs) << "\n";
            } else {
                std::cerr << "result code " << static_cast<int>(outcome.answer.code) << "\n";
            }
            return exitCodeFor(outcome);
    }
    printTable(image::decodeMessageTable(*outcome.messageTable));
    return kSuccess;
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
