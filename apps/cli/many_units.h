#pragma once
// The same set-up onto many units at once, one serial line each. The unit image is built once
// and shared read-only; every line runs its own upload (port, connection, driver) on its own
// thread, and a unit that fails, fails alone.
// With repeat, each line then waits for the unit to go and the next one to answer, and
// uploads again, until cancel().
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ui/app/window_state.h"
#include "ui/lang/ui_text_table.h"
#include "device/connection.h"
#include "device/upload_driver.h"
#include "image/unit_image.h"

namespace mmx::cli {

// One serial line to a unit.
struct UnitLine {
    std::string label;  // as the user knows it: "COM2" or "/dev/ttyUSB1"
    PortFactory factory;
};

// One upload to one unit, finished.
struct UnitReport {
    size_t line = 0;  // index into the lines
    UploadResult result;
    int exitCode = 0;          // as a single upload would exit
    double seconds = 0;
    std::string statusText;    // the last status line ("Status:  Message and configuration upload successfully!")
    std::string recordError;   // the record of what the unit holds could not be kept
    std::chrono::system_clock::time_point finishedAt;
};

enum class LinePhase {
    Uploading,
    WaitingForRemoval,  // repeat: the unit just done still answers
    WaitingForUnit,     // repeat: nothing answers yet
    Finished,
};

// Told what each line does; called from the lines' threads, so it must lock what it shares.
class ManyUnitsObserver {
public:
    virtual ~ManyUnitsObserver() = default;
    virtual void phase(size_t /*line*/, LinePhase /*phase*/) {}
    virtual void status(size_t /*line*/, const std::string& /*text*/) {}
    virtual void progress(size_t /*line*/, long /*value*/, long /*maximum*/) {}
    virtual void remaining(size_t /*line*/, int /*percent*/, int32_t /*seconds*/) {}
    virtual void finished(const UnitReport& /*report*/) {}
};

struct ManyUnitsOptions {
    UploadOptions upload;
    bool repeat = false;
    int probeIntervalMs = 1000;  // repeat: how often a line asks whether a unit is there
    int probeTimeOutMs = 500;    // repeat: how long a probe waits for the answer to "P"
};

// The exit code of one upload's result (0 success, 3 port, 4 no answer, 5 refused, ...).
int exitCodeFor(const UploadResult& result);
// 0 when every unit succeeded; else 130 when one was interrupted, else the highest code:
// a unit holding the wrong data (6) over a refusing (5), a silent (4), an unopened one (3).
int worstExitCode(const std::vector<UnitReport>& reports);

class ManyUnits {
public:
    // setup: line settings and time-out for every line, the texts, the settings folder (for the
    // record of what each unit holds) and whether its messages were uploaded before.
    ManyUnits(const WindowState& setup, const image::UnitImage& image, std::vector<UnitLine> lines,
              ManyUnitsOptions options, ManyUnitsObserver& observer);
    ~ManyUnits();
    ManyUnits(const ManyUnits&) = delete;
    ManyUnits& operator=(const ManyUnits&) = delete;

    // Runs every line until its upload ended (or, with repeat, until cancel()); every report,
    // in the order the uploads finished.
    std::vector<UnitReport> run();
    // Ends every upload and wait soon; safe from any thread and from a signal handler.
    void cancel();

private:
    struct Line;
    void runLine(size_t index);
    UnitReport uploadUnit(size_t index);
    bool unitAnswers(size_t index);
    bool waitCancelled(int ms) const;

    const WindowState& setup_;
    const image::UnitImage& image_;
    ManyUnitsOptions options_;
    ManyUnitsObserver& observer_;
    std::vector<std::unique_ptr<Line>> lines_;
    std::mutex recordLock_;
    std::mutex reportsLock_;
    std::vector<UnitReport> reports_;
    std::atomic<bool> cancelled_{false};
    int wake_[2] = {-1, -1};  // written once by cancel(): every waiting line's poll() returns
};

}  // namespace mmx::cli
