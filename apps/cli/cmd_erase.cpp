// mmx4210-cli erase --port ComN|PATH [--address HEX]: start command P and the erase dialogue,
// with the unit's progress on stderr.
#include <CLI/CLI.hpp>

#include <atomic>
#include <csignal>
#include <iostream>
#include <optional>
#include <unistd.h>

#include "cli_command.h"
#include "ui/lang/ui_text_table.h"
#include "app/link/unit_commands.h"
#include "device/connection.h"
#include "device/upload_result.h"
#include "platform/serial/port_names.h"
#include "link_session.h"
#include "ui/link/link_text_presenter.h"

namespace mmx::cli {
namespace {

std::atomic<UnitSession*> g_interruptible{nullptr};

void cancelErase() {
    if (UnitSession* session = g_interruptible.load()) session->requestCancel();
}

// Status lines on stderr; the progress dots redraw one line on a terminal and print as plain
// dots into a pipe or file.
class StderrDisplay final : public StatusDisplay {
public:
    std::function<void()> onConnected;
    void setConnectedIndicator(bool connected) override {
        if (connected && onConnected) onConnected();
    }
    explicit StderrDisplay(bool quiet) : quiet_(quiet), terminal_(::isatty(2) != 0) {}
    void setStatusPanel(const std::string& text) override {
        last = text;
        if (quiet_) return;
        if (text == progressText) {
            ++dots_;
            if (terminal_) {
                std::cerr << "\r" << text << " " << dots_ << std::flush;
            } else {
                std::cerr << (dots_ == 1 ? text + " " : std::string()) << "." << std::flush;
            }
            return;
        }
        if (dots_ > 0) std::cerr << "\n";
        dots_ = 0;
        std::cerr << text << "\n";
    }
    std::string progressText;
    std::string last;

private:
    bool quiet_;
    bool terminal_;
    long dots_ = 0;
};

std::string failureWords(const app::LinkOutcome& outcome) {
    return answerFailureWords(outcome.answer, outcome.byteTimeOutMs, outcome.answerTimeOutMs);
}

bool parseAddress(const std::string& text, uint32_t& address) {
    std::string digits = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? text.substr(2) : text;
    if (digits.empty() || digits.size() > 6) return false;
    address = 0;
    for (char c : digits) {
        int v = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                : (c >= 'a' && c <= 'f')                     ? c - 'a' + 10
                : (c >= 'A' && c <= 'F')                     ? c - 'A' + 10
                                                             : -1;
        if (v < 0) return false;
        address = address * 16 + static_cast<uint32_t>(v);
    }
    return true;
}

struct EraseArgs {
    std::string portName;
    std::vector<std::string> addressTexts;
    bool quiet = false;
    bool verbose = false;
};

int runErase(const EraseArgs& args) {
    const std::string& portName = args.portName;
    const bool quiet = args.quiet;
    std::vector<uint32_t> addresses;
    for (const std::string& text : args.addressTexts) {
        uint32_t address = 0;
        if (!parseAddress(text, address)) {
            std::cerr << "mmx4210-cli erase: \"" << text << "\" is not a unit address (hex, up to FFFFFF)\n";
            return kUsage;
        }
        addresses.push_back(address);
    }
    if (portName.empty()) {
        std::cerr << "mmx4210-cli erase: name the port with --port Com1..Com10 or a device path\n";
        return kUsage;
    }
    // Without an address: the whole memory, as an upload erases it.
    if (addresses.empty()) addresses = {0x3FFFFF, 0x1FFFFF};

    // The line settings and time-out of the settings file, when there is one.
    std::optional<LinkSession> session = openLinkSession("erase", portName, args.verbose);
    if (!session) return kUsage;
    const UiTextTable& texts = session->state.texts;
    SteadyClock clock;
    StderrDisplay display(quiet);
    display.progressText = texts.statusMessage(UiTextTable::Erasing);
    LinkTextPresenter presenter(texts, display);
    Connection connection(linkSettingsFrom(session->state.settings.port), clock, presenter, session->factory);
    display.onConnected = [&connection, quiet] {
        if (!quiet) std::cerr << "Port: " << connection.portDescription() << "\n";
    };
    g_interruptible.store(&connection.session());
    installInterruptHandler(cancelErase);
    const app::EraseOutcome outcome = app::eraseUnit(connection, addresses);
    g_interruptible.store(nullptr);

    switch (outcome.failedStep) {
        case app::LinkStep::Connect:
            std::cerr << "mmx4210-cli erase: " << portFailureText(*session, connection) << "\n";
            break;
        case app::LinkStep::Start:
            std::cerr << "mmx4210-cli erase: the unit did not accept the start command (result code "
                      << static_cast<int>(outcome.answer.code) << "): " << failureWords(outcome) << "\n";
            break;
        case app::LinkStep::Erase:
            std::cerr << "mmx4210-cli erase: erasing at " << std::hex << std::uppercase << outcome.failedAddress
                      << std::dec << " failed (result code " << static_cast<int>(outcome.answer.code)
                      << "): " << failureWords(outcome) << "\n";
            break;
        default: break;
    }
    if (outcome.done()) std::cout << display.last << "\n";
    return exitCodeFor(outcome);
}

const CommandRegistration registration{Command{
    "erase", "erase the unit (the whole memory, or the block of each address given), progress on stderr",
    [](CLI::App& app) -> CommandRun {
        auto args = std::make_shared<EraseArgs>();
        app.add_option("--port", args->portName, "the unit's port: Com1..Com10 or a device path")
            ->type_name("ComN|PATH")
            ->required();
        app.add_option("--address", args->addressTexts, "erase only the block holding this word address (hex, up to FFFFFF)")
            ->type_name("HEX")
            ->allow_extra_args(false);
        app.add_flag("-q,--quiet", args->quiet, "no status lines or progress on stderr");
        app.add_flag("-v,--verbose", args->verbose, "also tell how the adapter was tuned (low-latency flag, latency timer)");
        return [args] { return runErase(*args); };
    }}};

}  // namespace
}  // namespace mmx::cli
