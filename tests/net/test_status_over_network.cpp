// mmx4210-cli status through a real ser2net in front of the unit program's pseudo-terminal, and
// the refusal of one server named twice before anything is sent.
#include <gtest/gtest.h>

#include "ser2net_server.h"
#include "support/run_program.h"
#include "support/saved_setup.h"
#include "unit_process.h"

#if defined(MMX_UNIT_PROGRAM) && defined(MMX_SER2NET_PROGRAM) && defined(MMX_CLI_PROGRAM)

namespace mmx::test {
namespace {

ProgramRun cli(const std::vector<std::string>& args) { return runProgram(MMX_CLI_PROGRAM, args); }

// One unit program behind its own ser2net with the serial-port option.
struct ServedUnit {
    ServedUnit() {
        std::string error;
        EXPECT_TRUE(unit.start(MMX_UNIT_PROGRAM, {"--quiet"}, error)) << error;
        EXPECT_TRUE(server.start({{"telnet(rfc2217)", unit.ptyPath()}}, error)) << error;
        address = server.address("rfc2217");
    }
    UnitProcess unit;
    Ser2netServer server;
    std::string address;
};

class StatusOverNetwork : public ::testing::Test {
protected:
    void SetUp() override { setup = savedSetup(folder, {{1, 3001}, {2, 1200}, {5, 777}}, 3); }
    ScratchFolder folder;
    std::string setup;
};

TEST_F(StatusOverNetwork, AUnitJustUploadedHoldsTheSetupAndAnErasedOneDiffers) {
    ServedUnit uploaded;
    ServedUnit fresh;
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

TEST_F(StatusOverNetwork, NothingListeningIsAPortError) {
    const std::string address = "rfc2217://127.0.0.1:" + std::to_string(freeLocalPort());
    const ProgramRun status = cli({"status", setup, "--port", address});
    EXPECT_EQ(status.exitCode, 3) << status.err;
    EXPECT_EQ(status.out.rfind(address + ": the port cannot be opened: ", 0), 0u) << status.out;
}

struct SameServer {
    const char* name;
    const char* first;   // "%" stands for the port number
    const char* second;
};

class OneServerNamedTwice : public StatusOverNetwork, public ::testing::WithParamInterface<SameServer> {};

std::string withPort(std::string text, unsigned port) { return text.replace(text.find('%'), 1, std::to_string(port)); }

TEST_P(OneServerNamedTwice, IsRefusedBeforeAnythingIsSent) {
    // Nothing listens there: a command that got as far as opening a port would fail otherwise.
    const unsigned port = freeLocalPort();
    const std::string first = withPort(GetParam().first, port);
    const std::string second = withPort(GetParam().second, port);
    for (const std::string command : {"status", "upload"}) {
        const ProgramRun run = cli({command, setup, "--port", first, "--port", second});
        EXPECT_EQ(run.exitCode, 2) << command << ": " << run.err;
        EXPECT_NE(run.err.find(first + " and " + second + " reach one server's port"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << command;
    }
}

INSTANTIATE_TEST_SUITE_P(Spellings, OneServerNamedTwice,
                         ::testing::Values(SameServer{"TwoSchemes", "rfc2217://127.0.0.1:%", "tcp://127.0.0.1:%"},
                                           SameServer{"TwoSpellingsOfOneHost", "tcp://127.0.0.1:%", "socket://127.1:%"},
                                           SameServer{"NameAndAddress", "rfc2217://localhost:%", "rfc2217://LOCALHOST:%"}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(StatusOverNetwork, EraseTakesOnePort) {
    const ProgramRun erase = cli({"erase", "--port", "tcp://127.0.0.1:4001", "--port", "tcp://127.0.0.1:4002"});
    EXPECT_EQ(erase.exitCode, 2) << erase.err;
}

}  // namespace
}  // namespace mmx::test

#endif
