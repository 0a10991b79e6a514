#include "upload_many.h"

#include <algorithm>
#include <iostream>
#include <unistd.h>

#include "app/setup_files.h"
#include "cli_command.h"
#include "cli_texts.h"
#include "link_session.h"
#include "many_units.h"
#include "port_list.h"
#include "platform/serial/port_names.h"
#include "unit_board.h"
#include "setup_reading.h"

namespace mmx::cli {

namespace {

ManyUnits* g_run = nullptr;

void cancelAll() {
    if (g_run != nullptr) g_run->cancel();
}

}  // namespace

int runManyUploads(const ManyUploadRequest& request) {
    const std::optional<PortList> ports = resolvePortList("upload", request.ports, request.allPorts, request.verbose);
    if (!ports) return kUsage;
    if (ports->lines.empty()) return kPortError;
    const LinkSession& session = *ports->session;
    const std::string& settingsFolder = session.folders.settings;
    std::vector<std::string> labels;
    for (const PortLine& line : ports->lines) labels.push_back(line.label);

    // Every message file read and checked once; the image is shared read-only by every line.
    const std::optional<image::UnitImage> loaded = readSetupImage("upload", request.setupPath, ImageUse::UploadMany);
    if (!loaded) return kFailure;
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
    for (const PortLine& line : ports->lines) {
        lines.push_back(UnitLine{line.label, serialPortFactory(settingsFolder, line.path, notes)});
    }
    if (!request.quiet) {
        std::cerr << "uploading " << request.setupPath << " to " << lines.size() << (lines.size() == 1 ? " unit" : " units")
                  << " at " << session.settings.port.line.text() << (request.repeat ? ", again for every next unit" : "") << "\n";
    }

    ManyUnitsOptions options;
    options.port = session.settings.port;
    // A set-up read from its file may be on a unit already: the unit's own table decides.
    options.place = app::UploadPlace{settingsFolder, true};
    options.upload = request.options;
    options.repeat = request.repeat;
    // A port's record speaks for the unit that was on it; with units coming and going it cannot
    // vouch for the next one (same table, other sound), so every repeated upload is full.
    if (request.repeat) options.upload.forceFull = true;
    ManyUnits run(*loaded, std::move(lines), options, board);
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
        if (const std::string why = uploadFailureWords(report.result); !why.empty()) failing += ": " + why;
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
