// mmx4210-cli upload SETUP.cfg --port ComN|PATH [--full] [--verify] [--quiet]: puts a set-up
// on the unit, with a progress bar, and exits 0 only when the unit acknowledged the end ("L").
#include <CLI/CLI.hpp>

#include <iostream>
#include <unistd.h>

#include "app/link/upload_unit.h"
#include "app/setup_files.h"
#include "cli_command.h"
#include "cli_texts.h"
#include "device/upload_driver.h"
#include "link_session.h"
#include "platform/serial/port_names.h"
#include "terminal_link.h"
#include "unit_board.h"
#include "upload_many.h"
#include "setup_reading.h"

namespace mmx::cli {
namespace {

UploadDriver* g_driver = nullptr;

void cancelUpload() {
    if (g_driver != nullptr) g_driver->cancel();
}

// What a successful upload did, in a few words.
std::string summary(const UploadResult& result, bool verified) {
    std::string text;
    if (result.fullUpload) {
        text = "full upload: " + std::to_string(result.blocksSent) + " blocks acknowledged";
    } else {
        // Nothing of the messages went out: say so rather than count none.
        text = "configuration only: the unit holds these messages already; both tables rewritten";
    }
    text += ", " + std::to_string(result.frameResends) + " frames sent again";
    if (verified) text += ", message table read back and equal";
    return text;
}

int runUpload(const ManyUploadRequest& request) {
    const bool quiet = request.quiet;
    if (request.ports.empty() && !request.allPorts) {
        std::cerr << "mmx4210-cli upload: name --port ComN|PATH or --ports all (try --help)\n";
        return kUsage;
    }
    if (request.ports.size() != 1 || request.allPorts || request.repeat || !request.logPath.empty()) {
        return runManyUploads(request);
    }
    auto session = openLinkSession("upload", request.ports.front(), request.verbose);
    if (!session) return kUsage;
    // Every message file is read whole and checked again before the port opens.
    const std::optional<image::UnitImage> loaded = readSetupImage("upload", request.setupPath, ImageUse::UploadOne);
    if (!loaded) return kFailure;

    SteadyClock clock;
    TerminalLink link(clock, ::isatty(STDERR_FILENO) == 1, quiet);
    Connection connection(linkSettingsFrom(session->settings.port), clock, link, session->factory);
    link.portDescription = [&connection] { return connection.portDescription(); };
    UploadDriver driver(connection);

    g_driver = &driver;
    installInterruptHandler(cancelUpload);
    // A set-up read from its file may be on the unit already: the unit's own table decides.
    const app::UploadOutcome outcome =
        app::uploadImage(driver, *loaded, app::UploadPlace{session->folders.settings, true}, request.options);
    g_driver = nullptr;
    const UploadResult& result = outcome.upload;

    if (!outcome.recordError.empty()) {
        std::cerr << "mmx4210-cli upload: warning: cannot keep the record of this upload: " << outcome.recordError << "\n";
    }
    // The verdict, in the program's own words, once: on standard output for a success, on
    // standard error for anything else.
    if (result.succeeded()) {
        std::cout << verdictLine(result) << "\n";
        if (!quiet) std::cerr << summary(result, request.options.verify) << "\n";
        return kSuccess;
    }
    std::cerr << verdictLine(result) << "\n";
    if (result.verdict == UploadVerdict::Cancelled) {
        std::cerr << "mmx4210-cli upload: interrupted; the port is closed and the upload was NOT completed"
                  << (result.unitErased ? " (the unit holds a partial image: upload again)" : "") << "\n";
        return kInterrupted;
    }
    if (result.verdict == UploadVerdict::PortError) {
        std::cerr << "mmx4210-cli upload: " << boxText(kPortCannotOpen) << " " << portFailureText(*session, connection)
                  << "\n";
        return exitCodeFor(result);
    }
    std::cerr << "mmx4210-cli upload: failed at " << stepName(result.failedStep);
    if (result.failedSlot != 0) std::cerr << " (slot " << result.failedSlot << ")";
    if (const std::string why = uploadFailureWords(result); !why.empty()) std::cerr << ": " << why;
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
