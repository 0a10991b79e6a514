// mmx4210-cli upload and read-tables as a user runs them: a set-up file, a pseudo-terminal with
// the unit behind it, the exit code, the one line on standard output, and Ctrl-C.
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "ui/app/editor.h"
#include "platform/serial/pty_unit_server.h"
#include "storage/setup_file.h"
#include "support/fake_dialogs.h"
#include "support/test_support.h"

extern char** environ;

namespace mmx::test {
namespace {

struct Finished {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the command-line tool; `onErr` sees standard error as it arrives and may return true
// once to have `signal` sent to the tool.
Finished runCli(const std::vector<std::string>& args, const std::function<bool(const std::string&)>& onErr = {},
                int signal = SIGINT) {
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    std::vector<std::string> all{MMX_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, MMX_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    Finished finished;
    if (spawned != 0) return finished;
    bool interruptSent = false;
    struct pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, 20000) <= 0) break;  // a tool that hangs fails the test instead of hanging it
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
                continue;
            }
            (i == 0 ? finished.out : finished.err).append(buffer, static_cast<size_t>(n));
            if (i == 1 && onErr && !interruptSent && onErr(finished.err)) {
                kill(pid, signal);
                interruptSent = true;
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    finished.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return finished;
}

class CliUpload : public ::testing::Test {
protected:
    void serve(UnitOptions options) {
        unit = std::make_unique<UnitEmulator>(options);
        server = std::make_unique<PtyUnitServer>(*unit);
        std::string error;
        ASSERT_TRUE(server->open(error)) << error;
        serving = std::thread([this] { server->run(); });
    }
    void stopServing() {
        if (!server) return;
        server->stop();
        if (serving.joinable()) serving.join();
    }
    void TearDown() override { stopServing(); }

    // Two messages and one trigger, saved as a set-up file.
    std::string writeSetup(uint32_t dataBytes) {
        ProgramState state;
        state.loadDefaults();
        ScriptedFileDialog dialog;
        RecordingMessageBoxes boxes;
        Editor editor(state, dialog, boxes);
        for (int k = 1; k <= 2; ++k) {
            WaveShape shape;
            shape.dataBytes = dataBytes + static_cast<uint32_t>(k);
            shape.fill = static_cast<uint8_t>(k * 40);
            EXPECT_EQ(editor.assignFile(k, folder.writeWave("m" + std::to_string(k) + ".wav", shape)), BrowseOutcome::Accepted);
        }
        editor.chooseEntry(entryIndex(1, 1), " 2");
        editor.setZone(zoneIndex(1, 4), 1);
        const std::string path = folder.folder() + "setup.cfg";
        EXPECT_TRUE(SaveConfig(state, path));
        return path;
    }

    ScratchFolder folder;
    std::unique_ptr<UnitEmulator> unit;
    std::unique_ptr<PtyUnitServer> server;
    std::thread serving;
};

TEST_F(CliUpload, SucceedsOnlyAfterTheEndCommandAndPrintsTheVerdict) {
    serve({});
    const std::string setup = writeSetup(3000);
    const Finished upload = runCli({"upload", setup, "--port", server->slavePath(), "--verify"});
    EXPECT_EQ(upload.exitCode, 0) << upload.err;
    EXPECT_EQ(upload.out, "Status:  Message and configuration upload successfully!\n");
    EXPECT_NE(upload.err.find(server->slavePath() + " 115200 8N2"), std::string::npos) << upload.err;

    const Finished again = runCli({"upload", setup, "--port", server->slavePath()});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, "Status:  Configuration upload successfully!\n");

    const Finished tables = runCli({"read-tables", "--port", server->slavePath()});
    EXPECT_EQ(tables.exitCode, 0) << tables.err;
    EXPECT_NE(tables.out.find("   1  0x000000  3150\n"), std::string::npos) << tables.out;
    EXPECT_NE(tables.out.find("Messages         2\n"), std::string::npos) << tables.out;
    EXPECT_NE(tables.out.find("Table checksum   ok\n"), std::string::npos) << tables.out;

    stopServing();
    EXPECT_TRUE(unit->checkImage().ok);
    EXPECT_EQ(unit->messageTable().directory.count, 2);
    EXPECT_EQ(unit->triggerTable().plan.sequence[0][0], 2);
    EXPECT_EQ(unit->triggerTable().plan.zones[0], 0x08);
}

TEST_F(CliUpload, RefusalEndsWithItsOwnExitCode) {
    UnitOptions refusing;
    refusing.nakEveryNth = 1;
    serve(refusing);
    const Finished upload = runCli({"upload", writeSetup(1000), "--port", server->slavePath()});
    EXPECT_EQ(upload.exitCode, 5) << upload.err;
    EXPECT_EQ(upload.out, "Status:  Message and configuration upload unsuccessfully!\n");
    EXPECT_EQ(upload.err.find("upload successfully!"), std::string::npos) << "a failed upload's log holds no success text";
}

TEST_F(CliUpload, WrongArgumentsAndMissingPort) {
    EXPECT_EQ(runCli({"upload"}).exitCode, 2);
    EXPECT_EQ(runCli({"upload", "x.cfg", "--port", "Com11"}).exitCode, 2);
    const Finished missing = runCli({"upload", writeSetup(100), "--port", folder.folder() + "no-such-tty"});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_NE(missing.err.find("RS232 Com Port cannot be open!"), std::string::npos) << missing.err;
    // A set-up file that does not read: the usual text and what is wrong, on which line.
    const std::string bad = folder.write("bad.cfg", "MsgBt( 1) =perhaps\r\n");
    const Finished refused = runCli({"upload", bad, "--port", folder.folder() + "no-such-tty"});
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_NE(refused.err.find("Configuration file cannot be found! (has 1 lines, 280 are needed)"), std::string::npos)
        << refused.err;
}

TEST_F(CliUpload, SeveralPortsEndWithATableAndTheFailingPortNamed) {
    serve({});
    const std::string missing = folder.folder() + "no-such-tty";
    const Finished upload = runCli({"upload", writeSetup(1000), "--port", server->slavePath(), "--port", missing});
    EXPECT_EQ(upload.exitCode, 3) << upload.err;
    // The table's columns, blanks collapsed: port, verdict, time, blocks resent.
    std::string table;
    for (char c : upload.out) {
        if (c != ' ' || table.empty() || table.back() != ' ') table += c;
    }
    EXPECT_EQ(table.rfind("Port Verdict Time Blocks resent\n", 0), 0u) << upload.out;
    EXPECT_NE(table.find("\n" + server->slavePath() + " succeeded "), std::string::npos) << upload.out;
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
    ASSERT_EQ(runCli({"upload", setup, "--port", server->slavePath()}).exitCode, 0);
    const Finished upload =
        runCli({"upload", setup, "--port", server->slavePath(), "--repeat", "--log", log},
               [](const std::string& err) { return err.find("units done: 1 (1 succeeded") != std::string::npos; });
    EXPECT_EQ(upload.exitCode, 0) << upload.err;
    const std::string logged = readText(log);
    EXPECT_EQ(logged.rfind("earlier line\n", 0), 0u) << logged;
    // ... but the unit on the line may be another one: a repeated upload is always full.
    EXPECT_NE(logged.find("\t" + server->slavePath() + "\tsucceeded\t"), std::string::npos) << logged;
    EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 2) << logged;
}

class CliSignal : public CliUpload, public ::testing::WithParamInterface<int> {};

TEST_P(CliSignal, ClosesThePortEndsTheDataFramesAndSaysTheUploadWasNotCompleted) {
    UnitOptions slowLine;
    slowLine.baud = 9600;  // 0.4 s a block: the signal lands in the middle of the messages
    serve(slowLine);
    const Finished upload =
        runCli({"upload", writeSetup(6000), "--port", server->slavePath(), "--full"},
               [](const std::string& err) { return err.find("progress ") != std::string::npos; }, GetParam());
    EXPECT_EQ(upload.exitCode, 130) << upload.err;
    EXPECT_NE(upload.err.find("NOT completed"), std::string::npos) << upload.err;
    stopServing();
    for (const auto& line : unit->log()) EXPECT_NE(line.rfind("L", 0), 0u) << line;
    EXPECT_EQ(unit->log().back(), "D close") << "the unit is left out of data mode";
    EXPECT_TRUE(unit->messageTable().erased);
}

INSTANTIATE_TEST_SUITE_P(Signals, CliSignal, ::testing::Values(SIGINT, SIGTERM, SIGHUP));

}  // namespace
}  // namespace mmx::test
