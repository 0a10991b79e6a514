#pragma once
// How many uploads at once look on the terminal: one line per port, redrawn in place (plain
// lines per event when standard error is not a terminal), a running count when units keep
// coming, the log file of finished units, and the table at the end.
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "many_units.h"

namespace mmx::cli {

// "sending a message", "erase", ... for the step an upload failed at.
const char* stepName(UploadStep step);
// "succeeded", "no answer", "refused", ... in a few words.
std::string verdictWord(const UploadResult& result);
// "00:13:51"
std::string clockText(double seconds);

// One line per finished unit: time, port, verdict, seconds, tab-separated. Appended and pushed
// to the disk line by line, so that a crash loses nothing that was written.
class UnitLog {
public:
    UnitLog() = default;
    ~UnitLog();
    UnitLog(const UnitLog&) = delete;
    UnitLog& operator=(const UnitLog&) = delete;
    // False with the reason when the file cannot be opened for appending.
    bool open(const std::string& path, std::string& error);
    void append(const UnitReport& report, const std::string& port);

private:
    int fd_ = -1;
};

class UnitBoard final : public ManyUnitsObserver {
public:
    UnitBoard(std::vector<std::string> labels, bool terminal, bool quiet, bool repeat, UnitLog* log);

    void phase(size_t line, LinePhase phase) override;
    void status(size_t line, LinkStatus status) override;
    void sending(size_t line, int slot, const std::string& name) override;
    void progress(size_t line, long value, long maximum) override;
    void remaining(size_t line, int percent, int32_t seconds) override;
    void finished(const UnitReport& report) override;

    // A message above the board (what a port noticed about its adapter).
    void note(const std::string& text);
    // Last drawing; the cursor ends below the board.
    void close();

    // The table of every finished unit, for standard output.
    static std::string table(const std::vector<UnitReport>& reports, const std::vector<std::string>& labels);

private:
    struct Row {
        LinePhase phase = LinePhase::Uploading;
        std::string status;
        long value = 0;
        long maximum = 0;
        int percent = -1;
        int32_t remaining = -1;
        int lastPrintedPercent = -1;
        int done = 0;
    };
    std::string rowText(size_t line) const;
    void draw(bool force);
    void plain(size_t line, const std::string& text);
    void show(size_t line, const std::string& text);

    std::mutex lock_;
    std::vector<std::string> labels_;
    std::vector<Row> rows_;
    size_t labelWidth_ = 0;
    bool terminal_;
    bool quiet_;
    bool repeat_;
    UnitLog* log_;
    int succeeded_ = 0;
    int failed_ = 0;
    size_t drawnLines_ = 0;
    std::chrono::steady_clock::time_point lastDraw_{};
};

}  // namespace mmx::cli
