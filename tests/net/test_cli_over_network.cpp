// mmx4210-cli's link commands through a real ser2net: the unit program's pseudo-terminal is
// the server's serial device, the tool takes the server's address wherever it takes a port.
#include <gtest/gtest.h>

#include "ser2net_server.h"
#include "support/run_program.h"
#include "support/saved_setup.h"

#if defined(MMX_UNIT_PROGRAM) && defined(MMX_SER2NET_PROGRAM) && defined(MMX_CLI_PROGRAM)

namespace mmx::test {
namespace {

ProgramRun cli(const std::vector<std::string>& args, const std::function<bool(const std::string&)>& onErr = {}) {
    return runProgram(MMX_CLI_PROGRAM, args, {}, onErr);
}

class CliOverNetwork : public ::testing::Test {
protected:
    void SetUp() override { setup = savedSetup(folder, {{1, 3001}, {2, 1200}, {5, 777}}, 3); }
    ScratchFolder folder;
    std::string setup;
    const std::string dump = folder.folder() + "dump";
};

// Over raw TCP the line settings are the server's, and the tool says so; that they cross over
// RFC 2217, and every byte both ways, is pinned on the network port itself.
TEST_F(CliOverNetwork, UploadOverTcpLeavesTheExactImage) {
    NetworkUnit unit(MMX_UNIT_PROGRAM, "tcp", {"--dump", dump});
    const ProgramRun upload = cli({"upload", setup, "--port", unit.address, "--full", "-v"});
    ASSERT_EQ(upload.exitCode, 0) << upload.err;
    EXPECT_EQ(upload.out, "Status:  Message and configuration upload successfully!\n");
    EXPECT_NE(upload.err.find(unit.address + ": the line settings are the server's"), std::string::npos) << upload.err;
    // What the unit must hold, built by the tool without a unit.
    const ProgramRun image = cli({"image", setup, "-o", folder.folder() + "expected.bin"});
    ASSERT_EQ(image.exitCode, 0) << image.err;
    EXPECT_TRUE(readBytes(dump + "/image.bin") == readBytes(folder.folder() + "expected.bin"));
}

TEST_F(CliOverNetwork, AServerStoppedMidUploadIsALostLineNotASuccess) {
    // A slow line, so that the upload is still sending messages when the server goes.
    NetworkUnit unit(MMX_UNIT_PROGRAM, "rfc2217", {"--baud", "19200", "--dump", dump});
    bool stopped = false;
    const ProgramRun upload = cli({"upload", setup, "--port", unit.address, "--full"}, [&](const std::string& err) {
        if (!stopped && err.find("progress ") != std::string::npos) {
            unit.server.stop();
            stopped = true;
        }
        return false;
    });
    ASSERT_TRUE(stopped) << upload.err;
    EXPECT_EQ(upload.exitCode, 4) << upload.err;
    EXPECT_NE(upload.err.find("\nStatus:  Message and configuration upload unsuccessfully!\nmmx4210-cli upload: failed "
                              "at sending a message (slot 1): the serial line was lost"),
              std::string::npos)
        << upload.err;
    EXPECT_EQ(upload.out, "");
    EXPECT_TRUE(readBytes(dump + "/image.bin").empty()) << "the unit never got the end command";
}

TEST_F(CliOverNetwork, AUnitJustUploadedHoldsTheSetupAndAnErasedOneDiffers) {
    NetworkUnit uploaded(MMX_UNIT_PROGRAM, "rfc2217");
    NetworkUnit fresh(MMX_UNIT_PROGRAM, "rfc2217");
    const ProgramRun upload = cli({"upload", setup, "--port", uploaded.address, "--full"});
    ASSERT_EQ(upload.exitCode, 0) << upload.err;

    const ProgramRun holds = cli({"status", setup, "--port", uploaded.address});
    EXPECT_EQ(holds.exitCode, 0) << holds.err << holds.out;
    EXPECT_EQ(holds.out.rfind(uploaded.address + ": holds this set-up (written from here ", 0), 0u) << holds.out;
    EXPECT_NE(holds.out.find("; upload: tables only, about 1 s\n"), std::string::npos) << holds.out;

    const ProgramRun both = cli({"status", setup, "--port", uploaded.address, "--port", fresh.address});
    EXPECT_EQ(both.exitCode, 1) << both.err << both.out;
    const size_t second = both.out.find('\n') + 1;
    EXPECT_EQ(both.out.rfind(uploaded.address + ": holds this set-up", 0), 0u) << both.out;
    EXPECT_EQ(both.out.substr(second, fresh.address.size() + 30), fresh.address + ": erased; upload: full, about ")
        << both.out;
}

TEST_F(CliOverNetwork, NothingListeningOrABadAddressIsAPortError) {
    const std::string address = "rfc2217://127.0.0.1:" + std::to_string(freeLocalPort());
    const ProgramRun upload = cli({"upload", setup, "--port", address});
    EXPECT_EQ(upload.exitCode, 3) << upload.err;
    EXPECT_NE(upload.err.find("Status:  Message and configuration upload unsuccessfully!\nmmx4210-cli upload: RS232 Com "
                              "Port cannot be open! " + address + ": the server refused the connection"),
              std::string::npos)
        << upload.err;
    EXPECT_EQ(upload.out, "");
    const ProgramRun status = cli({"status", setup, "--port", address});
    EXPECT_EQ(status.exitCode, 3) << status.err;
    EXPECT_EQ(status.out.rfind(address + ": the port cannot be opened: ", 0), 0u) << status.out;
}

// Two names of one server's port (which spellings are one is pinned where they are compared):
// both commands that take many ports refuse them before anything is sent.
TEST_F(CliOverNetwork, OneServerNamedTwiceIsRefusedBeforeAnythingIsSent) {
    // Nothing listens there: a command that got as far as opening a port would fail otherwise.
    const std::string port = std::to_string(freeLocalPort());
    const std::string first = "rfc2217://127.0.0.1:" + port;
    const std::string second = "socket://127.1:" + port;
    for (const std::string command : {"status", "upload"}) {
        const ProgramRun run = cli({command, setup, "--port", first, "--port", second});
        EXPECT_EQ(run.exitCode, 2) << command << ": " << run.err;
        EXPECT_EQ(run.err, "mmx4210-cli " + command + ": " + first + " and " + second +
                               " reach one server's port; name each unit once\n");
        EXPECT_EQ(run.out, "") << command;
    }
}

}  // namespace
}  // namespace mmx::test

#endif
