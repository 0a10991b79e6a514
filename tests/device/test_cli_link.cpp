// The command-line tool's link commands against the unit program: output and exit codes.
#include <gtest/gtest.h>

#include <filesystem>

#include "ui/app/editor.h"
#include "storage/setup_file.h"
#include "support/fake_dialogs.h"
#include "support/test_support.h"
#include "unit_process.h"

#if defined(MMX_UNIT_PROGRAM) && defined(MMX_CLI_PROGRAM)

namespace mmx {
namespace {

TEST(CliErase, WholeMemoryThenOneAddressThroughAComPort) {
    test::UnitProcess unit;
    std::string error;
    ASSERT_TRUE(unit.start(MMX_UNIT_PROGRAM, {"--quiet", "--erase-dots", "4"}, error)) << error;
    std::string out;
    std::string err;
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", "Com7"}, out, err, {"MMX4210_COM7=" + unit.ptyPath()}),
              0)
        << err;
    EXPECT_EQ(out, "Status:  Erasing data successfully!\n");
    EXPECT_NE(err.find("Port: " + unit.ptyPath() + " 115200 8N2\n"), std::string::npos) << err;
    EXPECT_NE(err.find("Status:  Erasing data... ....\n"), std::string::npos) << err;

    out.clear();
    err.clear();
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", unit.ptyPath(), "--address", "0x3FF100", "--quiet"}, out,
                               err),
              0)
        << err;
    EXPECT_EQ(err, "");
}

TEST(CliErase, RefusedByTheUnit) {
    test::UnitProcess unit;
    std::string error;
    ASSERT_TRUE(unit.start(MMX_UNIT_PROGRAM, {"--quiet", "--nak-every", "1"}, error)) << error;
    std::string out;
    std::string err;
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", unit.ptyPath()}, out, err), 5);
    EXPECT_NE(err.find("the unit did not accept the start command (result code 21)"), std::string::npos) << err;
    EXPECT_EQ(out, "");
}

TEST(CliErase, PortAndUsageErrors) {
    std::string out;
    std::string err;
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", "/dev/mmx4210-missing"}, out, err), 3);
    EXPECT_EQ(err, "mmx4210-cli erase: /dev/mmx4210-missing: no such device\n");
    err.clear();
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"read-tables", "--port", "/dev/mmx4210-missing"}, out, err), 3);
    EXPECT_EQ(err, "mmx4210-cli read-tables: RS232 Com Port cannot be open! /dev/mmx4210-missing: no such device\n");
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase"}, out, err), 2);
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", "Com11"}, out, err), 2);
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"erase", "--port", "Com1", "--address", "1000000"}, out, err), 2);
}

TEST(CliPorts, ListsEveryComPortAndItsSource) {
    std::string out;
    std::string err;
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"ports"}, out, err, {"MMX4210_COM3=/dev/pts/77"}), 0) << err;
    EXPECT_NE(out.find("  Com3  /dev/pts/77                 MMX4210_COM3        missing\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  Com10 "), std::string::npos) << out;
}

// The image the tool builds without a unit equals, byte for byte, what the unit holds after a
// real upload of the same set-up; a unit started from it answers the same tables.
TEST(CliImage, EqualsTheUnitsMemoryAfterAnUploadAndAUnitStartsFromIt) {
    test::ScratchFolder folder;
    ProgramState state;
    state.loadDefaults();
    test::ScriptedFileDialog dialog;
    test::RecordingMessageBoxes boxes;
    Editor editor(state, dialog, boxes);
    const int slots[] = {1, 2, 4};  // a gap, and an odd length for the padding byte
    for (int k : slots) {
        test::WaveShape shape;
        shape.dataBytes = 1000u * static_cast<uint32_t>(k) + 1;
        shape.fill = static_cast<uint8_t>(k * 40);
        ASSERT_EQ(editor.assignFile(k, folder.writeWave("m" + std::to_string(k) + ".wav", shape)), BrowseOutcome::Accepted);
    }
    editor.chooseEntry(entryIndex(1, 1), " 2");
    editor.setZone(zoneIndex(1, 3), 1);
    const std::string setup = folder.folder() + "setup.cfg";
    ASSERT_TRUE(SaveConfig(state, setup));

    test::UnitProcess unit;
    std::string error;
    ASSERT_TRUE(unit.start(MMX_UNIT_PROGRAM, {"--quiet", "--dump", folder.folder() + "dump"}, error)) << error;
    std::string out;
    std::string err;
    ASSERT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"upload", setup, "--port", unit.ptyPath()}, out, err), 0) << err;
    std::string tables;
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"read-tables", "--port", unit.ptyPath()}, tables, err), 0) << err;

    const std::string imagePath = folder.folder() + "image.bin";
    out.clear();
    ASSERT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"image", setup, "-o", imagePath, "--tables"}, out, err), 0) << err;
    EXPECT_NE(out.find("message 4  0x000627  4200 bytes\n"), std::string::npos) << out;
    EXPECT_NE(out.find("trigger 1  messages 2 0 0 0  zones 3\n"), std::string::npos) << out;
    const std::vector<uint8_t> built = test::readBytes(imagePath);
    EXPECT_EQ(built.size(), 8388608u);
    EXPECT_TRUE(built == test::readBytes(folder.folder() + "dump/image.bin"));

    test::UnitProcess loaded;
    ASSERT_TRUE(loaded.start(MMX_UNIT_PROGRAM, {"--quiet", "--load", imagePath}, error)) << error;
    out.clear();
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"read-tables", "--port", loaded.ptyPath()}, out, err), 0) << err;
    EXPECT_EQ(out, tables);

    err.clear();
    EXPECT_EQ(test::runProgram(MMX_UNIT_PROGRAM, {"--load", setup}, out, err), 2);
    EXPECT_NE(err.find(setup + ": " + std::to_string(std::filesystem::file_size(setup)) +
                       " bytes; an image of the unit's memory has 8388608"),
              std::string::npos)
        << err;
    std::filesystem::remove(folder.folder() + "m4.wav");
    err.clear();
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"image", setup, "-o", imagePath}, out, err), 1);
    EXPECT_NE(err.find("slot 4 (m4) " + folder.folder() + "m4.wav: Path of message file is incorrect!"), std::string::npos)
        << err;
    EXPECT_EQ(test::readBytes(imagePath), built);
    EXPECT_EQ(test::runProgram(MMX_CLI_PROGRAM, {"image", setup}, out, err), 2);
}

}  // namespace
}  // namespace mmx

#endif
