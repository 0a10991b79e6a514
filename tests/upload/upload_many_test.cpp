// Many units at once in one process: a unit served on a pseudo-terminal per line, the real
// serial port on the other side, each line on its own thread; one unit unplugged in the middle
// and one refusing fail alone, and the exit code is the worst failure's.
#include <gtest/gtest.h>
#include <thread>

#include "cli_command.h"
#include "support/expected_image.h"
#include "many_units.h"
#include "platform/serial/port_names.h"
#include "support/served_unit.h"
#include "support/test_support.h"
#include "upload_rig.h"

namespace mmx::test {
namespace {

using cli::LinePhase;
using cli::UnitReport;

// Pulls the adapter of one line out once that line is a third through its messages.
class Unplugger : public cli::ManyUnitsObserver {
public:
    Unplugger(size_t line, ServedUnit& unit) : line_(line), unit_(unit) {}
    void progress(size_t line, long value, long maximum) override {
        if (line != line_ || pulled_ || value * 3 < maximum) return;
        pulled_ = true;
        unit_.stop();
        unit_.server.hangUp();
    }
    void finished(const UnitReport& report) override {
        std::lock_guard<std::mutex> hold(lock_);
        finishedLines.push_back(report.line);
    }
    std::mutex lock_;
    std::vector<size_t> finishedLines;

private:
    size_t line_;
    ServedUnit& unit_;
    bool pulled_ = false;
};

TEST(ManyUnits, EachUnitGetsTheExactImageAndAFailingUnitFailsAlone) {
    UnitOptions refusing;
    refusing.nakEveryNth = 1;
    std::vector<std::unique_ptr<ServedUnit>> units;
    for (UnitOptions options : {UnitOptions{}, UnitOptions{}, UnitOptions{}, refusing}) {
        units.push_back(std::make_unique<ServedUnit>(options));
        units.back()->start();
    }
    ScratchFolder folder;
    SlotFiles files;
    files.bytes[0] = patternBytes(30000, 21);
    files.bytes[1] = patternBytes(349, 22);
    std::array<ExpectedTrigger, 12> triggers{};
    triggers[0] = ExpectedTrigger{{2, 0, 0, 0}, {false, false, true, false, false, false}};
    const image::UnitImage image = imageFor(files, triggers);

    std::vector<cli::UnitLine> lines;
    for (const auto& unit : units) {
        lines.push_back({unit->path(), serialPortFactory(folder.folder(), unit->path())});
    }
    cli::ManyUnitsOptions options;  // no record folder: no record, every upload full
    options.port.CommTimeOut = 1000;
    Unplugger unplugger(2, *units[2]);
    cli::ManyUnits run(image, std::move(lines), options, unplugger);
    const std::vector<UnitReport> reports = run.run();

    ASSERT_EQ(reports.size(), 4u);
    std::array<int, 4> codes{};
    for (const auto& report : reports) codes[report.line] = report.exitCode;
    EXPECT_EQ(codes, (std::array<int, 4>{cli::kSuccess, cli::kSuccess, cli::kNoAnswer, cli::kRefused}));
    EXPECT_EQ(cli::worstExitCode(reports), cli::kRefused);
    EXPECT_EQ(unplugger.finishedLines.size(), 4u);

    const std::vector<uint16_t> expected = expectedUpload(files.bytes, triggers).image;
    for (size_t i : {0u, 1u}) {
        units[i]->stop();
        EXPECT_EQ(firstDifference(units[i]->unit.image(), expected), "") << "unit " << i;
    }
    units[2]->stop();
    units[3]->stop();
    EXPECT_TRUE(units[2]->unit.messageTable().erased);
}

TEST(ManyUnits, WorstExitCode) {
    auto reports = [](std::vector<int> codes) {
        std::vector<UnitReport> all;
        for (int code : codes) {
            all.emplace_back();
            all.back().exitCode = code;
        }
        return all;
    };
    EXPECT_EQ(cli::worstExitCode(reports({0, 0})), cli::kSuccess);
    EXPECT_EQ(cli::worstExitCode(reports({0, cli::kPortError, cli::kNoAnswer})), cli::kNoAnswer);
    EXPECT_EQ(cli::worstExitCode(reports({cli::kVerifyFailed, cli::kRefused, 0})), cli::kVerifyFailed);
    EXPECT_EQ(cli::worstExitCode(reports({cli::kInterrupted, cli::kVerifyFailed})), cli::kInterrupted);
}

}  // namespace
}  // namespace mmx::test
