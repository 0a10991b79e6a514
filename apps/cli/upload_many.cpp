#include "upload_many.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <set>
#include <unistd.h>

#include "cli_command.h"
#include "link_session.h"
#include "many_units.h"
#include "port_list.h"
#include "platform/serial/port_names.h"
#include "storage/message_files.h"
#include "setup_session.h"
#include "ui/link/upload_job.h"
#include "unit_board.h"

namespace mmx::cli {

namespace {

ManyUnits* g_run = nullptr;

void cancelAll() {
    if (g_run != nullptr) g_run->cancel();
}

std::string canonicalOf(const std::string& path) {
    std::error_code ec;
    auto resolved = std::filesystem::canonical(path, ec);
    return ec ? path : resolved.string();
}

// The paths of the USB serial adapters present: built-in ports rarely carry a unit and would
// only fail.
std::vector<std::string> adapterPaths() {
    std::vector<std::string> paths;
    for (const auto& device : listSerialDevices()) {
        if (!device.usbId.empty()) paths.push_back(device.path);
    }
    return paths;
}

}  // namespace

int runManyUploads(const ManyUploadRequest& request) {
    std::vector<std::string> names = request.ports;
    if (request.allPorts) {
        for (const auto& path : adapterPaths()) names.push_back(path);
        if (names.empty()) {
            std::cerr << "mmx4210-cli upload: --ports all found no USB serial adapter (see mmx4210-cli ports)\n";
            return kPortError;
        }
    }
    auto session = openLinkSession("upload", names.front(), request.verbose);
    if (!session) return kUsage;
    WindowState& state = session->state;

    std::vector<std::string> labels;
    std::vector<std::string> paths;
    std::set<std::string> devices;
    for (const auto& name : names) {
        auto choice = resolvePortName(name, session->settingsFolder);
        if (!choice) {
            std::cerr << "mmx4210-cli upload: --port takes Com1..Com10, a device path or a network address (rfc2217://HOST:PORT, tcp://HOST:PORT), not '" << name << "'\n";
            return kUsage;
        }
        // Two names of one device would be two uploads fighting over one line.
        if (!devices.insert(canonicalOf(choice->path)).second) {
            if (request.allPorts && choice->comNumber == 0) continue;
            std::cerr << "mmx4210-cli upload: " << name << " names a port that is already in the list\n";
            return kUsage;
        }
        labels.push_back(choice->comNumber != 0 ? choice->label + " (" + choice->path + ")" : choice->path);
        paths.push_back(choice->path);
    }
    if (refuseSameServer("upload", labels, paths)) return kUsage;

    const FileOutcome opened = openSetupInto(state, request.setupPath);
    if (!opened) {
        std::cerr << "mmx4210-cli upload: " << request.setupPath << ": "
                  << state.texts.messageBox(UiTextTable::SetupFileMissing) << " (" << opened.reason() << ")\n";
        return kFailure;
    }
    // Every message file read and checked once; the image is shared read-only by every line.
    const LoadedImage loaded = loadUnitImage(state.setup);
    if (!loaded.image) {
        std::cout << state.texts.statusMessage(UiTextTable::UploadFailed) << "\n";
        std::cerr << "mmx4210-cli upload: " << fileProblemText(state.texts, *loaded.problem)
                  << "\nmmx4210-cli upload: nothing was sent; the units are as they were\n";
        return kFailure;
    }
    UnitLog log;
    std::string error;
    if (!request.logPath.empty() && !log.open(request.logPath, error)) {
        std::cerr << "mmx4210-cli upload: cannot write the log: " << error << "\n";
        return kFailure;
    }

    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    UnitBoard board(labels, terminal, request.quiet, request.repeat, request.logPath.empty() ? nullptr : &log);
    const PortNoteSink notes = terminalPortNotes(request.verbose, [&board](const std::string& text) { board.note(text); });
    std::vector<UnitLine> lines;
    for (size_t i = 0; i < paths.size(); ++i) {
        lines.push_back(UnitLine{labels[i], serialPortFactory(session->settingsFolder, paths[i], notes)});
    }
    if (!request.quiet) {
        std::cerr << "uploading " << request.setupPath << " to " << lines.size() << (lines.size() == 1 ? " unit" : " units")
                  << " at " << state.settings.port.settingsText() << (request.repeat ? ", again for every next unit" : "") << "\n";
    }

    ManyUnitsOptions options;
    options.upload = request.options;
    options.repeat = request.repeat;
    // A port's record speaks for the unit that was on it; with units coming and going it cannot
    // vouch for the next one (same table, other sound), so every repeated upload is full.
    if (request.repeat) options.upload.forceFull = true;
    ManyUnits run(state, *loaded.image, std::move(lines), options, board);
    g_run = &run;
    installInterruptHandler(cancelAll);
    std::vector<UnitReport> reports = run.run();
    g_run = nullptr;
    board.close();
    // Once: in the order the ports were named. Repeated: in the order the units came.
    if (!request.repeat) {
        std::stable_sort(reports.begin(), reports.end(),
                         [](const UnitReport& a, const UnitReport& b) { return a.line < b.line; });
    }

    std::cout << UnitBoard::table(reports, labels);
    std::string failing;
    for (const auto& report : reports) {
        if (report.exitCode == kSuccess) continue;
        failing += (failing.empty() ? "" : "; ") + labels[report.line] + " (" + verdictWord(report.result);
        if (report.result.failedStep != UploadStep::None && report.result.verdict != UploadVerdict::Cancelled) {
            failing += std::string(" at ") + stepName(report.result.failedStep);
        }
        if (!report.result.detail.empty()) failing += ": " + report.result.detail;
        failing += ")";
    }
    if (!failing.empty()) std::cerr << "mmx4210-cli upload: failed: " << failing << "\n";
    for (const auto& report : reports) {
        if (report.recordError.empty()) continue;
        std::cerr << "mmx4210-cli upload: warning: cannot keep the record of the upload to " << labels[report.line] << ": "
                  << report.recordError << "\n";
    }
    if (reports.empty() && interrupted()) return kInterrupted;
    return worstExitCode(reports);
}

}  // namespace mmx::cli
