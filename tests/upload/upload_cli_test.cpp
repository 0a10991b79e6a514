// mmx4210-cli upload and read-tables as a user runs them: a set-up file, a pseudo-terminal with
// the unit behind it, the exit code, the one line on standard output, and Ctrl-C.
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/saved_setup.h"
#include "support/served_unit.h"

namespace mmx::test {
namespace {

ProgramRun runCli(const std::vector<std::string>& args, const std::function<bool(const std::string&)>& onErr = {},
                  int signal = SIGINT) {
    return runProgram(MMX_CLI_PATH, args, {}, onErr, signal);
}

class CliUpload : public ::testing::Test {
protected:
    void serve(UnitOptions options) {
        served = std::make_unique<ServedUnit>(options);
        served->start();
    }

    // Two messages and one trigger, saved as a set-up file.
    std::string writeSetup(uint32_t dataBytes) { return savedSetup(folder, {{1, dataBytes + 1}, {2, dataBytes + 2}}, 4); }

    ScratchFolder folder;
    std::unique_ptr<ServedUnit> served;
};

TEST_F(CliUpload, SucceedsOnlyAfterTheEndCommandAndPrintsTheVerdict) {
    serve({});
    const std::string portLine = "port " + served->path() + " 115200 8N2\n";
    // An erased unit's table is said to be erased, nothing more.
    const ProgramRun erased = runCli({"read-tables", "--port", served->path()});
    EXPECT_EQ(erased.exitCode, 0) << erased.err;
    EXPECT_EQ(erased.out, "Message table\nerased: nothing was uploaded, or an upload did not finish\n");
    EXPECT_EQ(erased.err, portLine);

    const std::string setup = writeSetup(3000);
    const ProgramRun upload = runCli({"upload", setup, "--port", served->path(), "--verify"});
    EXPECT_EQ(upload.exitCode, 0) << upload.err;
    // The verdict once, on standard output only.
    EXPECT_EQ(upload.out, "Status:  Message and configuration upload successfully!\n");
    EXPECT_EQ(upload.err.rfind(portLine + "Status:  Erasing data...\nStatus:  m1 File is uploading...\n", 0), 0u)
        << upload.err;
    EXPECT_EQ(upload.err.find("upload successfully"), std::string::npos) << upload.err;
    EXPECT_NE(upload.err.find("\nfull upload: 18 blocks acknowledged, 0 frames sent again, message table read back "
                              "and equal\n"),
              std::string::npos)
        << upload.err;

    const ProgramRun again = runCli({"upload", setup, "--port", served->path()});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "Status:  Configuration upload successfully!\n");
    // No message went out: that is what is said, not a count of none.
    EXPECT_EQ(again.err, portLine + "Status:  Erasing data...\nconfiguration only: the unit holds these messages already; "
                                    "both tables rewritten, 0 frames sent again\n");
    const ProgramRun quiet = runCli({"upload", setup, "--port", served->path(), "--quiet"});
    EXPECT_EQ(quiet.out, "Status:  Configuration upload successfully!\n");
    EXPECT_EQ(quiet.err, "");

    // The message table in the one form image --tables prints too.
    const ProgramRun tables = runCli({"read-tables", "--port", served->path()});
    EXPECT_EQ(tables.exitCode, 0) << tables.err;
    EXPECT_EQ(tables.err, portLine);
    EXPECT_EQ(tables.out,
              "Message table\nmessage 1  0x000000  3150 bytes\nmessage 2  0x000627  3150 bytes\nmessage 3  none\n"
              "message 4  none\nmessage 5  none\nmessage 6  none\nmessage 7  none\nmessage 8  none\nmessage 9  none\n"
              "message 10 none\nmessage 11 none\nmessage 12 none\nend        0x000C4E\ncount      2\nchecksum   ok\n"
              "memory     6300 of 8380000 bytes used\n");
}

TEST_F(CliUpload, RefusalEndsWithItsOwnExitCode) {
    UnitOptions refusing;
    refusing.nakEveryNth = 1;
    serve(refusing);
    const ProgramRun upload = runCli({"upload", writeSetup(1000), "--port", served->path()});
    EXPECT_EQ(upload.exitCode, 5) << upload.err;
    // The verdict once, on standard error only, then why.
    EXPECT_EQ(upload.out, "");
    EXPECT_EQ(upload.err, "port " + served->path() +
                              " 115200 8N2\nStatus:  Reading data failed!\n"
                              "Status:  Message and configuration upload unsuccessfully!\n"
                              "mmx4210-cli upload: failed at start command P: the unit sent not acknowledged (21)\n");
}

// A set-up file that does not read: the usual text and what is wrong, before any port is opened.
TEST_F(CliUpload, ASetupFileThatDoesNotReadIsRefused) {
    const std::string bad = folder.write("bad.cfg", "MsgBt( 1) =perhaps\r\n");
    const ProgramRun refused = runCli({"upload", bad, "--port", folder.folder() + "no-such-tty"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "mmx4210-cli upload: " + bad + ": Configuration file cannot be found! (has 1 lines, 280 are needed)\n");
}

TEST_F(CliUpload, SeveralPortsEndWithATableAndTheFailingPortNamed) {
    serve({});
    const std::string missing = folder.folder() + "no-such-tty";
    const ProgramRun upload = runCli({"upload", writeSetup(1000), "--port", served->path(), "--port", missing});
    EXPECT_EQ(upload.exitCode, 3) << upload.err;
    // The table's columns, blanks collapsed: port, verdict, time, blocks resent.
    std::string table;
    for (char c : upload.out) {
        if (c != ' ' || table.empty() || table.back() != ' ') table += c;
    }
    EXPECT_EQ(table.rfind("Port Verdict Time Blocks resent\n", 0), 0u) << upload.out;
    EXPECT_NE(table.find("\n" + served->path() + " succeeded "), std::string::npos) << upload.out;
    EXPECT_NE(table.find("\n" + missing + " port cannot be opened "), std::string::npos) << upload.out;
    EXPECT_NE(upload.err.find("failed: " + missing + " (port cannot be opened at opening the port: " + missing +
                              ": no such device)\n"),
              std::string::npos)
        << upload.err;
    EXPECT_EQ(runCli({"upload", "x.cfg", "--port", missing, "--port", missing}).exitCode, 2);
}

TEST_F(CliUpload, RepeatLogsEveryUnitUntilCtrlC) {
    serve({});
    const std::string log = folder.folder() + "units.log";
    folder.write("units.log", std::string("earlier line\n"));
    const std::string setup = writeSetup(1000);
    // Once as usual: the record would now let the same set-up rewrite the tables only ...
    ASSERT_EQ(runCli({"upload", setup, "--port", served->path()}).exitCode, 0);
    const ProgramRun upload =
        runCli({"upload", setup, "--port", served->path(), "--repeat", "--log", log},
               [](const std::string& err) { return err.find("units done: 1 (1 succeeded") != std::string::npos; });
    EXPECT_EQ(upload.exitCode, 0) << upload.err;
    const std::string logged = readText(log);
    EXPECT_EQ(logged.rfind("earlier line\n", 0), 0u) << logged;
    // ... but the unit on the line may be another one: a repeated upload is always full.
    EXPECT_NE(logged.find("\t" + served->path() + "\tsucceeded\t"), std::string::npos) << logged;
    EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 2) << logged;
}

class CliSignal : public CliUpload, public ::testing::WithParamInterface<int> {};

TEST_P(CliSignal, ClosesThePortEndsTheDataFramesAndSaysTheUploadWasNotCompleted) {
    UnitOptions slowLine;
    slowLine.baud = 9600;  // 0.4 s a block: the signal lands in the middle of the messages
    serve(slowLine);
    const ProgramRun upload =
        runCli({"upload", writeSetup(6000), "--port", served->path(), "--full"},
               [](const std::string& err) { return err.find("progress ") != std::string::npos; }, GetParam());
    EXPECT_EQ(upload.exitCode, 130) << upload.err;
    EXPECT_NE(upload.err.find("NOT completed"), std::string::npos) << upload.err;
    served->stop();
    for (const auto& line : served->unit.log()) EXPECT_NE(line.rfind("L", 0), 0u) << line;
    EXPECT_EQ(served->unit.log().back(), "D close") << "the unit is left out of data mode";
    EXPECT_TRUE(served->unit.messageTable().erased);
}

INSTANTIATE_TEST_SUITE_P(Signals, CliSignal, ::testing::Values(SIGINT, SIGTERM, SIGHUP));

}  // namespace
}  // namespace mmx::test
