// mmx4210-cli's link commands through a real ser2net: the unit program's pseudo-terminal is
// the server's serial device, the tool takes the server's address wherever it takes a port.
#include <gtest/gtest.h>

#include "ser2net_server.h"
#include "support/run_program.h"
#include "support/saved_setup.h"
#include "unit_process.h"

#if defined(MMX_UNIT_PROGRAM) && defined(MMX_SER2NET_PROGRAM) && defined(MMX_CLI_PROGRAM)

namespace mmx::test {
namespace {

ProgramRun cli(const std::vector<std::string>& args, const std::vector<std::string>& environment = {},
               const std::function<bool(const std::string&)>& onErr = {}) {
    return runProgram(MMX_CLI_PROGRAM, args, environment, onErr);
}

std::string accepterFor(const std::string& scheme) { return scheme == "rfc2217" ? "telnet(rfc2217)" : ""; }

// One unit program behind its own ser2net, its memory dumped at the upload's end.
struct NetworkUnit {
    NetworkUnit(const ScratchFolder& folder, const std::string& name, const std::string& scheme,
                std::vector<std::string> unitArgs = {}) {
        dump = folder.folder() + name;
        unitArgs.insert(unitArgs.end(), {"--quiet", "--dump", dump});
        std::string error;
        EXPECT_TRUE(unit.start(MMX_UNIT_PROGRAM, unitArgs, error)) << error;
        EXPECT_TRUE(server.start({{accepterFor(scheme), unit.ptyPath()}}, error)) << error;
        address = server.address(scheme);
    }
    std::vector<uint8_t> memory() const { return readBytes(dump + "/image.bin"); }

    UnitProcess unit;
    Ser2netServer server;
    std::string dump;
    std::string address;
};

class CliOverNetwork : public ::testing::Test {
protected:
    void SetUp() override { setup = savedSetup(folder, {{1, 3001}, {2, 1200}, {5, 777}}, 3); }

    // What the unit must hold afterwards, built by the tool without a unit.
    std::vector<uint8_t> expectedMemory() {
        const std::string path = folder.folder() + "expected.bin";
        const ProgramRun image = cli({"image", setup, "-o", path});
        EXPECT_EQ(image.exitCode, 0) << image.err;
        return readBytes(path);
    }

    ScratchFolder folder;
    std::string setup;
};

class CliUploadOverNetwork : public CliOverNetwork, public ::testing::WithParamInterface<const char*> {};

TEST_P(CliUploadOverNetwork, TheUnitHoldsTheExactImage) {
    const std::string scheme = GetParam();
    // Paced, so that the line is still in use when the test looks at it: the server holds its
    // serial device open only while a client is connected.
    NetworkUnit unit(folder, "dump", scheme, {"--baud", "115200"});
    std::string lineDuringUpload;
    const ProgramRun upload =
        cli({"upload", setup, "--port", unit.address, "--full", "-v"}, {}, [&](const std::string& err) {
            if (lineDuringUpload.empty() && err.find("File is uploading") != std::string::npos)
                lineDuringUpload = terminalLineSettings(unit.unit.ptyPath());
            return false;
        });
    ASSERT_EQ(upload.exitCode, 0) << upload.err;
    EXPECT_EQ(upload.out, "Status:  Message and configuration upload successfully!\n");
    EXPECT_TRUE(unit.memory() == expectedMemory());
    const std::string serversLine = unit.address + ": the line settings are the server's";
    if (scheme == "rfc2217") {
        // ser2net's connector says 9600 8N1; the tool's settings replace them.
        EXPECT_EQ(lineDuringUpload, "115200 8N2") << upload.err;
        EXPECT_NE(upload.err.find(unit.address + " 115200 8N2"), std::string::npos) << upload.err;
        EXPECT_EQ(upload.err.find(serversLine), std::string::npos) << upload.err;
    } else {
        EXPECT_EQ(lineDuringUpload, "9600 8N1");
        EXPECT_NE(upload.err.find(serversLine), std::string::npos) << upload.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, CliUploadOverNetwork, ::testing::Values("rfc2217", "tcp"));

TEST_F(CliOverNetwork, AComPortMayStandForAServer) {
    NetworkUnit unit(folder, "dump", "rfc2217");
    const std::vector<std::string> environment{"MMX4210_COM3=" + unit.address};
    const ProgramRun upload = cli({"upload", setup, "--port", "Com3", "--full"}, environment);
    ASSERT_EQ(upload.exitCode, 0) << upload.err;
    EXPECT_TRUE(unit.memory() == expectedMemory());

    const ProgramRun ports = cli({"ports"}, environment);
    EXPECT_EQ(ports.exitCode, 0) << ports.err;
    std::string padded = unit.address;
    padded.resize(28, ' ');
    EXPECT_NE(ports.out.find("  Com3  " + padded + "MMX4210_COM3        network\n"), std::string::npos) << ports.out;
}

TEST_F(CliOverNetwork, TwoUnitsBehindTwoServersAtOnce) {
    NetworkUnit first(folder, "first", "rfc2217");
    NetworkUnit second(folder, "second", "tcp");
    const ProgramRun upload = cli({"upload", setup, "--port", first.address, "--port", second.address, "--full"});
    ASSERT_EQ(upload.exitCode, 0) << upload.err << upload.out;
    const std::vector<uint8_t> expected = expectedMemory();
    EXPECT_TRUE(first.memory() == expected);
    EXPECT_TRUE(second.memory() == expected);
}

TEST_F(CliOverNetwork, AServerStoppedMidUploadIsALostLineNotASuccess) {
    // A slow line, so that the upload is still sending messages when the server goes.
    NetworkUnit unit(folder, "dump", "rfc2217", {"--baud", "19200"});
    bool stopped = false;
    const ProgramRun upload = cli({"upload", setup, "--port", unit.address, "--full"}, {}, [&](const std::string& err) {
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
    EXPECT_TRUE(readBytes(unit.dump + "/image.bin").empty()) << "the unit never got the end command";
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

    const ProgramRun malformed = cli({"upload", setup, "--port", "tcp://127.0.0.1"});
    EXPECT_EQ(malformed.exitCode, 3) << malformed.err;
    EXPECT_NE(malformed.err.find("tcp://127.0.0.1: "), std::string::npos) << malformed.err;
}

}  // namespace
}  // namespace mmx::test

#endif
