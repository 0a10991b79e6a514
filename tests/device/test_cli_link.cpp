// The command-line tool's link commands against the unit program: output and exit codes.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_program.h"
#include "support/saved_setup.h"
#include "unit_process.h"

#if defined(MMX_UNIT_PROGRAM) && defined(MMX_CLI_PROGRAM)

namespace mmx {
namespace {

using test::ProgramRun;

ProgramRun cli(const std::vector<std::string>& args, const std::vector<std::string>& environment = {}) {
    return test::runProgram(MMX_CLI_PROGRAM, args, environment);
}

TEST(CliErase, WholeMemoryThenOneAddressThroughAComPort) {
    test::UnitProcess unit;
    std::string error;
    ASSERT_TRUE(unit.start(MMX_UNIT_PROGRAM, {"--quiet", "--erase-dots", "4"}, error)) << error;
    const ProgramRun whole = cli({"erase", "--port", "Com7"}, {"MMX4210_COM7=" + unit.ptyPath()});
    EXPECT_EQ(whole.exitCode, 0) << whole.err;
    // The verdict once, on standard output; the port line and "Erasing data..." once each,
    // however many progress steps the unit reports.
    EXPECT_EQ(whole.out, "Status:  Erasing data successfully!\n");
    EXPECT_EQ(whole.err, "port " + unit.ptyPath() + " 115200 8N2\nStatus:  Erasing data...\n");
    const ProgramRun one = cli({"erase", "--port", unit.ptyPath(), "--address", "0x3FF100", "--quiet"});
    EXPECT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.err, "");
}

TEST(CliErase, RefusedByTheUnit) {
    test::UnitProcess unit;
    std::string error;
    ASSERT_TRUE(unit.start(MMX_UNIT_PROGRAM, {"--quiet", "--nak-every", "1"}, error)) << error;
    const ProgramRun run = cli({"erase", "--port", unit.ptyPath()});
    EXPECT_EQ(run.exitCode, 5);
    EXPECT_EQ(run.err, "port " + unit.ptyPath() +
                           " 115200 8N2\nmmx4210-cli erase: the unit did not accept the start command (result code 21): "
                           "the unit sent not acknowledged (21)\n");
    EXPECT_EQ(run.out, "");
}

TEST(CliPorts, ListsEveryComPortAndItsSource) {
    const ProgramRun run = cli({"ports"}, {"MMX4210_COM3=/dev/pts/77", "MMX4210_COM4=rfc2217://rack4:4001"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("  Com3  /dev/pts/77                 MMX4210_COM3        missing\n"), std::string::npos) << run.out;
    // Only connecting tells whether a server is there.
    EXPECT_NE(run.out.find("  Com4  rfc2217://rack4:4001        MMX4210_COM4        network\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  Com10 "), std::string::npos) << run.out;
}

// A unit started from the image the tool builds without a unit answers the tables the tool
// prints for the set-up. (That the image is byte for byte what a real upload leaves in the unit is
// pinned by the upload over the network.)
TEST(CliImage, AUnitStartedFromTheImageHoldsTheSetupsTables) {
    test::ScratchFolder folder;
    // A gap, and odd lengths for the padding byte.
    const std::string setup = test::savedSetup(folder, {{1, 1001}, {2, 2001}, {4, 4001}}, 3);
    const std::string imagePath = folder.folder() + "image.bin";
    const ProgramRun image = cli({"image", setup, "-o", imagePath, "--tables"});
    ASSERT_EQ(image.exitCode, 0) << image.err;
    EXPECT_NE(image.out.find("message 4  0x000627  4200 bytes\n"), std::string::npos) << image.out;
    EXPECT_NE(image.out.find("trigger 1  messages 2 0 0 0  zones 3\n"), std::string::npos) << image.out;
    const std::vector<uint8_t> built = test::readBytes(imagePath);
    EXPECT_EQ(built.size(), 8388608u);

    test::UnitProcess loaded;
    std::string error;
    ASSERT_TRUE(loaded.start(MMX_UNIT_PROGRAM, {"--quiet", "--load", imagePath}, error)) << error;
    const ProgramRun tables = cli({"read-tables", "--port", loaded.ptyPath()});
    EXPECT_EQ(tables.exitCode, 0) << tables.err;
    EXPECT_EQ(image.out.substr(0, tables.out.size()), tables.out);

    const ProgramRun notAnImage = test::runProgram(MMX_UNIT_PROGRAM, {"--load", setup});
    EXPECT_EQ(notAnImage.exitCode, 2);
    EXPECT_NE(notAnImage.err.find(setup + ": " + std::to_string(std::filesystem::file_size(setup)) +
                                  " bytes; an image of the unit's memory has 8388608"),
              std::string::npos)
        << notAnImage.err;
    std::filesystem::remove(folder.folder() + "m4.wav");
    const ProgramRun missing = cli({"image", setup, "-o", imagePath});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("mmx4210-cli image: Path of message file is incorrect! Slot 4 (m4): " + folder.folder() +
                               "m4.wav: cannot open"),
              std::string::npos)
        << missing.err;
    EXPECT_EQ(test::readBytes(imagePath), built);
    EXPECT_EQ(cli({"image", setup}).exitCode, 2);
}

}  // namespace
}  // namespace mmx

#endif
